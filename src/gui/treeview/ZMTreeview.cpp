#include "treeview/ZMTreeview.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "treeview/ZMTreeviewEdit.h"
#include "treeview/ZMTreeviewModel.h"

TzmTreeview::TzmTreeview(QWidget* parent)
    : QTreeView(parent), Model_(new TzmTreeviewModel(this, this)), EditLink_(nullptr) {
  setObjectName(QStringLiteral("TzmTreeview"));
  setModel(Model_);
  EditLink_ = new TzmTreeviewEditLink(this);
  setUniformRowHeights(true);  // rows are measured once, not per node
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { KeepOneLevel(); });
  // A row that gets the focus is expanded.
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) expand(current.siblingAtColumn(0));
          });
}

TzmTreeview::~TzmTreeview() {
  SetSystem(nullptr);
}

void TzmTreeview::SetUp() {
  setRootIsDecorated(true);
  setItemsExpandable(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
  setAutoScroll(true);
  setAutoExpandDelay(700);
  setExpandsOnDoubleClick(false);
  setAllColumnsShowFocus(false);

  QPalette pal = palette();
  pal.setColor(QPalette::Active, QPalette::HighlightedText, Qt::white);
  pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Button));
  pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Text));
  setPalette(pal);

  header()->setVisible(true);
  header()->setFixedHeight(18);
  header()->setStretchLastSection(false);
  header()->setBackgroundRole(QPalette::Button);
  Model_->SetColumnCaptions({QStringLiteral("Entire System"), QStringLiteral("Level 1"),
                             QStringLiteral("Level 2"), QStringLiteral("Level 3")});
  const int widths[] = {300, 100, 100, 100};
  for (int i = 0; i < 4; ++i) header()->resizeSection(i, widths[i]);
}

// --- attaching ------------------------------------------------------------

void TzmTreeview::SetSystem(TzmSystem* system) {
  if (system == System_) return;
  EditLink_->CancelEdit();
  if (TzmSystem* old = System_) {
    old->SetTreeview(nullptr);  // calls back with nullptr
    System_ = nullptr;
    Model_->Attach(nullptr);
  }
  SelectLevel_ = -1;
  System_ = system;
  if (system) {
    system->SetTreeview(this);  // its nested call back finds the system already set
    Model_->Attach(system);
  }
}

// --- what the model tells the control --------------------------------------

QModelIndex TzmTreeview::IndexOfView(const TzmViewNode& node) const {
  return Model_->IndexOfRow(Model_->RowOf(node));
}

void TzmTreeview::RepaintNode(const TzmViewNode& node) { Model_->RepaintRow(node); }

void TzmTreeview::InvalidateToBottom(const TzmViewNode&) { viewport()->update(); }

void TzmTreeview::ReinitNode(const TzmViewNode& node) { Model_->ReinitRow(node); }

void TzmTreeview::DeleteNode(const TzmViewNode& node) {
  Model_->DeleteRow(node);
  // A row being edited that has gone takes its editor with it.
  if (EditLink_->Editing() && !EditLink_->Index().isValid()) EditLink_->CancelEdit();
}

void TzmTreeview::SetChildCount(const TzmViewNode& node, int) { Model_->SyncChildCount(node); }

void TzmTreeview::SetCheckState(const TzmViewNode& node, std::uint8_t state) {
  Model_->SetRowCheckState(node, state);
}

void TzmTreeview::ClearSelection() { selectionModel()->clearSelection(); }

void TzmTreeview::ExpandAncestors(const TzmViewNode& node) {
  for (QModelIndex i = IndexOfView(node).parent(); i.isValid(); i = i.parent()) expand(i);
}

void TzmTreeview::SelectNode(const TzmViewNode& node) {
  const QModelIndex index = IndexOfView(node);
  if (index.isValid())
    selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void TzmTreeview::FocusNode(const TzmViewNode& node) {
  const QModelIndex index = IndexOfView(node);
  if (!index.isValid()) return;
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
  scrollTo(index);
}

// --- queries ------------------------------------------------------------------

TzmSystemNode* TzmTreeview::FocusedNode() const { return Model_->NodeOf(currentIndex()); }

namespace {
std::vector<int> PathOf(const QModelIndex& index) {
  std::vector<int> path;
  for (QModelIndex i = index; i.isValid(); i = i.parent()) path.push_back(i.row());
  std::reverse(path.begin(), path.end());
  return path;
}
}  // namespace

std::vector<TzmSystemNode*> TzmTreeview::SelectedNodes() const {
  std::vector<std::pair<std::vector<int>, TzmSystemNode*>> rows;
  for (const QModelIndex& index : selectionModel()->selectedRows())
    if (TzmSystemNode* node = Model_->NodeOf(index)) rows.emplace_back(PathOf(index), node);
  std::sort(rows.begin(), rows.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<TzmSystemNode*> nodes;
  nodes.reserve(rows.size());
  for (auto& row : rows) nodes.push_back(row.second);
  return nodes;
}

int TzmTreeview::SelectedCount() const {
  return static_cast<int>(selectionModel()->selectedRows().size());
}

QModelIndex TzmTreeview::IndexOfNode(TzmSystemNode* node) const {
  return Model_->IndexOfNode(node);
}

// --- selection of one level only ---------------------------------------------------

void TzmTreeview::KeepOneLevel() {
  if (Constraining_) return;
  const QModelIndexList rows = selectionModel()->selectedRows();
  if (rows.isEmpty()) {
    SelectLevel_ = -1;
    return;
  }
  // The level is the one of the rows selected first; once none of those is
  // left, a new selection starts at the focused row's level.
  const bool levelKept = std::any_of(rows.begin(), rows.end(), [this](const QModelIndex& i) {
    return TzmTreeviewModel::Level(i) == SelectLevel_;
  });
  if (!levelKept) {
    const QModelIndex current = currentIndex();
    SelectLevel_ = current.isValid() && selectionModel()->isRowSelected(current.row(), current.parent())
                       ? TzmTreeviewModel::Level(current)
                       : TzmTreeviewModel::Level(rows.first());
  }
  QItemSelection other;
  for (const QModelIndex& i : rows)
    if (TzmTreeviewModel::Level(i) != SelectLevel_) other.select(i, i);
  if (other.isEmpty()) return;
  Constraining_ = true;
  selectionModel()->select(other, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
  Constraining_ = false;
}

// --- editing ------------------------------------------------------------------------

bool TzmTreeview::IsEditing() const { return EditLink_->Editing(); }

bool TzmTreeview::Rename() { return EditRow(currentIndex()); }

bool TzmTreeview::EditRow(const QModelIndex& index) {
  if (!index.isValid() || !System_) return false;
  const QModelIndex cell = index.siblingAtColumn(0);
  if (EditLink_->Editing()) EditLink_->EndEdit();
  scrollTo(cell);
  return EditLink_->PrepareEdit(cell) && EditLink_->BeginEdit();
}

bool TzmTreeview::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  // Our own editor replaces the delegate's; everything else (check box
  // clicks, the delay of a click on a selected row) stays with the view.
  const bool ours = trigger == AllEditTriggers ||
                    (trigger == EditKeyPressed && (editTriggers() & EditKeyPressed));
  if (ours) return EditRow(index);
  return QTreeView::edit(index, trigger, event);
}

QRect TzmTreeview::CellTextRect(const QModelIndex& index) const {
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = visualRect(index);
  option.text = index.data(Qt::DisplayRole).toString();
  option.features |= QStyleOptionViewItem::HasDisplay;
  if (index.data(Qt::DecorationRole).isValid()) option.features |= QStyleOptionViewItem::HasDecoration;
  if (index.data(Qt::CheckStateRole).isValid())
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
  return style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
}

void TzmTreeview::scrollContentsBy(int dx, int dy) {
  QTreeView::scrollContentsBy(dx, dy);
  EditLink_->Scroll(dx, dy);
}

void TzmTreeview::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeView::mouseDoubleClickEvent(event);
  emit DoubleClicked();
}

// --- painting -----------------------------------------------------------------------

void TzmTreeview::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
  QTreeView::drawRow(painter, option, index);
  // Grid lines: one under the row and one at the right edge of every column.
  painter->save();
  painter->setPen(palette().color(QPalette::Midlight));
  const QRect r = option.rect;
  painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
  for (int section = 0; section < header()->count(); ++section) {
    if (header()->isSectionHidden(section)) continue;
    const int x = header()->sectionViewportPosition(section) + header()->sectionSize(section) - 1;
    painter->drawLine(x, r.top(), x, r.bottom());
  }
  painter->restore();
}

void TzmTreeview::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const {
  QTreeView::drawBranches(painter, rect, index);
  // Dotted tree lines, around the expand button rather than through it.
  const int indent = indentation();
  const int midY = rect.top() + rect.height() / 2;
  const int button = model()->hasChildren(index) ? 5 : 0;
  painter->save();
  QPen pen(palette().color(QPalette::Mid));
  pen.setStyle(Qt::DotLine);
  painter->setPen(pen);
  int x = rect.right() + 1 - indent;
  int cx = x + indent / 2;
  const bool hasNext = index.row() + 1 < model()->rowCount(index.parent());
  painter->drawLine(cx, rect.top(), cx, midY - button);
  if (hasNext) painter->drawLine(cx, midY + button, cx, rect.bottom());
  painter->drawLine(cx + button, midY, x + indent - 1, midY);
  for (QModelIndex a = index.parent(); a.isValid(); a = a.parent()) {
    x -= indent;
    cx = x + indent / 2;
    if (a.row() + 1 < model()->rowCount(a.parent())) painter->drawLine(cx, rect.top(), cx, rect.bottom());
  }
  painter->restore();
}
