#pragma once
// TEditStringGrid: the editable string grid widget. It shows a TEditGrid through a
// table model, feeds it the user's keys and mouse actions, outlines the marked
// source block in copy mode and shows the mode hint as tool tip and status tip.
// The first fixed row is shown as the column header, so it stays visible while
// the rows scroll.
#include <QPointer>
#include <QTableView>

#include "editgrid/UEditGrid.h"

class TEditGridModel;
class QLineEdit;

class TEditStringGrid : public QTableView, private IEditGridObserver {
  Q_OBJECT
 public:
  explicit TEditStringGrid(QWidget* parent = nullptr);
  ~TEditStringGrid() override;

  // The grid shown: the widget's own one unless another was attached.
  TEditGrid& Grid() { return *grid_; }
  const TEditGrid& Grid() const { return *grid_; }
  // Shows and edits `grid` (owned by the caller, which must outlive the widget or
  // detach it with SetGrid(nullptr)); nullptr goes back to the widget's own grid.
  void SetGrid(TEditGrid* grid);
  TEditGridModel* GridModel() const { return model_; }

  // The operations the main window's commands use.
  void CopyBlock() { grid_->CopyBlock(); }
  void CutBlock() { grid_->CutBlock(); }
  void PasteBlock() { grid_->PasteBlock(); }
  void FillSelection(const QString& text) { grid_->FillSelection(text.toStdString()); }
  bool CanUndo() const { return grid_->CanUndo(); }
  void Undo();
  void SetCellText(int col, int row, const QString& text) { grid_->SetCellText(col, row, text.toStdString()); }
  QString Cells(int col, int row) const { return QString::fromStdString(grid_->Cells(col, row)); }
  TGridOptions Options() const { return grid_->Options(); }
  void SetOptions(TGridOptions options) { grid_->SetOptions(options); }
  QString Hint() const;

  // Where a grid cell is drawn, in viewport coordinates (empty when not shown).
  QRect CellRect(int col, int row) const;
  // The grid cell under a viewport point, clamped to the cells when `clamp`.
  TGridCoord CellAt(const QPoint& pos, bool clamp) const;
  // The cell editor while it is open.
  QLineEdit* Editor() const;
  // Called by the cell editor for keys the grid handles while it is open.
  bool EditorKey(QKeyEvent* event);
  // Called by the cell editor for every change of its text.
  void EditorTextChanged(const QModelIndex& index, const QString& text);
  void SetEditor(QLineEdit* editor);

 signals:
  void OnSetBlock(TEditStringGrid* grid);
  void OnReleaseBlock(TEditStringGrid* grid);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  // IEditGridObserver
  void GridCellsChanged(const TGridRect& rect) override;
  void GridSizeChanged() override;
  void GridSelectionChanged() override;
  void GridScrolled() override;
  void GridHintChanged() override;
  void GridRepaint() override;
  void GridCloseEditor() override;

  void UpdateVisibleCounts();
  bool OpenEditor(QKeyEvent* event);

  void Attach();
  void Detach();

  TEditGrid ownGrid_;
  TEditGrid* grid_ = &ownGrid_;
  TEditGridModel* model_ = nullptr;
  QPointer<QLineEdit> editor_;
  bool syncing_ = false;
  bool editOnRelease_ = false;
};

// Maps a Qt key event onto the grid's own key codes.
TGridKeyInput GridKeyFromQt(const QKeyEvent* event);
