#include "treeview/ZMTreeviewEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <exception>

#include "common/ZMUserInterface.h"
#include "treeview/ZMTreeview.h"
#include "treeview/ZMTreeviewModel.h"

TzmTreeviewEdit::TzmTreeviewEdit(TzmTreeviewEditLink* link, QWidget* parent)
    : QLineEdit(parent), Link_(link) {
  setObjectName(QStringLiteral("TzmTreeviewEdit"));
  setFrame(false);
  setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid palette(shadow); }"));
  setToolTip({});
  setAttribute(Qt::WA_AlwaysShowToolTips, false);
  hide();
}

void TzmTreeviewEdit::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Link_->EndEdit();
      return;
    case Qt::Key_Escape:
      Link_->CancelEdit();  // the Escape itself goes no further
      return;
    case Qt::Key_Up:
    case Qt::Key_Down: {
      QWidget* tree = parentWidget() ? parentWidget()->parentWidget() : nullptr;
      if (isModified())
        Link_->EndEdit();
      else
        Link_->CancelEdit();
      if (tree) {
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
        QApplication::sendEvent(tree, &copy);
      }
      return;
    }
    default:
      break;
  }
  QLineEdit::keyPressEvent(event);
  const bool refit = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
                     (!event->text().isEmpty() && event->text().at(0) > QChar(' '));
  if (refit) Link_->FitWidth();
}

void TzmTreeviewEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (!Link_->Editing()) return;
  if (isModified())
    Link_->EndEdit();
  else
    Link_->CancelEdit();
}

TzmTreeviewEditLink::TzmTreeviewEditLink(TzmTreeview* tree)
    : QObject(tree), Tree_(tree), Edit_(new TzmTreeviewEdit(this, tree->viewport())) {
  setObjectName(QStringLiteral("TzmTreeviewEditLink"));
}

bool TzmTreeviewEditLink::PrepareEdit(const QModelIndex& index) {
  if (Editing_ || !index.isValid() || index.column() != 0) return false;
  if (!(index.flags() & Qt::ItemIsEditable)) return false;
  Index_ = index;
  Edit_->setFont(Tree_->font());
  Edit_->setText(index.data(Qt::DisplayRole).toString());
  Edit_->setModified(false);
  // Over the text as the cell shows it: the text's width, clipped by the cell.
  const QRect cell = Tree_->CellTextRect(index);
  Edit_->setGeometry(cell.left(), cell.top(), MinWidth, cell.height());
  Edit_->resize(Bounded(std::min(TextWidth(), cell.width())), cell.height());
  return true;
}

int TzmTreeviewEditLink::TextWidth() const {
  const int margins = 2 * 1 + 6;  // border and text margins
  return Edit_->fontMetrics().horizontalAdvance(Edit_->text()) + margins;
}

int TzmTreeviewEditLink::Bounded(int width) const {
  // At least MinWidth; otherwise no further than the tree's right edge.
  const int room = Tree_->viewport()->width() - Edit_->x();
  if (width > room) width = room;
  return std::max(width, MinWidth);
}

bool TzmTreeviewEditLink::BeginEdit() {
  if (!Index_.isValid()) return false;
  Editing_ = true;
  Edit_->show();
  Edit_->selectAll();
  Edit_->setFocus(Qt::OtherFocusReason);
  return true;
}

void TzmTreeviewEditLink::FitWidth() { Edit_->resize(Bounded(TextWidth()), Edit_->height()); }

void TzmTreeviewEditLink::Scroll(int dx, int dy) {
  if (Editing_) Edit_->move(Edit_->pos() + QPoint(dx, dy));
}

void TzmTreeviewEditLink::Finish() {
  Editing_ = false;
  Finishing_ = true;
  const bool hadFocus = Edit_->hasFocus();
  Edit_->hide();
  if (hadFocus) Tree_->setFocus(Qt::OtherFocusReason);
  Finishing_ = false;
  Index_ = QPersistentModelIndex();
}

bool TzmTreeviewEditLink::EndEdit() {
  if (!Editing_ || Finishing_) return false;
  const QModelIndex index = Index_;
  const bool changed = Edit_->isModified();
  const std::string text = Edit_->text().toStdString();
  Finish();
  TzmSystemNode* node = Tree_->Model()->NodeOf(index);
  if (!changed || !node) return true;
  try {
    SetNodeColumnText(*node, index.column(), text);
  } catch (const std::exception& error) {
    UserMessages().Show(TMsgKind::Error, error.what(), TMsgButtons::Ok);
    return false;
  }
  return true;
}

bool TzmTreeviewEditLink::CancelEdit() {
  if (!Editing_ || Finishing_) return false;
  Finish();
  return true;
}
