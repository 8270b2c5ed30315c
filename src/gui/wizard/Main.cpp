#include "wizard/Main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStackedLayout>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <exception>

#include "app/QtUserInterface.h"
#include "common/ZMCommandGuard.h"
#include "app/ZMHelp.h"
#include "dialogs/fmAbout.h"
#include "wizard/MainSettings.h"
#include "wizard/ZMHelpTopics.h"
#include "editgrid/UEditStringGrid.h"
#include "treeview/ZMTreePanel.h"
#include "walkthrough/fmWalkThrough.h"
#include "treeview/ZMTreeview.h"
#include "treeview/ZMTreeviewModel.h"
#include "wizard/ControlUnitBar.h"
#include "wizard/MainDialogs.h"
#include "wizard/MainSiteFiles.h"
#include "wizard/MainTreeActions.h"

namespace {
QAction* MakeAction(QObject* parent, const char* name, const char* caption, const char* hint = nullptr) {
  auto* action = new QAction(QString::fromUtf8(caption), parent);
  action->setObjectName(QString::fromUtf8(name));
  if (hint) {
    action->setStatusTip(QString::fromUtf8(hint));
    action->setToolTip(QString::fromUtf8(hint));
  }
  return action;
}
}  // namespace

TfmConfigWizard::TfmConfigWizard(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("fmConfigWizard"));
  resize(613, 452);
  siteFiles_ = new TMainSiteFiles(*this);
  siteFiles_->SetCaption(QStringLiteral("Configuration Builder"));

  tbarConfigUPS_ = new QToolBar(this);
  tbarConfigUPS_->setObjectName(QStringLiteral("tbarConfigUPS"));
  tbarConfigUPS_->setMovable(false);
  tbarConfigUPS_->setFloatable(false);
  tbarConfigUPS_->setIconSize(QSize(32, 32));
  addToolBar(Qt::TopToolBarArea, tbarConfigUPS_);
  addToolBarBreak(Qt::TopToolBarArea);
  tbarControlUnits_ = new TControlUnitBar(Logic_.ControlUnits(), this);
  addToolBar(Qt::TopToolBarArea, tbarControlUnits_);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  pnlMain_ = new QStackedWidget(central);
  pnlMain_->setObjectName(QStringLiteral("pnlMain"));
  SetHelpContext(this, kHelpContextWindow);
  SetHelpContext(pnlMain_, kHelpContextMain);
  treePanel_ = new TzmTreeviewPanel(pnlMain_);
  sgConfig_ = new TEditStringGrid(pnlMain_);
  sgConfig_->setObjectName(QStringLiteral("sgConfig"));
  SetHelpContext(sgConfig_, kHelpContextMain);
  sgConfig_->SetGrid(&Logic_.Grid());
  pnlMain_->addWidget(treePanel_);
  pnlMain_->addWidget(sgConfig_);
  layout->addWidget(pnlMain_, 1);
  BuildDirectionPanel();
  layout->addWidget(pnlDirection_);
  setCentralWidget(central);

  statusLine_ = new QStatusBar(this);
  statusLine_->setObjectName(QStringLiteral("StatusLine"));
  setStatusBar(statusLine_);

  BuildGridActions();
  BuildMenus();

  // Window creation: the system with one battery, shown in the tree, its first
  // battery focused, and the first page set up.
  Logic_.SetView(this);
  tbarControlUnits_->WatchTree(treePanel_->Tree());
  Guarded([this] { Logic_.FormCreate(); });
  treePanel_->SetSystem(&Logic_.System());
  TzmTreeview* tree = treePanel_->Tree();
  tree->header()->resizeSection(0, 200);
  tree->header()->resizeSection(1, 160);
  tree->header()->resizeSection(2, 100);
  tree->header()->resizeSection(3, 100);
  tree->Model()->SetColumnCaptions({QStringLiteral("Entire System"), QString(), QStringLiteral("Low Alarm"),
                                     QStringLiteral("High Alarm")});
  if (Logic_.System().BatteryCount() > 0) Logic_.System().GetBattery(0)->SelectInView();
  tbarControlUnits_->Sync();
  Guarded([this] { Logic_.UpdateWizardButtons(); });
  Logic_.OnNewSystemStarted = [this] { siteFiles_->Document().NewSystemStarted(); };
  Guarded([this] { siteFiles_->Document().MarkUnmodified(); });
}

TfmConfigWizard::~TfmConfigWizard() {
  treePanel_->SetSystem(nullptr);
  sgConfig_->SetGrid(nullptr);
  Logic_.SetView(nullptr);
  delete siteFiles_;
  siteFiles_ = nullptr;
  // The tree commands and the control unit bar hold on to the logic and let
  // go of it when they are destroyed: they go now, while it still exists,
  // not with the window's other children after it.
  delete treeActions_;
  treeActions_ = nullptr;
  delete tbarControlUnits_;
  tbarControlUnits_ = nullptr;
}

QWidget* TfmConfigWizard::pnlMain() const { return pnlMain_; }

void TfmConfigWizard::Guarded(const std::function<void()>& command) { RunGuarded(command); }

void TfmConfigWizard::AttachTreeCommands(IMainDialogs& dialogs) {
  dialogs_ = &dialogs;
  removeToolBar(tbarConfigUPS_);
  delete tbarConfigUPS_;
  treeActions_ = new TMainTreeActions(Logic_, dialogs, treePanel_, this);
  tbarConfigUPS_ = treeActions_->tbarConfigUPS();
  tbarConfigUPS_->setMovable(false);
  tbarConfigUPS_->setFloatable(false);
  insertToolBar(tbarControlUnits_, tbarConfigUPS_);
  insertToolBarBreak(tbarControlUnits_);
  treeActions_->AttachControlUnitBar(tbarControlUnits_);
  treeActions_->WirePanel();
  configureMenu_->removeAction(mnuWalkThrough_);
  treeActions_->FillConfigureMenu(configureMenu_);
  configureMenu_->addAction(mnuWalkThrough_);
  Logic_.OnNewSystemStarted = [this] {
    treeActions_->Commands().NewSystemStarted();
    siteFiles_->Document().NewSystemStarted();
  };
  Logic_.OnConfigureBatteries = [this] {
    if (QAction* configure = treeActions_->Action(QStringLiteral("actConfigureBatteries"))) configure->trigger();
  };
  // The global alarm limits are the alarm dialog's current values.
  Logic_.OnReadGlobalAlarms = [this](TAlarmLimits& limits) { limits = dialogs_->AlarmLimits(); };

  ShowPage(Logic_.State());
  Guarded([this] { Logic_.UpdateWizardButtons(); });
}

void TfmConfigWizard::AttachWalkthrough(TfmWalkthru* walkthru) {
  if (walkthru_ && walkthru_ != walkthru) walkthru_->OnReportShown = nullptr;
  walkthru_ = walkthru;
  mnuWalkThrough_->setEnabled(walkthru_ != nullptr);
  // The report pages come after the strings were put on control units: the
  // status line then tells what the check behind Next says now, not what it
  // said before the walk-through.
  if (walkthru_)
    walkthru_->OnReportShown = [this] {
      if (Logic_.State() == wsDefine) Guarded([this] { Logic_.VerifySystem(); });
    };
}

void TfmConfigWizard::mnuWalkThroughClick() {
  if (!walkthru_) return;
  pnlDirection_->hide();
  tbarConfigUPS_->hide();
  tbarControlUnits_->hide();
  bool finished = false;
  Guarded([this, &finished] { finished = walkthru_->Execute(&Logic_.System()); });
  pnlDirection_->show();
  tbarConfigUPS_->setVisible(Logic_.State() == wsDefine);
  // The buttons are brought in line with the control units by the wizard
  // button update; the bar shows only with at least one of them.
  Guarded([this, finished] { Logic_.AfterWalkThrough(finished); });
  tbarControlUnits_->Sync();
  tbarControlUnits_->SetOnTreePage(Logic_.State() == wsDefine);
}

void TfmConfigWizard::BuildDirectionPanel() {
  pnlDirection_ = new QWidget(this);
  pnlDirection_->setObjectName(QStringLiteral("pnlDirection"));
  pnlDirection_->setFixedHeight(41);
  auto* row = new QHBoxLayout(pnlDirection_);
  row->setContentsMargins(8, 8, 8, 8);
  auto makeButton = [this](const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), pnlDirection_);
    b->setObjectName(QString::fromUtf8(name));
    b->setFixedSize(75, 25);
    return b;
  };
  btnBack_ = makeButton("btnBack", "<< &Back");
  btnNext_ = makeButton("btnNext", "&Next >>");
  btnCancel_ = makeButton("btnCancel", "&Cancel");
  btnBack_->setEnabled(false);
  btnNext_->setEnabled(false);
  row->addStretch(1);
  row->addWidget(btnBack_);
  row->addWidget(btnNext_);
  row->addSpacing(12);
  row->addWidget(btnCancel_);
  connect(btnNext_, &QPushButton::clicked, this, [this] { ChangeStateClick(true); });
  connect(btnBack_, &QPushButton::clicked, this, [this] { ChangeStateClick(false); });
  connect(btnCancel_, &QPushButton::clicked, this, &QWidget::close);
}

void TfmConfigWizard::BuildGridActions() {
  actGridEditUndo_ = MakeAction(this, "actGridEditUndo", "Undo");
  actGridEditCut_ = MakeAction(this, "actGridEditCut", "Cut");
  actGridEditCopy_ = MakeAction(this, "actGridEditCopy", "Copy");
  actGridEditPaste_ = MakeAction(this, "actGridEditPaste", "Paste");
  actGridEditFill_ = MakeAction(this, "actGridEditFill", "Fill selected ...");
  actGridEditUndo_->setShortcut(QKeySequence::Undo);
  for (QAction* a : {actGridEditUndo_, actGridEditCut_, actGridEditCopy_, actGridEditPaste_, actGridEditFill_}) {
    a->setShortcutContext(Qt::WidgetShortcut);
    a->setEnabled(false);
  }
  connect(actGridEditUndo_, &QAction::triggered, this, [this] { Guarded([this] { sgConfig_->Undo(); }); });
  connect(actGridEditCut_, &QAction::triggered, this, [this] { Guarded([this] { sgConfig_->CutBlock(); }); });
  connect(actGridEditCopy_, &QAction::triggered, this, [this] { Guarded([this] { sgConfig_->CopyBlock(); }); });
  connect(actGridEditPaste_, &QAction::triggered, this, [this] { Guarded([this] { sgConfig_->PasteBlock(); }); });
  connect(actGridEditFill_, &QAction::triggered, this, [this] { Guarded([this] { Logic_.FillSelected(); }); });

  pumGrid_ = new QMenu(this);
  pumGrid_->setObjectName(QStringLiteral("pumGrid"));
  pumGrid_->addAction(actGridEditUndo_);
  pumGrid_->addSeparator();
  pumGrid_->addAction(actGridEditCut_);
  pumGrid_->addAction(actGridEditCopy_);
  pumGrid_->addAction(actGridEditPaste_);
  pumGrid_->addSeparator();
  QAction* fill = pumGrid_->addAction(actGridEditFill_->text());
  fill->setObjectName(QStringLiteral("mnuFillSelection"));
  connect(fill, &QAction::triggered, actGridEditFill_, &QAction::trigger);
  connect(pumGrid_, &QMenu::aboutToShow, this, [this, fill] {
    UpdateGridActions();
    fill->setEnabled(actGridEditFill_->isEnabled());
  });
  // Marking a block puts the grid into copy mode and ending it takes it out:
  // the status line shows the hint of the mode the grid is in now.
  connect(sgConfig_, &TEditStringGrid::OnSetBlock, this, [this] {
    gridCopyHintShown_ = true;
    ShowGridHint();
  });
  connect(sgConfig_, &TEditStringGrid::OnReleaseBlock, this, [this] {
    if (!gridCopyHintShown_) return;  // not in copy mode (editing was switched on)
    gridCopyHintShown_ = false;
    ShowGridHint();
  });
  sgConfig_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(sgConfig_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    // The grid has its pop-up menu only while direct editing is on.
    if (Logic_.DirectEditing()) pumGrid_->popup(sgConfig_->viewport()->mapToGlobal(pos));
  });
}

void TfmConfigWizard::BuildMenus() {
  menuHost_ = new QWidget(this);
  menuHost_->setObjectName(QStringLiteral("pnlMenus"));
  menuStack_ = new QStackedLayout(menuHost_);
  menuStack_->setContentsMargins(0, 0, 0, 0);

  // The tree page's menu.
  mainMenu_ = new QMenuBar(menuHost_);
  mainMenu_->setObjectName(QStringLiteral("MainMenu"));
  QMenu* file = mainMenu_->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("FileMenu"));
  QAction* fileNew = MakeAction(this, "FileNewItem", "&New", "Create a new file");
  fileNew->setShortcut(QKeySequence::New);
  file->addAction(fileNew);
  connect(fileNew, &QAction::triggered, this, [this] { Guarded([this] { siteFiles_->Document().FileNew(); }); });
  file->addAction(siteFiles_->FileOpenItem());
  file->addAction(siteFiles_->FileSaveItem());
  file->addAction(siteFiles_->FileSaveAsItem());
  file->addSeparator();
  file->addAction(siteFiles_->FileImportItem());
  file->addSeparator();
  struct TDisabled {
    const char* name;
    const char* caption;
    const char* hint;
  };
  for (const TDisabled& d : {TDisabled{"FilePrintItem", "&Print", "Print current file"},
                             TDisabled{"FilePrintSetupItem", "P&rint Setup...", "Change printer setup"}}) {
    QAction* item = MakeAction(this, d.name, d.caption, d.hint);
    item->setEnabled(false);
    file->addAction(item);
  }
  file->addSeparator();
  QAction* fileExit = MakeAction(this, "FileExitItem", "E&xit", "Exit this application");
  fileExit->setShortcut(QKeySequence::Quit);
  file->addAction(fileExit);
  siteFiles_->PlaceRecentList(file, fileExit);
  connect(fileExit, &QAction::triggered, this, &QWidget::close);

  configureMenu_ = mainMenu_->addMenu(QStringLiteral("&Configure"));
  configureMenu_->setObjectName(QStringLiteral("ConfigureMenu"));
  mnuWalkThrough_ = MakeAction(this, "mnuWalkThrough", "Walk through mode",
                               "Describe the system by answering questions");
  mnuWalkThrough_->setEnabled(false);
  configureMenu_->addAction(mnuWalkThrough_);
  connect(mnuWalkThrough_, &QAction::triggered, this, [this] { mnuWalkThroughClick(); });

  QMenu* options = mainMenu_->addMenu(QStringLiteral("&Options"));
  options->setObjectName(QStringLiteral("OptionsMenu"));
  mnuVersion2AlarmCompatibility_ = MakeAction(this, "mnuVersion2AlarmCompatibility", "&Global alarm setting");
  mnuVersion2AlarmCompatibility_->setCheckable(true);
  options->addAction(mnuVersion2AlarmCompatibility_);
  connect(mnuVersion2AlarmCompatibility_, &QAction::triggered, this, [this] {
    siteFiles_->SetCaption(QString::fromStdString(Logic_.ToggleGlobalAlarmSetting()));
    mnuVersion2AlarmCompatibility_->setChecked(Logic_.GlobalAlarmSetting);
    Guarded([this] { Logic_.UpdateWizardButtons(); });
  });
  mnuVersion2AlarmCompatibility_->setStatusTip(QStringLiteral("Apply one set of alarm limits to the whole system"));

  QMenu* help = mainMenu_->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("HelpMenu"));
  QAction* contents = MakeAction(this, "HelpContentsItem", "&Contents", "Display the help contents screen");
  QAction* search = MakeAction(this, "HelpSearchItem", "&Search for Help On...", "Search help file for a topic");
  QAction* howTo = MakeAction(this, "HelpHowToUseItem", "&How to Use Help", "Help on using the help system");
  QAction* about = MakeAction(this, "HelpAboutItem", "&About...", "Show program information");
  help->addAction(contents);
  help->addAction(search);
  help->addAction(howTo);
  help->addSeparator();
  help->addAction(about);
  connect(contents, &QAction::triggered, this, [] { ApplicationHelp().HelpContents(); });
  connect(search, &QAction::triggered, this, [] { ApplicationHelp().HelpSearch(""); });
  connect(howTo, &QAction::triggered, this, [] { ApplicationHelp().HelpOnHelp(); });
  connect(about, &QAction::triggered, this,
          [this] { ShowAboutBox(QStringLiteral("Zelmor Configuration Wizard"), this); });

  // The grid page's menu.
  mmuGrid_ = new QMenuBar(menuHost_);
  mmuGrid_->setObjectName(QStringLiteral("mmuGrid"));
  QMenu* gridFile = mmuGrid_->addMenu(QStringLiteral("&File"));
  gridFile->setObjectName(QStringLiteral("GridFileMenu"));
  // Ctrl+S saves the site file on every page; this item has no key.
  QAction* save1 = MakeAction(this, "Save1", "Save");
  gridFile->addAction(save1);
  gridFile->addSeparator();
  QAction* exit1 = MakeAction(this, "Exit1", "E&xit");
  gridFile->addAction(exit1);
  connect(save1, &QAction::triggered, this, [this] {
    Guarded([this] { Logic_.Save1Click(); });
    ApplyGridColumnWidths();
  });
  connect(exit1, &QAction::triggered, this, &QWidget::close);

  QMenu* edit = mmuGrid_->addMenu(QStringLiteral("&Edit"));
  edit->setObjectName(QStringLiteral("GridEditMenu"));
  mnuEditConfiguration_ = MakeAction(this, "mnuEditConfiguration", "Edit configuration");
  mnuEditConfiguration_->setCheckable(true);
  edit->addAction(mnuEditConfiguration_);
  edit->addSeparator();
  edit->addAction(actGridEditUndo_);
  edit->addSeparator();
  edit->addAction(actGridEditCut_);
  edit->addAction(actGridEditCopy_);
  edit->addAction(actGridEditPaste_);
  connect(edit, &QMenu::aboutToShow, this, [this] { UpdateGridActions(); });
  connect(mnuEditConfiguration_, &QAction::triggered, this,
          [this] { SetEditConfiguration(!Logic_.DirectEditing()); });
  QAction* about1 = MakeAction(this, "About1", "About", "Show program information");
  mmuGrid_->addAction(about1);
  connect(about1, &QAction::triggered, this,
          [this] { ShowAboutBox(QStringLiteral("Zelmor Configuration Wizard"), this); });

  menuStack_->addWidget(mainMenu_);
  menuStack_->addWidget(mmuGrid_);
  setMenuWidget(menuHost_);
}

void TfmConfigWizard::SetEditConfiguration(bool on) {
  Logic_.SetDirectEditing(on);
  mnuEditConfiguration_->setChecked(on);
  UpdateGridActions();
}

void TfmConfigWizard::ShowGridHint() {
  if (sgConfig_->isVisible()) statusLine_->showMessage(sgConfig_->Hint());
}

void TfmConfigWizard::UpdateGridActions() {
  const TGridActionStates states = Logic_.GridActionStates();
  actGridEditUndo_->setEnabled(states.Undo);
  actGridEditCut_->setEnabled(states.Cut);
  actGridEditCopy_->setEnabled(states.Copy);
  actGridEditPaste_->setEnabled(states.Paste);
  actGridEditFill_->setEnabled(states.Fill);
  mnuEditConfiguration_->setChecked(states.EditConfigurationChecked);
}

QMenuBar* TfmConfigWizard::CurrentMenu() const {
  if (!menuHost_->isVisibleTo(const_cast<TfmConfigWizard*>(this))) return nullptr;
  return static_cast<QMenuBar*>(menuStack_->currentWidget());
}

void TfmConfigWizard::SetMenu(QMenuBar* menu) {
  if (menu) menuStack_->setCurrentWidget(menu);
  menuHost_->setVisible(menu != nullptr);
}

void TfmConfigWizard::ChangeStateClick(bool forward) {
  Guarded([this, forward] { Logic_.ChangeState(forward); });
  ApplyGridColumnWidths();
}

void TfmConfigWizard::ApplyGridColumnWidths() {
  for (size_t c = 0; c < columnWidths_.size(); ++c)
    if (columnWidths_[c] > 0) sgConfig_->setColumnWidth(static_cast<int>(c), columnWidths_[c]);
}

// --- IConfigWizardView --------------------------------------------------------

void TfmConfigWizard::ShowStatus(const std::string& text) { statusLine_->showMessage(ToQString(text)); }

void TfmConfigWizard::SetNextButton(bool enabled, const std::string& caption) {
  btnNext_->setEnabled(enabled);
  btnNext_->setText(ToQString(caption));
  // Every command that changes the model ends here.
  siteFiles_->NoteChange();
}

void TfmConfigWizard::SetBackEnabled(bool enabled) { btnBack_->setEnabled(enabled); }

void TfmConfigWizard::SetNextHint(const std::string& hint) {
  const QString text = ToQString(hint);
  for (QWidget* w : {static_cast<QWidget*>(btnNext_), pnlDirection_}) {
    w->setToolTip(text);
    w->setStatusTip(text);
  }
}

void TfmConfigWizard::ShowPage(int state) {
  const bool treePage = state == wsDefine;
  tbarConfigUPS_->setVisible(treePage);
  tbarControlUnits_->SetOnTreePage(treePage);
  pnlMain_->setCurrentWidget(treePage ? static_cast<QWidget*>(treePanel_) : sgConfig_);
  if (treePage) {
    SetMenu(mainMenu_);
    helpContext_ = kHelpContextMain;
  } else {
    SetMenu(state == wsVerify ? mmuGrid_ : nullptr);
  }
  SetHelpContext(this, helpContext_);
}

void TfmConfigWizard::UseGridMenu() { SetMenu(mmuGrid_); }

void TfmConfigWizard::UpdateTreeActions() {
  tbarControlUnits_->Sync();
  tbarControlUnits_->UpdateActions();
  if (treeActions_) treeActions_->UpdateTreeActions();
  if (OnUpdateTreeActions) OnUpdateTreeActions();
}

void TfmConfigWizard::SetGridColumnWidthForText(int col, const std::string& text) {
  if (col < 0) return;
  if (columnWidths_.size() <= static_cast<size_t>(col)) columnWidths_.resize(static_cast<size_t>(col) + 1);
  columnWidths_[static_cast<size_t>(col)] = fontMetrics().horizontalAdvance(ToQString(text));
}

void TfmConfigWizard::CloseWindow() { close(); }

void TfmConfigWizard::SystemReplaced() {
  treePanel_->SetSystem(&Logic_.System());
  if (Logic_.System().BatteryCount() > 0) Logic_.System().GetBattery(0)->SelectInView();
}

void TfmConfigWizard::ShowAtStartUp() {
  if (const QScreen* screen = this->screen()) {
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  showMaximized();
}

void TfmConfigWizard::SetGlobalAlarmTick(bool ticked) {
  // Restoring the tick leaves the caption as it is.
  Logic_.GlobalAlarmSetting = ticked;
  mnuVersion2AlarmCompatibility_->setChecked(ticked);
}

void TfmConfigWizard::UseSettings(const std::string& settingsReadPath, const std::string& formStoragePath) {
  ReadSettings(settingsReadPath, Logic_.InitialDir);
  formStoragePath_ = formStoragePath;
  if (formStoragePath_.empty()) return;
  const TFormPlacement placement = TFormStorage(formStoragePath_).Restore(width(), height(), Logic_.GlobalAlarmSetting);
  resize(placement.Width, placement.Height);
  SetGlobalAlarmTick(placement.GlobalAlarmSetting);
  siteFiles_->Document().UseRecentList(formStoragePath_);
  Guarded([this] { siteFiles_->Document().MarkUnmodified(); });
}

void TfmConfigWizard::DescriptionLoaded() {
  SetGlobalAlarmTick(Logic_.GlobalAlarmSetting);
  tbarControlUnits_->Sync();
  tbarControlUnits_->SetOnTreePage(Logic_.State() == wsDefine);
}

// --- Events --------------------------------------------------------------------

void TfmConfigWizard::closeEvent(QCloseEvent* event) {
  bool mayClose = true;
  Guarded([this, &mayClose] { mayClose = siteFiles_->Document().CloseQuery(); });
  if (!mayClose) {
    event->ignore();
    return;
  }
  siteFiles_->Document().CleanExit();
  if (!formStoragePath_.empty()) {
    const QSize size = isMaximized() || isFullScreen() ? normalGeometry().size() : this->size();
    std::string failure;
    if (!TFormStorage(formStoragePath_).Save(size.width(), size.height(), Logic_.GlobalAlarmSetting, &failure))
      UserMessages().Show(TMsgKind::Error, failure, TMsgButtons::Ok);
  }
  event->accept();
}

void TfmConfigWizard::keyPressEvent(QKeyEvent* event) {
  // The Delete key deletes the focused node on the tree page unless the tree
  // is editing a name (the edit box has the key then).
  if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier && Logic_.State() == wsDefine &&
      treeActions_ && treePanel_->Tree()->FocusedNode() && !treePanel_->Tree()->IsEditing()) {
    Guarded([this] { treeActions_->DeleteKeyPressed(); });
    event->accept();
    return;
  }
  QMainWindow::keyPressEvent(event);
}
