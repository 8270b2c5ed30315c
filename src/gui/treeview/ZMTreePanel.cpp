#include "treeview/ZMTreePanel.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

#include "treeview/ZMTreeview.h"

TzmTreeviewPanel::TzmTreeviewPanel(QWidget* owner)
    : QFrame(owner), Caption_(new QLabel(QStringLiteral("System"), this)), Tree_(new TzmTreeview(this)) {
  setObjectName(QStringLiteral("TzmTreeviewPanel"));
  setFrameShape(QFrame::NoFrame);
  Caption_->setObjectName(QStringLiteral("pnlCaption"));
  Caption_->setFixedHeight(30);
  Caption_->setAlignment(Qt::AlignCenter);
  Caption_->setFrameShape(QFrame::Panel);
  Caption_->setFrameShadow(QFrame::Sunken);
  Caption_->installEventFilter(this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Caption_);
  layout->addWidget(Tree_, 1);

  Tree_->SetUp();
  connect(Tree_, &TzmTreeview::DoubleClicked, this, [this] { emit DoubleClick(Tree_); });
}

void TzmTreeviewPanel::SetSystem(TzmSystem* system) { Tree_->SetSystem(system); }

TzmSystem* TzmTreeviewPanel::GetSystem() const { return Tree_->System(); }

void TzmTreeviewPanel::contextMenuEvent(QContextMenuEvent* event) {
  if (!PopupMenu_) {
    event->ignore();
    return;
  }
  PopupMenu_->popup(event->globalPos());
  event->accept();
}

void TzmTreeviewPanel::mouseDoubleClickEvent(QMouseEvent* event) {
  QFrame::mouseDoubleClickEvent(event);
  emit DoubleClick(this);
}

bool TzmTreeviewPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Caption_ && event->type() == QEvent::MouseButtonDblClick) {
    emit DoubleClick(Caption_);
    return true;
  }
  return QFrame::eventFilter(watched, event);
}
