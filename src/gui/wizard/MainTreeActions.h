#pragma once
// TMainTreeActions: the actions of the tree page, their tool bar
// `tbarConfigUPS`, the tree's pop-up menu `pumUPS` and the Configure menu
// items, bound to the core's TMainTreeCommands. The main window places the
// tool bar, puts the Configure items into its menu, hands on the Delete key,
// and calls UpdateTreeActions where its wizard view is asked to.
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "wizard/MainDialogs.h"
#include "wizard/MainTreeCommands.h"

class QAction;
class QMenu;
class QToolBar;
class TConfigWizardLogic;
class TControlUnitBar;
class TzmTreeview;
class TzmTreeviewPanel;

// The tree control of the panel as the commands see it.
class TMainTreeViewQt : public IMainTreeView {
 public:
  explicit TMainTreeViewQt(TzmTreeviewPanel* panel) : Panel_(panel) {}
  TzmTreeSelection Selection() const override;
  void FocusNode(TzmSystemNode* node) override;
  void ExpandNode(TzmSystemNode* node) override;
  bool StartEditing() override;
  bool IsEditing() const override;

  // Before the edit box hands a name to its node: Cancels the edit and says
  // why when the name may not be stored. Set by TMainTreeActions.
  std::function<bool(const std::string&)> AcceptName;
  // Ends a running edit the way a user would, refusing a bad name.
  void FinishEditing();

 private:
  // None once the panel is gone.
  TzmTreeview* Tree() const;
  QPointer<TzmTreeviewPanel> Panel_;
};

class TMainTreeActions : public QObject {
  Q_OBJECT
 public:
  TMainTreeActions(TConfigWizardLogic& wizard, IMainDialogs& dialogs, TzmTreeviewPanel* panel,
                   QWidget* parent);
  ~TMainTreeActions() override;

  QToolBar* tbarConfigUPS() const { return tbarConfigUPS_; }
  QMenu* pumUPS() const { return pumUPS_; }
  // An action or menu item of the tree page by its name; nullptr when unknown.
  QAction* Action(const QString& name) const;
  TMainTreeCommands& Commands() { return *Commands_; }
  TMainTreeViewQt& TreeView() { return *View_; }

  // Adds "Battery setup", "Configure string" and "Alarm limits" to a menu.
  void FillConfigureMenu(QMenu* menu);
  // Makes pumUPS the panel's pop-up menu and runs the node count edit on its
  // double-click.
  void WirePanel();
  // Puts the control unit actions on the tool bar with their pictures.
  void AttachControlUnitBar(TControlUnitBar* bar);

 public slots:
  // Enables the actions for the current selection kinds.
  void UpdateTreeActions();
  // The window's Delete key.
  void DeleteKeyPressed();
  // The panel's double-click.
  void PanelDoubleClick();

 private:
  QAction* MakeAction(const char* name, const char* caption, const char* hint, int picture = -1);
  QAction* MakeMenuItem(const char* name, const char* caption, QAction* target, bool followTarget);
  void BuildToolBar();
  void BuildPopupMenu();
  void ApplyStates();

  TConfigWizardLogic& Wizard_;
  QPointer<TzmTreeviewPanel> Panel_;
  std::unique_ptr<TMainTreeViewQt> View_;
  std::unique_ptr<TMainTreeCommands> Commands_;
  std::map<QString, QAction*> Actions_;
  QToolBar* tbarConfigUPS_ = nullptr;
  QMenu* pumUPS_ = nullptr;
  QObject* RenameGuard_ = nullptr;
};
