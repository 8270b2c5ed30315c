#pragma once
// TzmTreeview: the multi-column tree that shows and edits the node tree. It
// holds no data: rows come from TzmTreeviewModel, which asks the nodes.
#include <QTreeView>
#include <vector>

#include "model/ZMTreeSystem.h"

class TzmTreeviewModel;
class TzmTreeviewEditLink;

class TzmTreeview : public QTreeView, public IzmTreeControl {
  Q_OBJECT
 public:
  explicit TzmTreeview(QWidget* parent = nullptr);
  ~TzmTreeview() override;

  // Options, header and columns of the tree as the panel sets them up.
  void SetUp();

  TzmSystem* System() const { return System_; }
  TzmTreeviewModel* Model() const { return Model_; }

  // The focused row's node, or nullptr.
  TzmSystemNode* FocusedNode() const;
  // The nodes of the selected rows, from top to bottom of the tree.
  std::vector<TzmSystemNode*> SelectedNodes() const;
  int SelectedCount() const;
  // The index of a node (binding its rows on the way); invalid when not shown.
  QModelIndex IndexOfNode(TzmSystemNode* node) const;

  // In-place editing of the main column.
  bool IsEditing() const;
  // Starts editing the focused row's name; false when there is none.
  bool Rename();
  bool EditRow(const QModelIndex& index);
  TzmTreeviewEditLink* EditLink() const { return EditLink_; }
  // The rectangle of a cell's text, in viewport coordinates.
  QRect CellTextRect(const QModelIndex& index) const;

  // IzmTreeControl
  void SetSystem(TzmSystem* system) override;
  void RepaintNode(const TzmViewNode& node) override;
  void InvalidateToBottom(const TzmViewNode& node) override;
  void ReinitNode(const TzmViewNode& node) override;
  void DeleteNode(const TzmViewNode& node) override;
  void SetChildCount(const TzmViewNode& node, int count) override;
  void SetCheckState(const TzmViewNode& node, std::uint8_t state) override;
  void ClearSelection() override;
  void ExpandAncestors(const TzmViewNode& node) override;
  void SelectNode(const TzmViewNode& node) override;
  void FocusNode(const TzmViewNode& node) override;

 signals:
  // The tree was double-clicked (rows are never expanded by it).
  void DoubleClicked();

 protected:
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
  void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  QModelIndex IndexOfView(const TzmViewNode& node) const;
  void KeepOneLevel();

  TzmTreeviewModel* Model_;
  TzmTreeviewEditLink* EditLink_;
  TzmSystem* System_ = nullptr;
  int SelectLevel_ = -1;
  bool Constraining_ = false;
};
