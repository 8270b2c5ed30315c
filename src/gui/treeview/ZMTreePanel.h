#pragma once
// TzmTreeviewPanel: the "System" caption bar over the tree, as one widget the
// main window places on its first page.
#include <QFrame>

#include "model/ZMTreeSystem.h"

class QLabel;
class QMenu;
class TzmTreeview;

class TzmTreeviewPanel : public QFrame {
  Q_OBJECT
 public:
  explicit TzmTreeviewPanel(QWidget* owner = nullptr);

  void SetSystem(TzmSystem* system);
  TzmSystem* GetSystem() const;

  TzmTreeview* Tree() const { return Tree_; }
  QLabel* CaptionBar() const { return Caption_; }

  // Shown at the pointer on a context-menu request anywhere in the panel.
  void SetPopupMenu(QMenu* menu) { PopupMenu_ = menu; }
  QMenu* PopupMenu() const { return PopupMenu_; }

 signals:
  // The panel, its caption bar or the tree was double-clicked; `sender` is
  // the control that was.
  void DoubleClick(QObject* sender);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* Caption_;
  TzmTreeview* Tree_;
  QMenu* PopupMenu_ = nullptr;
};
