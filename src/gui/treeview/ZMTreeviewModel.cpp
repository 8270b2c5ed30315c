#include "treeview/ZMTreeviewModel.h"

#include <exception>
#include <iterator>
#include <unordered_set>

#include "common/ZMFormat.h"

std::string NodeColumnText(const TzmSystemNode& node, int column) {
  switch (column) {
    case 0: return node.Name();
    case 1: return node.GetText();
    case 2: return node.GetLowAlarmText();
    case 3: return node.GetHighAlarmText();
    case 4: return node.GetLowResistanceText();
    case 5: return node.GetHighResistanceText();
    default: return "Undefined";
  }
}

void SetNodeColumnText(TzmSystemNode& node, int column, const std::string& text) {
  switch (column) {
    case 0: node.SetName(text); break;
    case 1: node.SetLabel(text); break;
    case 2: node.SetLowAlarmText(text); break;
    case 3: node.SetHighAlarmText(text); break;
    case 4: node.SetLowResistanceText(text); break;
    case 5: node.SetHighResistanceText(text); break;
    default:
      throw EzmTreeviewError(
          Format("%s does not support text in column %d", node.Name().c_str(), column));
  }
}

namespace {
// The node's check state byte holds Qt's values: 0 clear, 1 mixed, 2 ticked.
Qt::CheckState ToQtCheck(std::uint8_t state) {
  if (state == 1) return Qt::PartiallyChecked;
  if (state >= 2) return Qt::Checked;
  return Qt::Unchecked;
}
}  // namespace

TzmTreeviewModel::TzmTreeviewModel(IzmTreeControl* control, QObject* parent)
    : QAbstractItemModel(parent),
      Control_(control),
      Captions_{QStringLiteral("Entire System"), QStringLiteral("Level 1"),
                QStringLiteral("Level 2"), QStringLiteral("Level 3")} {}

TzmTreeviewModel::~TzmTreeviewModel() {
  if (Root_.Node) Unbind(Root_, true);
}

void TzmTreeviewModel::Attach(TzmSystem* system) {
  beginResetModel();
  if (Root_.Node) Unbind(Root_, true);
  Root_.Slots.clear();
  Root_.Node = nullptr;
  BoundRows_ = 0;
  System_ = system;
  if (system && system->Root()) {
    // The hidden root is bound too, so that batteries added or removed later
    // reach the top level of the view without a re-attach.
    Root_.Node = system->Root();
    Root_.Node->ViewNode = {Control_, &Root_};
    Root_.Slots.resize(static_cast<size_t>(Root_.Node->ChildCount()));
  }
  endResetModel();
  if (!Root_.Slots.empty()) Bind(&Root_, 0);  // the first top-level row at once
}

void TzmTreeviewModel::SetColumnCaptions(const QStringList& captions) {
  const int old = static_cast<int>(Captions_.size());
  const int now = static_cast<int>(captions.size());
  if (now > old) {
    beginInsertColumns({}, old, now - 1);
    Captions_ = captions;
    endInsertColumns();
  } else if (now < old) {
    beginRemoveColumns({}, now, old - 1);
    Captions_ = captions;
    endRemoveColumns();
  } else {
    Captions_ = captions;
  }
  if (now > 0) emit headerDataChanged(Qt::Horizontal, 0, now - 1);
}

void TzmTreeviewModel::SetShowCheckBoxes(bool show) {
  if (show == ShowCheckBoxes_) return;
  beginResetModel();
  ShowCheckBoxes_ = show;
  endResetModel();
}

TzmTreeRow* TzmTreeviewModel::RowFromIndex(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this) return nullptr;
  return static_cast<TzmTreeRow*>(index.internalPointer());
}

TzmSystemNode* TzmTreeviewModel::NodeOf(const QModelIndex& index) const {
  TzmTreeRow* row = RowFromIndex(index);
  return row ? row->Node : nullptr;
}

QModelIndex TzmTreeviewModel::IndexOfRow(const TzmTreeRow* row, int column) const {
  if (!row || row == &Root_) return {};
  return createIndex(row->Index, column, const_cast<TzmTreeRow*>(row));
}

TzmTreeRow* TzmTreeviewModel::RowOf(const TzmViewNode& node) const {
  if (node.Control != Control_ || !node.Row) return nullptr;
  return static_cast<TzmTreeRow*>(node.Row);
}

QModelIndex TzmTreeviewModel::IndexOfNode(TzmSystemNode* node) {
  if (!node || !Root_.Node) return {};
  std::vector<TzmSystemNode*> chain;
  for (TzmSystemNode* n = node; n; n = n->Parent()) chain.push_back(n);
  if (chain.back() != Root_.Node || chain.size() < 2) return {};
  QModelIndex current;
  for (size_t i = chain.size() - 1; i-- > 0;) {
    const int row = chain[i + 1]->IndexOfChild(chain[i]);
    current = index(row, 0, current);
    if (!current.isValid()) return {};
  }
  return current;
}

int TzmTreeviewModel::Level(const QModelIndex& index) {
  int level = -1;
  for (QModelIndex i = index; i.isValid(); i = i.parent()) ++level;
  return level;
}

TzmTreeRow* TzmTreeviewModel::Bind(TzmTreeRow* parentRow, int row) const {
  auto& slot = parentRow->Slots[static_cast<size_t>(row)];
  if (slot) return slot.get();
  // While rows are being inserted or removed the node already has its new
  // children but the slots still stand as before: map the slot across the
  // change, and bind nothing where that is not possible.
  int child = row;
  if (Pending_.Row == parentRow) {
    if (Pending_.Refuse) return nullptr;
    if (Pending_.Count < 0) {
      const int gone = -Pending_.Count;
      if (row >= Pending_.First && row < Pending_.First + gone) return nullptr;
      if (row >= Pending_.First + gone) child -= gone;
    } else if (row >= Pending_.First) {
      child += Pending_.Count;
    }
  }
  if (child < 0 || child >= parentRow->Node->ChildCount()) return nullptr;
  slot = std::make_unique<TzmTreeRow>();
  TzmTreeRow* bound = slot.get();
  bound->ParentRow = parentRow;
  bound->Index = row;
  bound->Node = parentRow->Node->GetChild(child);
  bound->Node->ViewNode = {Control_, bound};
  bound->CheckState = bound->Node->CheckState();
  bound->Slots.resize(static_cast<size_t>(bound->Node->ChildCount()));
  ++parentRow->BoundChildren;
  ++BoundRows_;
  return bound;
}

void TzmTreeviewModel::Unbind(TzmTreeRow& row, bool includeSelf) {
  for (auto& slot : row.Slots)
    if (slot) Unbind(*slot, true);
  row.Slots.clear();
  row.BoundChildren = 0;
  if (includeSelf && row.Node && row.Node->ViewNode.Row == &row) row.Node->ViewNode = {};
}

void TzmTreeviewModel::Renumber(TzmTreeRow& row, int from) {
  for (size_t i = static_cast<size_t>(from); i < row.Slots.size(); ++i)
    if (row.Slots[i]) row.Slots[i]->Index = static_cast<int>(i);
}

namespace {
int CountBound(const TzmTreeRow& row) {
  int n = 0;
  for (const auto& slot : row.Slots)
    if (slot) n += 1 + CountBound(*slot);
  return n;
}
}  // namespace

void TzmTreeviewModel::RemoveSlots(TzmTreeRow& row, int first, int last, bool nodesAlive) {
  if (first > last) return;
  {
    // Only until the slots follow: then they stand as the children do.
    const TPendingGuard pending(Pending_, {&row, first, -(last - first + 1), false});
    beginRemoveRows(IndexOfRow(&row), first, last);
  }
  for (int i = first; i <= last; ++i) {
    auto& slot = row.Slots[static_cast<size_t>(i)];
    if (!slot) continue;
    BoundRows_ -= 1 + CountBound(*slot);
    --row.BoundChildren;
    // A node that vanished without telling us may be gone already: leave it.
    if (nodesAlive) Unbind(*slot, true);
  }
  row.Slots.erase(row.Slots.begin() + first, row.Slots.begin() + last + 1);
  Renumber(row, first);
  endRemoveRows();
}

void TzmTreeviewModel::InsertSlots(TzmTreeRow& row, int first, int count) {
  if (count <= 0) return;
  {
    const TPendingGuard pending(Pending_, {&row, first, count, false});
    beginInsertRows(IndexOfRow(&row), first, first + count - 1);
  }
  std::vector<std::unique_ptr<TzmTreeRow>> fresh(static_cast<size_t>(count));
  row.Slots.insert(row.Slots.begin() + first, std::make_move_iterator(fresh.begin()),
                   std::make_move_iterator(fresh.end()));
  Renumber(row, first + count);
  endInsertRows();
}

void TzmTreeviewModel::Reconcile(TzmTreeRow& row) {
  if (!row.Node) return;
  TzmSystemNode& node = *row.Node;
  const int n = node.ChildCount();
  const int m = static_cast<int>(row.Slots.size());
  // The model reports each change as it makes it: children are appended
  // (then this row is re-initialised) or removed one at a time (a bound one
  // through DeleteNode first). So a longer list has grown at its end.
  if (n == m) return;
  if (n > m || row.BoundChildren == 0) {
    if (n < m) RemoveSlots(row, n, m - 1, true);
    if (n > m) InsertSlots(row, m, n - m);
    return;
  }
  // Shorter with bound rows: they keep their nodes. Find each bound row's
  // node among the children (in order), drop bound rows whose node left,
  // then fit the unbound rows between them.
  const TPendingGuard pending(Pending_, {&row, 0, 0, true});
  std::vector<std::pair<int, int>> anchors;  // (slot, child position)
  int next = 0;
  for (int i = 0; i < static_cast<int>(row.Slots.size()); ++i) {
    const auto& slot = row.Slots[static_cast<size_t>(i)];
    if (!slot) continue;
    int found = -1;
    for (int j = next; j < n; ++j)
      if (node.GetChild(j) == slot->Node) {
        found = j;
        break;
      }
    if (found < 0) {
      for (int j = 0; j < next && found < 0; ++j)
        if (node.GetChild(j) == slot->Node) found = j;
      if (found >= 0) {
        // Reordered children: show this level afresh.
        ShowLevelAfresh(row);
        return;
      }
      // Gone without telling us: it may be freed already, so leave it be.
      RemoveSlots(row, i, i, false);
      --i;
      continue;
    }
    anchors.emplace_back(i, found);
    next = found + 1;
  }
  anchors.emplace_back(static_cast<int>(row.Slots.size()), n);
  for (size_t k = anchors.size(); k-- > 0;) {
    const int prevSlot = k == 0 ? -1 : anchors[k - 1].first;
    const int prevPos = k == 0 ? -1 : anchors[k - 1].second;
    const int oldGap = anchors[k].first - prevSlot - 1;
    const int newGap = anchors[k].second - prevPos - 1;
    if (oldGap > newGap) RemoveSlots(row, prevSlot + 1, prevSlot + oldGap - newGap, true);
    if (oldGap < newGap) InsertSlots(row, prevSlot + 1, newGap - oldGap);
  }
}

void TzmTreeviewModel::ShowLevelAfresh(TzmTreeRow& row) {
  const TPendingGuard pending(Pending_, {&row, 0, 0, true});
  std::unordered_set<const TzmSystemNode*> children;
  for (int j = 0; j < row.Node->ChildCount(); ++j) children.insert(row.Node->GetChild(j));
  const int m = static_cast<int>(row.Slots.size());
  if (m > 0) {
    beginRemoveRows(IndexOfRow(&row), 0, m - 1);
    for (auto& slot : row.Slots) {
      if (!slot) continue;
      BoundRows_ -= 1 + CountBound(*slot);
      if (children.count(slot->Node)) Unbind(*slot, true);
    }
    row.Slots.clear();
    row.BoundChildren = 0;
    endRemoveRows();
  }
  InsertSlots(row, 0, row.Node->ChildCount());
}

void TzmTreeviewModel::RepaintRow(const TzmViewNode& node) {
  TzmTreeRow* row = RowOf(node);
  if (!row || row == &Root_) return;
  emit dataChanged(IndexOfRow(row, 0), IndexOfRow(row, columnCount() - 1));
}

void TzmTreeviewModel::ReinitRow(const TzmViewNode& node) {
  TzmTreeRow* row = RowOf(node);
  if (!row) return;
  Reconcile(*row);
  RepaintRow(node);
}

void TzmTreeviewModel::SyncChildCount(const TzmViewNode& node) {
  TzmTreeRow* row = RowOf(node);
  if (row) Reconcile(*row);
}

void TzmTreeviewModel::DeleteRow(const TzmViewNode& node) {
  TzmTreeRow* row = RowOf(node);
  if (!row) return;
  if (row == &Root_) {
    beginResetModel();
    Unbind(Root_, true);
    Root_.Node = nullptr;
    BoundRows_ = 0;
    endResetModel();
    return;
  }
  RemoveSlots(*row->ParentRow, row->Index, row->Index, true);
}

void TzmTreeviewModel::SetRowCheckState(const TzmViewNode& node, std::uint8_t state) {
  TzmTreeRow* row = RowOf(node);
  if (!row) return;
  row->CheckState = state;
  RepaintRow(node);
}

QModelIndex TzmTreeviewModel::index(int row, int column, const QModelIndex& parent) const {
  TzmTreeRow* parentRow = parent.isValid() ? RowFromIndex(parent) : &Root_;
  if (!parentRow || !parentRow->Node || row < 0 || column < 0 || column >= columnCount() ||
      row >= static_cast<int>(parentRow->Slots.size()))
    return {};
  TzmTreeRow* bound = Bind(parentRow, row);
  return bound ? createIndex(row, column, bound) : QModelIndex();
}

QModelIndex TzmTreeviewModel::parent(const QModelIndex& child) const {
  TzmTreeRow* row = RowFromIndex(child);
  if (!row) return {};
  return IndexOfRow(row->ParentRow);
}

int TzmTreeviewModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  const TzmTreeRow* row = parent.isValid() ? RowFromIndex(parent) : &Root_;
  return row ? static_cast<int>(row->Slots.size()) : 0;
}

int TzmTreeviewModel::columnCount(const QModelIndex&) const {
  return static_cast<int>(Captions_.size());
}

bool TzmTreeviewModel::hasChildren(const QModelIndex& parent) const {
  return rowCount(parent) > 0;
}

QVariant TzmTreeviewModel::data(const QModelIndex& index, int role) const {
  const TzmTreeRow* row = RowFromIndex(index);
  if (!row || !row->Node) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return QString::fromStdString(NodeColumnText(*row->Node, index.column()));
    case Qt::DecorationRole: {
      if (index.column() != 0) return {};
      const int image = row->Node->GetImageIndex();
      if (image < 0 || image >= static_cast<int>(Images_.size())) return {};
      return Images_[static_cast<size_t>(image)];
    }
    case Qt::CheckStateRole:
      if (!ShowCheckBoxes_ || index.column() != 0) return {};
      return ToQtCheck(row->CheckState);
    default:
      return {};
  }
}

bool TzmTreeviewModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  TzmTreeRow* row = RowFromIndex(index);
  if (!row || !row->Node || !System_) return false;
  if (role == Qt::CheckStateRole) {
    row->Node->SetCheckState(static_cast<std::uint8_t>(value.toInt()));
    return true;
  }
  if (role != Qt::EditRole) return false;
  try {
    SetNodeColumnText(*row->Node, index.column(), value.toString().toStdString());
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

Qt::ItemFlags TzmTreeviewModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == 0) {
    f |= Qt::ItemIsEditable;
    if (ShowCheckBoxes_) f |= Qt::ItemIsUserCheckable;
  }
  return f;
}

QVariant TzmTreeviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section < 0 || section >= static_cast<int>(Captions_.size())) return {};
  return Captions_[section];
}
