#include "editgrid/UEditStringGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "app/QtUserInterface.h"
#include "editgrid/UEditGridModel.h"

namespace {
// The in-place cell editor: it reports every change of its text to the grid, so
// typing into a selection of several cells fills all of them as the user types.
class TEditGridDelegate : public QStyledItemDelegate {
 public:
  explicit TEditGridDelegate(TEditStringGrid* view) : QStyledItemDelegate(view), view_(view) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex& index) const override {
    auto* editor = new QLineEdit(parent);
    editor->setObjectName("InplaceEditor");
    editor->setFrame(false);
    const QPersistentModelIndex cell(index);
    TEditStringGrid* view = view_;
    QObject::connect(editor, &QLineEdit::textChanged, view, [view, cell](const QString& text) {
      if (cell.isValid()) view->EditorTextChanged(cell, text);
    });
    view_->SetEditor(editor);
    return editor;
  }
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    auto* line = static_cast<QLineEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (line->text() != text) line->setText(text);  // keep the cursor while typing
  }
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
    model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
  }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && view_->EditorKey(static_cast<QKeyEvent*>(event)))
      return true;
    return QStyledItemDelegate::eventFilter(object, event);
  }

 private:
  TEditStringGrid* view_;
};
}  // namespace

TGridKeyInput GridKeyFromQt(const QKeyEvent* event) {
  TGridKeyInput in;
  const Qt::KeyboardModifiers mods = event->modifiers();
  in.Shift = mods & Qt::ShiftModifier;
  in.Ctrl = mods & Qt::ControlModifier;
  in.Alt = mods & Qt::AltModifier;
  switch (event->key()) {
    case Qt::Key_Up: in.Key = TGridKey::Up; break;
    case Qt::Key_Down: in.Key = TGridKey::Down; break;
    case Qt::Key_Left: in.Key = TGridKey::Left; break;
    case Qt::Key_Right: in.Key = TGridKey::Right; break;
    case Qt::Key_PageUp: in.Key = TGridKey::PageUp; break;
    case Qt::Key_PageDown: in.Key = TGridKey::PageDown; break;
    case Qt::Key_Home: in.Key = TGridKey::Home; break;
    case Qt::Key_End: in.Key = TGridKey::End; break;
    case Qt::Key_Tab: in.Key = TGridKey::Tab; break;
    case Qt::Key_Backtab:  // Shift+Tab
      in.Key = TGridKey::Tab;
      in.Shift = true;
      break;
    case Qt::Key_Return: case Qt::Key_Enter: in.Key = TGridKey::Enter; break;
    case Qt::Key_Escape: in.Key = TGridKey::Escape; break;
    case Qt::Key_Backspace: in.Key = TGridKey::Backspace; break;
    case Qt::Key_Delete: in.Key = TGridKey::Delete; break;
    case Qt::Key_Insert: in.Key = TGridKey::Insert; break;
    case Qt::Key_F2: in.Key = TGridKey::F2; break;
    case Qt::Key_Shift: in.Key = TGridKey::Shift; break;
    case Qt::Key_Control: in.Key = TGridKey::Ctrl; break;
    case Qt::Key_Alt: in.Key = TGridKey::Alt; break;
    default: {
      if (in.Ctrl) {
        switch (event->key()) {
          case Qt::Key_C: in.Key = TGridKey::C; break;
          case Qt::Key_V: in.Key = TGridKey::V; break;
          case Qt::Key_X: in.Key = TGridKey::X; break;
          case Qt::Key_Z: in.Key = TGridKey::Z; break;
          default:
            in.Key = event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z ? TGridKey::CtrlLetter
                                                                           : TGridKey::Other;
            break;
        }
      } else {
        const QString text = event->text();
        in.Key = !in.Alt && !text.isEmpty() && text.at(0).isPrint() ? TGridKey::Character : TGridKey::Other;
      }
    }
  }
  return in;
}

TEditStringGrid::TEditStringGrid(QWidget* parent) : QTableView(parent) {
  model_ = new TEditGridModel(*grid_, this);
  setModel(model_);
  setItemDelegate(new TEditGridDelegate(this));
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::DoubleClicked);
  setAutoScroll(false);  // the grid decides what to scroll into view
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
  setWordWrap(false);
  verticalHeader()->setVisible(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(24);
  horizontalHeader()->setDefaultSectionSize(64);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
  Attach();
}

TEditStringGrid::~TEditStringGrid() {
  Detach();
  setModel(nullptr);
  delete model_;
}

void TEditStringGrid::Attach() {
  grid_->SetObserver(this);
  grid_->OnSetBlock = [this](TEditGrid&) { emit OnSetBlock(this); };
  grid_->OnReleaseBlock = [this](TEditGrid&) { emit OnReleaseBlock(this); };
  GridSizeChanged();
  GridHintChanged();
}

void TEditStringGrid::Detach() {
  grid_->SetObserver(nullptr);
  grid_->OnSetBlock = nullptr;
  grid_->OnReleaseBlock = nullptr;
}

void TEditStringGrid::SetGrid(TEditGrid* grid) {
  if (!grid) grid = &ownGrid_;
  if (grid == grid_) return;
  if (editor_) closeEditor(editor_, QAbstractItemDelegate::NoHint);
  Detach();
  grid_ = grid;
  model_->SetGrid(*grid_);
  Attach();
}

QString TEditStringGrid::Hint() const { return ToQString(grid_->Hint()); }

void TEditStringGrid::Undo() {
  if (editor_) closeEditor(editor_, QAbstractItemDelegate::NoHint);
  grid_->Undo();
}

QLineEdit* TEditStringGrid::Editor() const {
  return state() == QAbstractItemView::EditingState ? editor_.data() : nullptr;
}

void TEditStringGrid::SetEditor(QLineEdit* editor) { editor_ = editor; }

// --- Geometry ----------------------------------------------------------------------

QRect TEditStringGrid::CellRect(int col, int row) const {
  const QModelIndex index = model_->CellIndex(col, row);
  if (!index.isValid()) return {};
  const QRect r = visualRect(index);
  return r.intersects(viewport()->rect()) ? r : QRect();
}

TGridCoord TEditStringGrid::CellAt(const QPoint& pos, bool clamp) const {
  int col = columnAt(pos.x()), row = rowAt(pos.y());
  if (clamp) {
    if (col < 0) col = pos.x() < 0 ? columnAt(0) : model_->columnCount() - 1;
    if (row < 0) row = pos.y() < 0 ? rowAt(0) : model_->rowCount() - 1;
  }
  if (col < 0 || row < 0) return {};
  return {col, model_->GridRow(row)};
}

void TEditStringGrid::UpdateVisibleCounts() {
  const int rowHeight = std::max(1, verticalHeader()->defaultSectionSize());
  const int rows = viewport()->height() / rowHeight - (grid_->FixedRows() - model_->HeaderRows());
  int cols = 0, width = 0;
  for (int c = std::max(columnAt(0), 0); c < model_->columnCount(); ++c) {
    width += columnWidth(c);
    if (width > viewport()->width()) break;
    ++cols;
  }
  grid_->SetVisibleCounts(std::max(cols - grid_->FixedCols(), 1), std::max(rows, 1));
}

void TEditStringGrid::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  UpdateVisibleCounts();
}

void TEditStringGrid::scrollContentsBy(int dx, int dy) {
  QTableView::scrollContentsBy(dx, dy);
  if (syncing_) return;
  syncing_ = true;
  grid_->SetTopRow(verticalScrollBar()->value() + grid_->FixedRows());
  grid_->SetLeftCol(horizontalScrollBar()->value() + grid_->FixedCols());
  UpdateVisibleCounts();
  syncing_ = false;
}

// --- Grid notifications ------------------------------------------------------------

void TEditStringGrid::GridCellsChanged(const TGridRect& rect) { model_->CellsChanged(rect); }

void TEditStringGrid::GridSizeChanged() {
  model_->SizeChanged();
  horizontalHeader()->setVisible(model_->HeaderRows() > 0);
  updateGeometries();
  UpdateVisibleCounts();
  GridSelectionChanged();
  GridScrolled();
}

void TEditStringGrid::GridSelectionChanged() {
  if (!selectionModel() || model_->rowCount() == 0 || model_->columnCount() == 0) return;
  const TGridRect& s = grid_->Selection();
  const QModelIndex topLeft = model_->CellIndex(s.Left, s.Top);
  const QModelIndex bottomRight = model_->CellIndex(s.Right, s.Bottom);
  const QModelIndex current = model_->CellIndex(grid_->Col(), grid_->Row());
  if (current.isValid()) selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
  if (topLeft.isValid() && bottomRight.isValid())
    selectionModel()->select(QItemSelection(topLeft, bottomRight), QItemSelectionModel::ClearAndSelect);
  else
    selectionModel()->clearSelection();
  viewport()->update();
}

void TEditStringGrid::GridScrolled() {
  if (syncing_) return;
  syncing_ = true;
  verticalScrollBar()->setValue(grid_->TopRow() - grid_->FixedRows());
  horizontalScrollBar()->setValue(grid_->LeftCol() - grid_->FixedCols());
  syncing_ = false;
}

void TEditStringGrid::GridHintChanged() {
  setToolTip(Hint());
  setStatusTip(Hint());
}

void TEditStringGrid::GridRepaint() { viewport()->update(); }

void TEditStringGrid::GridCloseEditor() {
  if (editor_) closeEditor(editor_, QAbstractItemDelegate::NoHint);
}

// --- Keyboard ----------------------------------------------------------------------

bool TEditStringGrid::event(QEvent* event) {
  // Keys the grid uses itself win over window shortcuts while it has the focus.
  if (event->type() == QEvent::ShortcutOverride) {
    const TGridKeyDecision d = DecideGridKey(
        GridKeyFromQt(static_cast<QKeyEvent*>(event)),
        {(grid_->Options() & goEditing) != 0, grid_->CopyMode(), false, grid_->CanUndo()});
    if (d.Action != TGridKeyAction::None && d.Action != TGridKeyAction::WarningBeep) {
      event->accept();
      return true;
    }
  }
  return QTableView::event(event);
}

bool TEditStringGrid::OpenEditor(QKeyEvent* event) {
  const QModelIndex index = model_->CellIndex(grid_->Col(), grid_->Row());
  if (!index.isValid()) return false;
  const bool typed = GridKeyFromQt(event).Key == TGridKey::Character;
  return edit(index, typed ? QAbstractItemView::AnyKeyPressed : QAbstractItemView::EditKeyPressed,
              typed ? event : nullptr);
}

void TEditStringGrid::keyPressEvent(QKeyEvent* event) {
  const TGridKeyInput key = GridKeyFromQt(event);
  event->accept();
  if (!grid_->KeyDown(key, state() == QAbstractItemView::EditingState)) return;
  if (key.Key == TGridKey::Tab) {
    event->ignore();
    return;
  }
  if (grid_->ToolkitKey(key) == TGridToolkitResult::OpenEditor) OpenEditor(event);
}

bool TEditStringGrid::EditorKey(QKeyEvent* event) {
  const TGridKeyInput key = GridKeyFromQt(event);
  if (key.Key == TGridKey::Tab && !key.Ctrl && !key.Alt) {
    // Tab leaves the cell (its text is in the grid already) and the grid moves
    // on to the next cell itself; the view follows the grid, so both agree.
    GridCloseEditor();
    grid_->ToolkitKey(key);
    return true;
  }
  if (key.Key != TGridKey::Backspace || !key.Alt) return false;
  return !grid_->KeyDown(key, true);
}

void TEditStringGrid::EditorTextChanged(const QModelIndex& index, const QString& text) {
  model_->setData(index, text, Qt::EditRole);
}

// --- Mouse -------------------------------------------------------------------------

void TEditStringGrid::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  setFocus(Qt::MouseFocusReason);
  const TGridCoord cell = CellAt(event->position().toPoint(), false);
  if (cell.Col < 0) return;
  grid_->MouseDown(cell.Col, cell.Row, event->modifiers() & Qt::ShiftModifier);
}

void TEditStringGrid::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton) || !grid_->MouseSelecting()) return;
  const TGridCoord cell = CellAt(event->position().toPoint(), true);
  if (cell.Col >= 0) grid_->MouseMove(cell.Col, cell.Row);
}

void TEditStringGrid::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !grid_->MouseSelecting()) return;
  const TGridCoord cell = CellAt(event->position().toPoint(), true);
  grid_->MouseUp(cell.Col, cell.Row);
  if (editOnRelease_) {
    editOnRelease_ = false;
    const QModelIndex index = model_->CellIndex(grid_->Col(), grid_->Row());
    if (grid_->CanEditCurrent() && index.isValid()) edit(index);
  }
}

void TEditStringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
  editOnRelease_ = event->button() == Qt::LeftButton;
}

// --- Painting ----------------------------------------------------------------------

void TEditStringGrid::paintEvent(QPaintEvent* event) {
  QTableView::paintEvent(event);
  if (!grid_->CopyMode() || model_->rowCount() == 0) return;
  const TGridRect& b = grid_->SourceBlock();
  int firstRow = rowAt(0), lastRow = rowAt(viewport()->height() - 1);
  int firstCol = columnAt(0), lastCol = columnAt(viewport()->width() - 1);
  if (firstRow < 0 || firstCol < 0) return;
  if (lastRow < 0) lastRow = model_->rowCount() - 1;
  if (lastCol < 0) lastCol = model_->columnCount() - 1;
  firstRow = std::max(firstRow, model_->ModelRow(b.Top));
  lastRow = std::min(lastRow, model_->ModelRow(b.Bottom));
  firstCol = std::max(firstCol, b.Left);
  lastCol = std::min(lastCol, b.Right);
  QPainter painter(viewport());
  QPen pen(palette().color(QPalette::WindowText), 3, Qt::SolidLine);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  for (int r = firstRow; r <= lastRow; ++r)
    for (int c = firstCol; c <= lastCol; ++c)
      painter.drawRect(visualRect(model_->index(r, c)).adjusted(1, 1, -2, -2));
}
