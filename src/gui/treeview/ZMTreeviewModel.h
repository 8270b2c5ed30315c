#pragma once
// The item model behind TzmTreeview: a thin adapter over the node tree.
//
// The model changes itself first and tells the control afterwards, so the
// adapter keeps a lightweight mirror of the rows it has handed out: per bound
// row its node, its parent row, its index there and one slot per child. Child
// rows are created (bound) only when the view first asks for them, so a group
// of thousands of cells expands without any per-node work beyond one pointer.
#include <QAbstractItemModel>
#include <QIcon>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/ZMTreeSystem.h"

// One bound row of the view.
struct TzmTreeRow {
  TzmSystemNode* Node = nullptr;
  TzmTreeRow* ParentRow = nullptr;
  int Index = 0;  // position in the parent row's Slots
  std::uint8_t CheckState = 0;
  int BoundChildren = 0;  // slots that hold a row
  // One slot per child of Node; empty until the view asks for that row.
  std::vector<std::unique_ptr<TzmTreeRow>> Slots;
};

// Raised for texts of a column that nodes do not serve.
class EzmTreeviewError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The text of one column of a node; "Undefined" outside columns 0 to 5.
std::string NodeColumnText(const TzmSystemNode& node, int column);
// Hands an edited text to the column's setter; a column outside 0 to 5 raises
// EzmTreeviewError "<name> does not support text in column <n>".
void SetNodeColumnText(TzmSystemNode& node, int column, const std::string& text);

class TzmTreeviewModel : public QAbstractItemModel {
  Q_OBJECT
 public:
  // `control` is the tree control named in the nodes' ViewNode.
  explicit TzmTreeviewModel(IzmTreeControl* control, QObject* parent = nullptr);
  ~TzmTreeviewModel() override;

  // Shows the system's root children as top-level rows; nullptr shows nothing.
  // Does not talk to the system's attach protocol (the tree control does).
  void Attach(TzmSystem* system);
  TzmSystem* System() const { return System_; }

  // Header captions; their number is the number of columns.
  void SetColumnCaptions(const QStringList& captions);
  QStringList ColumnCaptions() const { return Captions_; }
  // Check boxes are drawn only when switched on.
  void SetShowCheckBoxes(bool show);
  bool ShowCheckBoxes() const { return ShowCheckBoxes_; }
  // Pictures by image index for the main column.
  void SetImages(std::vector<QIcon> images) { Images_ = std::move(images); }

  // Row <-> node.
  TzmSystemNode* NodeOf(const QModelIndex& index) const;
  QModelIndex IndexOfRow(const TzmTreeRow* row, int column = 0) const;
  // The row of a view node of this model's control, or nullptr.
  TzmTreeRow* RowOf(const TzmViewNode& node) const;
  // The index of a node, binding it and its ancestors on the way (invalid when
  // the node does not belong to the attached system).
  QModelIndex IndexOfNode(TzmSystemNode* node);
  // Depth of a row: 0 for top-level rows.
  static int Level(const QModelIndex& index);
  // Number of rows bound right now (the root excluded).
  int BoundRowCount() const { return BoundRows_; }

  // What the node tree tells the control.
  void RepaintRow(const TzmViewNode& node);
  void ReinitRow(const TzmViewNode& node);
  void DeleteRow(const TzmViewNode& node);
  void SyncChildCount(const TzmViewNode& node);
  void SetRowCheckState(const TzmViewNode& node, std::uint8_t state);

  // QAbstractItemModel
  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  bool hasChildren(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  TzmTreeRow* RowFromIndex(const QModelIndex& index) const;
  TzmTreeRow* Bind(TzmTreeRow* parentRow, int row) const;
  // Clears the ViewNode of every bound node under (and with) `row`.
  void Unbind(TzmTreeRow& row, bool includeSelf);
  // Brings the slots of `row` in line with its node's children.
  void Reconcile(TzmTreeRow& row);
  void RemoveSlots(TzmTreeRow& row, int first, int last, bool nodesAlive);
  void InsertSlots(TzmTreeRow& row, int first, int count);
  void Renumber(TzmTreeRow& row, int from);
  void ShowLevelAfresh(TzmTreeRow& row);

  // A change of one row's slots under way: slots from First on are shifted
  // by Count against the node's children (negative: that many removed).
  // With Refuse, no slot of the row can be mapped and none is bound.
  struct TPending {
    const TzmTreeRow* Row = nullptr;
    int First = 0;
    int Count = 0;
    bool Refuse = false;
  };
  struct TPendingGuard {
    TPending& Target;
    TPending Saved;
    TPendingGuard(TPending& target, TPending now) : Target(target), Saved(target) {
      if (!Saved.Refuse) Target = now;
    }
    ~TPendingGuard() { Target = Saved; }
    TPendingGuard(const TPendingGuard&) = delete;
    TPendingGuard& operator=(const TPendingGuard&) = delete;
  };

  IzmTreeControl* Control_;
  TPending Pending_;
  TzmSystem* System_ = nullptr;
  mutable TzmTreeRow Root_;
  mutable int BoundRows_ = 0;
  QStringList Captions_;
  bool ShowCheckBoxes_ = false;
  std::vector<QIcon> Images_;
};
