#pragma once
// TfmConfigWizard: the main window of Configuration Builder. It shows the
// wizard pages of TConfigWizardLogic: the system tree with its tool bars, the
// configuration grid with its menu, and the save step.
#include <QMainWindow>
#include <functional>
#include <vector>

#include "wizard/MainWizard.h"
#include "wizard/ZMHelpTopics.h"

class QAction;
class QMenu;
class QMenuBar;
class QPushButton;
class QStackedLayout;
class QStackedWidget;
class QStatusBar;
class QToolBar;
class TControlUnitBar;
class TEditStringGrid;
class TzmTreeviewPanel;
class IMainDialogs;
class TMainTreeActions;
class TfmWalkthru;
class TMainSiteFiles;

class TfmConfigWizard : public QMainWindow, public IConfigWizardView {
  Q_OBJECT
 public:
  explicit TfmConfigWizard(QWidget* parent = nullptr);
  ~TfmConfigWizard() override;

  TConfigWizardLogic& Logic() { return Logic_; }

  QWidget* pnlMain() const;
  QWidget* pnlDirection() const { return pnlDirection_; }
  QPushButton* btnBack() const { return btnBack_; }
  QPushButton* btnNext() const { return btnNext_; }
  QPushButton* btnCancel() const { return btnCancel_; }
  QStatusBar* StatusLine() const { return statusLine_; }
  TzmTreeviewPanel* TreePanel() const { return treePanel_; }
  TEditStringGrid* sgConfig() const { return sgConfig_; }
  TControlUnitBar* tbarControlUnits() const { return tbarControlUnits_; }
  QToolBar* tbarConfigUPS() const { return tbarConfigUPS_; }
  QMenuBar* MainMenu() const { return mainMenu_; }
  QMenuBar* mmuGrid() const { return mmuGrid_; }
  QMenu* ConfigureMenu() const { return configureMenu_; }
  QMenu* pumGrid() const { return pumGrid_; }
  // The menu bar shown now: MainMenu, mmuGrid or none (the save page).
  QMenuBar* CurrentMenu() const;
  int HelpContext() const { return helpContext_; }

  // Binds the tree page's commands to the program's dialogs: the tool bar
  // pictures and actions, the pop-up menu, the Configure menu, the Delete key
  // and the double-click node count edit.
  void AttachTreeCommands(IMainDialogs& dialogs);
  TMainTreeActions* TreeActions() const { return treeActions_; }

  // Site files: File Open, Save, Save As, the recent list, the title, the
  // check for unsaved changes and the recovery copy.
  TMainSiteFiles& SiteFiles() const { return *siteFiles_; }
  // A site file was read in: the settings it brought are shown.
  void DescriptionLoaded();

  // The walk-through window the Walk through mode command runs.
  void AttachWalkthrough(TfmWalkthru* walkthru);
  // Configure > Walk through mode; also run once by itself after start-up.
  void mnuWalkThroughClick();
  QAction* mnuWalkThrough() const { return mnuWalkThrough_; }

  // Reads the save dialog's folder from the settings file, and restores the
  // window size and the global alarm tick from the form storage file, which
  // is written again when the window closes.
  void UseSettings(const std::string& settingsReadPath, const std::string& formStoragePath);

  // Opens the window centred on its screen and maximized. The size it had
  // (the restored one) stays its normal size, which closing stores.
  void ShowAtStartUp();

  // Runs a command of the window; an error that reaches here is shown in the
  // application's error box and the window stays as it was.
  void Guarded(const std::function<void()>& command);

  // IConfigWizardView
  void ShowStatus(const std::string& text) override;
  void SetNextButton(bool enabled, const std::string& caption) override;
  void SetBackEnabled(bool enabled) override;
  void SetNextHint(const std::string& hint) override;
  void ShowPage(int state) override;
  void UseGridMenu() override;
  void UpdateTreeActions() override;
  void SetGridColumnWidthForText(int col, const std::string& text) override;
  void CloseWindow() override;
  void SystemReplaced() override;

  // Called by the tree page's commands when the tree actions are to be updated.
  std::function<void()> OnUpdateTreeActions;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildMenus();
  void BuildGridActions();
  void BuildDirectionPanel();
  void UpdateGridActions();
  void SetMenu(QMenuBar* menu);
  void ApplyGridColumnWidths();
  void ChangeStateClick(bool forward);
  void SetEditConfiguration(bool on);
  // The grid's mode hint on the status line, while the grid is shown.
  void ShowGridHint();
  void SetGlobalAlarmTick(bool ticked);

  TConfigWizardLogic Logic_;
  TMainTreeActions* treeActions_ = nullptr;
  TMainSiteFiles* siteFiles_ = nullptr;
  IMainDialogs* dialogs_ = nullptr;
  TfmWalkthru* walkthru_ = nullptr;
  QAction* mnuWalkThrough_ = nullptr;
  QStackedWidget* pnlMain_ = nullptr;
  TzmTreeviewPanel* treePanel_ = nullptr;
  TEditStringGrid* sgConfig_ = nullptr;
  QToolBar* tbarConfigUPS_ = nullptr;
  TControlUnitBar* tbarControlUnits_ = nullptr;
  QWidget* menuHost_ = nullptr;
  QStackedLayout* menuStack_ = nullptr;
  QMenuBar* mainMenu_ = nullptr;
  QMenuBar* mmuGrid_ = nullptr;
  QMenu* configureMenu_ = nullptr;
  QMenu* pumGrid_ = nullptr;
  QAction* mnuVersion2AlarmCompatibility_ = nullptr;
  QAction* mnuEditConfiguration_ = nullptr;
  QAction* actGridEditUndo_ = nullptr;
  QAction* actGridEditCut_ = nullptr;
  QAction* actGridEditCopy_ = nullptr;
  QAction* actGridEditPaste_ = nullptr;
  QAction* actGridEditFill_ = nullptr;
  QWidget* pnlDirection_ = nullptr;
  QPushButton* btnBack_ = nullptr;
  QPushButton* btnNext_ = nullptr;
  QPushButton* btnCancel_ = nullptr;
  QStatusBar* statusLine_ = nullptr;
  std::vector<int> columnWidths_;
  int helpContext_ = kHelpContextWindow;
  std::string formStoragePath_;
  bool closing_ = false;
  bool gridCopyHintShown_ = false;
};
