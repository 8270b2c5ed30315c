#include "wizard/MainTreeActions.h"

#include <QAction>
#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include "common/ZMCharset.h"
#include "treeview/ZMTreePanel.h"
#include "treeview/ZMTreeview.h"
#include "treeview/ZMTreeviewEdit.h"
#include "wizard/ControlUnitBar.h"
#include "wizard/MainTreeActionsIcons.h"
#include "wizard/MainWizard.h"

namespace ta = tree_action;

namespace {
constexpr int kButtonWidth = 40;
constexpr int kButtonHeight = 38;

// Watches the tree's edit box: a name the commands refuse never reaches its
// node; the edit is cancelled and the old name stays.
class TRenameGuard : public QObject {
 public:
  TRenameGuard(TMainTreeViewQt& view, TzmTreeviewEditLink* link, QObject* parent)
      : QObject(parent), View_(view), Link_(link) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != Link_->Edit() || !Link_->Editing()) return false;
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      const bool ends = key == Qt::Key_Return || key == Qt::Key_Enter ||
                        ((key == Qt::Key_Up || key == Qt::Key_Down) && Link_->Edit()->isModified());
      return ends && Refused();
    }
    if (event->type() == QEvent::FocusOut) Refused();
    return false;
  }

 private:
  bool Refused() {
    if (!Link_->Edit()->isModified() || !View_.AcceptName) return false;
    const std::string text = Link_->Edit()->text().toStdString();
    if (NameFitsConfigFile(text)) return false;
    // Cancel first: the message box takes the focus from the edit box.
    Link_->CancelEdit();
    View_.AcceptName(text);
    return true;
  }

  TMainTreeViewQt& View_;
  TzmTreeviewEditLink* Link_;
};
}  // namespace

// --- the tree as the commands see it ----------------------------------------------------

TzmTreeview* TMainTreeViewQt::Tree() const { return Panel_ ? Panel_->Tree() : nullptr; }

TzmTreeSelection TMainTreeViewQt::Selection() const {
  TzmTreeSelection selection;
  if (!Tree()) return selection;
  selection.Selected = Tree()->SelectedNodes();
  selection.Focused = Tree()->FocusedNode();
  return selection;
}

void TMainTreeViewQt::FocusNode(TzmSystemNode* node) {
  if (!Tree()) return;
  QItemSelectionModel* selection = Tree()->selectionModel();
  const QModelIndex index = node ? Tree()->IndexOfNode(node) : QModelIndex();
  if (!index.isValid()) {
    selection->clearCurrentIndex();
    return;
  }
  selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
  Tree()->scrollTo(index);
}

void TMainTreeViewQt::ExpandNode(TzmSystemNode* node) {
  if (!Tree()) return;
  const QModelIndex index = Tree()->IndexOfNode(node);
  if (index.isValid()) Tree()->expand(index);
}

void TMainTreeViewQt::FinishEditing() {
  if (!Tree()) return;
  TzmTreeviewEditLink* link = Tree()->EditLink();
  if (!link->Editing()) return;
  const std::string text = link->Edit()->text().toStdString();
  if (link->Edit()->isModified() && AcceptName && !NameFitsConfigFile(text)) {
    link->CancelEdit();
    AcceptName(text);
    return;
  }
  link->EndEdit();
}

bool TMainTreeViewQt::StartEditing() {
  FinishEditing();
  return Tree() && Tree()->Rename();
}

bool TMainTreeViewQt::IsEditing() const { return Tree() && Tree()->IsEditing(); }

// --- the component ---------------------------------------------------------------------

TMainTreeActions::TMainTreeActions(TConfigWizardLogic& wizard, IMainDialogs& dialogs,
                                   TzmTreeviewPanel* panel, QWidget* parent)
    : QObject(parent),
      Wizard_(wizard),
      Panel_(panel),
      View_(std::make_unique<TMainTreeViewQt>(panel)),
      Commands_(std::make_unique<TMainTreeCommands>(wizard, dialogs, *View_)) {
  setObjectName(QStringLiteral("TMainTreeActions"));
  // The tool bar's actions, in the order of their pictures.
  MakeAction(ta::AddBattery, "Add battery", "Add a battery", 0);
  MakeAction(ta::AddString, "Add battery string", "Add a string", 1);
  MakeAction(ta::AddCurrent, "Add string current", "Add a current probe", 2);
  MakeAction(ta::AddTemperature, "Add string temperature", "Add a temperature sensor", 3);
  MakeAction(ta::AddCell, "Add string cell(s)", "Add a monitoring point", 4);
  MakeAction(ta::DeleteNode, "Delete node(s)", "Delete", 5);
  MakeAction(ta::ConfigureAlarms, "Configure alarms", "Configure alarms", 6);
  MakeAction(ta::ConfigureBlocksPerChannel, "Configure units per DCM channel",
             "Set blocks, jars, or cells monitored per DCM channel", 11);
  MakeAction(ta::ConfigureString, "Configure string",
             "Set number of currents, temperatures, and monitoring points for string", 7);
  MakeAction(ta::ConfigureBatteries, "Configure Batteries", "");
  MakeAction(ta::EditTreeText, "Rename", "");
  MakeAction(ta::AddNullChannel, "Add null channel", "Add null channel(s) after current channel");

  TMainTreeCommands& c = *Commands_;
  const std::pair<const char*, void (TMainTreeCommands::*)()> handlers[] = {
      {ta::AddBattery, &TMainTreeCommands::AddBattery},
      {ta::AddString, &TMainTreeCommands::AddString},
      {ta::AddCurrent, &TMainTreeCommands::AddCurrent},
      {ta::AddTemperature, &TMainTreeCommands::AddTemperature},
      {ta::AddCell, &TMainTreeCommands::AddCell},
      {ta::DeleteNode, &TMainTreeCommands::DeleteNodes},
      {ta::ConfigureAlarms, &TMainTreeCommands::ConfigureAlarms},
      {ta::ConfigureBlocksPerChannel, &TMainTreeCommands::ConfigureBlocksPerChannel},
      {ta::ConfigureString, &TMainTreeCommands::ConfigureString},
      {ta::ConfigureBatteries, &TMainTreeCommands::ConfigureBatteries},
      {ta::EditTreeText, &TMainTreeCommands::Rename},
      {ta::AddNullChannel, &TMainTreeCommands::AddNullChannel},
  };
  for (const auto& [name, handler] : handlers)
    connect(Action(QString::fromLatin1(name)), &QAction::triggered, this, [&c, h = handler] { (c.*h)(); });

  BuildToolBar();
  BuildPopupMenu();

  View_->AcceptName = [&c](const std::string& name) { return c.AcceptNodeName(name); };
  RenameGuard_ = new TRenameGuard(*View_, panel->Tree()->EditLink(), this);
  panel->Tree()->EditLink()->Edit()->installEventFilter(RenameGuard_);

  QItemSelectionModel* selection = panel->Tree()->selectionModel();
  connect(selection, &QItemSelectionModel::selectionChanged, this, [&c] { c.SelectionChanged(); });
  connect(selection, &QItemSelectionModel::currentChanged, this, [&c] { c.SelectionChanged(); });

  c.OnStatesChanged = [this] { ApplyStates(); };
  // The tree may already show a selection (the first battery at start-up); a
  // click on that row changes nothing, so the actions must follow it now.
  c.SelectionChanged();
}

TMainTreeActions::~TMainTreeActions() {
  Commands_->OnStatesChanged = nullptr;
  // The panel may have gone first; otherwise it must not call into the commands any more.
  if (Panel_) {
    Panel_->Tree()->EditLink()->Edit()->removeEventFilter(RenameGuard_);
    Panel_->Tree()->selectionModel()->disconnect(this);
    Panel_->disconnect(this);
  }
}

QAction* TMainTreeActions::MakeAction(const char* name, const char* caption, const char* hint, int picture) {
  auto* action = new QAction(QString::fromUtf8(caption), this);
  action->setObjectName(QString::fromLatin1(name));
  const QString tip = QString::fromUtf8(*hint ? hint : caption);
  action->setStatusTip(*hint ? tip : QString());
  action->setToolTip(tip);
  if (picture >= 0) action->setIcon(TreeToolbarIcon(picture));
  Actions_[action->objectName()] = action;
  return action;
}

QAction* TMainTreeActions::MakeMenuItem(const char* name, const char* caption, QAction* target,
                                        bool followTarget) {
  auto* item = new QAction(QString::fromUtf8(caption), this);
  item->setObjectName(QString::fromLatin1(name));
  if (target) {
    item->setStatusTip(target->statusTip());
    connect(item, &QAction::triggered, target, [target] {
      if (target->isEnabled()) target->trigger();
    });
    if (followTarget) {
      item->setEnabled(target->isEnabled());
      connect(target, &QAction::changed, item, [item, target] { item->setEnabled(target->isEnabled()); });
    }
  }
  Actions_[item->objectName()] = item;
  return item;
}

QAction* TMainTreeActions::Action(const QString& name) const {
  const auto it = Actions_.find(name);
  return it == Actions_.end() ? nullptr : it->second;
}

void TMainTreeActions::BuildToolBar() {
  auto* parentWidget = qobject_cast<QWidget*>(parent());
  tbarConfigUPS_ = new QToolBar(parentWidget);
  tbarConfigUPS_->setObjectName(QStringLiteral("tbarConfigUPS"));
  tbarConfigUPS_->setMovable(false);
  tbarConfigUPS_->setFloatable(false);
  tbarConfigUPS_->setIconSize(QSize(kTreeToolbarPictureSize, kTreeToolbarPictureSize));
  tbarConfigUPS_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  auto add = [this](const char* name) {
    QAction* action = Action(QString::fromLatin1(name));
    tbarConfigUPS_->addAction(action);
    if (QWidget* button = tbarConfigUPS_->widgetForAction(action)) button->setFixedSize(kButtonWidth, kButtonHeight);
  };
  for (const char* name : {ta::AddBattery, ta::AddString, ta::AddCurrent, ta::AddTemperature, ta::AddCell}) add(name);
  tbarConfigUPS_->addSeparator();
  add(ta::DeleteNode);
  tbarConfigUPS_->addSeparator();
  add(ta::ConfigureAlarms);
  tbarConfigUPS_->addSeparator();
  add(ta::ConfigureBlocksPerChannel);
  add(ta::ConfigureString);
}

void TMainTreeActions::AttachControlUnitBar(TControlUnitBar* bar) {
  if (!bar) return;
  tbarConfigUPS_->addSeparator();
  const std::pair<QAction*, int> actions[] = {{bar->actAddControlUnit(), 8}, {bar->actDeleteControlUnit(), 9}};
  for (const auto& [action, picture] : actions) {
    action->setIcon(TreeToolbarIcon(picture));
    tbarConfigUPS_->addAction(action);
    if (auto* button = qobject_cast<QToolButton*>(tbarConfigUPS_->widgetForAction(action))) {
      button->setFixedSize(kButtonWidth, kButtonHeight);
      if (action == bar->actAddControlUnit()) {
        button->setMenu(bar->pumControlUnits());
        button->setPopupMode(QToolButton::MenuButtonPopup);
      }
    }
    Actions_[action->objectName()] = action;
  }
  bar->actSetControlUnit()->setIcon(TreeToolbarIcon(10));
  Actions_[bar->actSetControlUnit()->objectName()] = bar->actSetControlUnit();
  ApplyStates();
}

void TMainTreeActions::BuildPopupMenu() {
  auto* parentWidget = qobject_cast<QWidget*>(parent());
  pumUPS_ = new QMenu(parentWidget);
  pumUPS_->setObjectName(QStringLiteral("pumUPS"));
  pumUPS_->setToolTipsVisible(true);
  auto separator = [this](const char* name) {
    QAction* s = pumUPS_->addSeparator();
    if (name) {
      s->setObjectName(QString::fromLatin1(name));
      Actions_[s->objectName()] = s;
    }
  };
  pumUPS_->addAction(MakeMenuItem(ta::mnuEditTreeText, "Rename", Action(QString::fromLatin1(ta::EditTreeText)), false));
  separator(nullptr);
  pumUPS_->addAction(MakeMenuItem("mnuConfigureBatteries", "Configure Batteries", Action(QString::fromLatin1(ta::ConfigureBatteries)), true));
  pumUPS_->addAction(MakeMenuItem("mnuConfigureString", "Configure string(s)", Action(QString::fromLatin1(ta::ConfigureString)), true));
  pumUPS_->addAction(MakeMenuItem("mnuConfigureAlarms", "Configure alarms", Action(QString::fromLatin1(ta::ConfigureAlarms)), true));
  separator(nullptr);
  QAction* link = MakeMenuItem(ta::mnuLinkStrings, "Join string segments", nullptr, false);
  QAction* unlink = MakeMenuItem(ta::mnuUnlinkString, "Unjoin string segment", nullptr, false);
  pumUPS_->addAction(link);
  pumUPS_->addAction(unlink);
  separator(ta::mnuBatterySection);
  QAction* genset = MakeMenuItem(ta::mnuBatteryGenset, "Battery is a Genset kit", nullptr, false);
  QAction* voltageOnly = MakeMenuItem(ta::mnuBatteryVoltageOnly, "Monitor  battery voltage only", nullptr, false);
  genset->setCheckable(true);
  voltageOnly->setCheckable(true);
  pumUPS_->addAction(genset);
  pumUPS_->addAction(voltageOnly);
  separator(nullptr);
  pumUPS_->addAction(MakeMenuItem(ta::mnuAddNullChannel, "Add null channel", Action(QString::fromLatin1(ta::AddNullChannel)), false));

  TMainTreeCommands& c = *Commands_;
  connect(link, &QAction::triggered, this, [&c] { c.LinkStrings(); });
  connect(unlink, &QAction::triggered, this, [&c] { c.UnlinkString(); });
  connect(genset, &QAction::triggered, this, [&c] { c.ToggleGenset(); });
  connect(voltageOnly, &QAction::triggered, this, [&c] { c.ToggleVoltageOnly(); });
  connect(pumUPS_, &QMenu::aboutToShow, this, [&c] { c.pumUPSPopup(); });
}

void TMainTreeActions::FillConfigureMenu(QMenu* menu) {
  if (!menu) return;
  const char* const items[][3] = {
      {"mnuBatterySetup", "Battery setup", ta::ConfigureBatteries},
      {"mnuStringSetup", "Configure string", ta::ConfigureString},
      {"mnuAlarmLimits", "Alarm limits", ta::ConfigureAlarms},
  };
  for (const auto& item : items) {
    QAction* target = Action(QString::fromLatin1(item[2]));
    auto* entry = menu->addAction(QString::fromUtf8(item[1]));
    entry->setObjectName(QString::fromLatin1(item[0]));
    entry->setStatusTip(target->statusTip());
    entry->setEnabled(target->isEnabled());
    connect(entry, &QAction::triggered, target, [target] {
      if (target->isEnabled()) target->trigger();
    });
    connect(target, &QAction::changed, entry, [entry, target] { entry->setEnabled(target->isEnabled()); });
  }
}

void TMainTreeActions::WirePanel() {
  Panel_->SetPopupMenu(pumUPS_);
  connect(Panel_, &TzmTreeviewPanel::DoubleClick, this, &TMainTreeActions::PanelDoubleClick,
          Qt::UniqueConnection);
}

void TMainTreeActions::UpdateTreeActions() { Commands_->UpdateTreeActions(); }

void TMainTreeActions::DeleteKeyPressed() { Commands_->DeleteKey(); }

void TMainTreeActions::PanelDoubleClick() { Commands_->NodeCountEdit(); }

void TMainTreeActions::ApplyStates() {
  for (const auto& [name, state] : Commands_->States()) {
    QAction* action = Action(QString::fromStdString(name));
    if (!action) continue;
    action->setEnabled(state.Enabled);
    if (action->isCheckable()) action->setChecked(state.Checked);
    action->setVisible(state.Visible);
  }
}
