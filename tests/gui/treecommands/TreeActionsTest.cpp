#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <memory>

#include "../../core/treecommands/TreeCommandFakes.h"
#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "alarms/fmAlarmSet.h"
#include "app/ZMApplication.h"
#include "dialogs/fmConfigBattery.h"
#include "dialogs/fmConfigString.h"
#include "dialogs/fmCurrentScaling.h"
#include "treeview/ZMTreePanel.h"
#include "treeview/ZMTreeview.h"
#include "treeview/ZMTreeviewEdit.h"
#include "wizard/ControlUnitBar.h"
#include "wizard/MainDialogsQt.h"
#include "wizard/MainTreeActions.h"
#include "wizard/MainTreeActionsIcons.h"
#include "wizard/MainWizard.h"

namespace {
class TreeActions : public ::testing::Test {
 protected:
  void SetUp() override {
    wizard.FormCreate();
    host = std::make_unique<QWidget>();
    host->resize(900, 600);
    panel = new TzmTreeviewPanel(host.get());
    panel->setGeometry(0, 60, 900, 540);
    panel->Tree()->SetUp();
    panel->SetSystem(&wizard.System());
    actions = std::make_unique<TMainTreeActions>(wizard, dialogs, panel, host.get());
    actions->WirePanel();
    host->show();
    host->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
    tree = panel->Tree();
  }
  void TearDown() override {
    actions.reset();
    host.reset();
  }

  QAction* Act(const char* name) {
    QAction* action = actions->Action(QString::fromLatin1(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
  }
  TzmUPSBatterySystemNode* Battery(int b) { return wizard.System().GetBattery(b); }
  QPoint Centre(TzmSystemNode* node) {
    const QModelIndex index = tree->IndexOfNode(node);
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent()) tree->expand(p);
    tree->scrollTo(index);
    return tree->visualRect(index).center();
  }
  void Click(TzmSystemNode* node, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, mods, Centre(node));
  }

  TFakeServices services;
  TConfigWizardLogic wizard;
  TFakeDialogs dialogs;
  std::unique_ptr<QWidget> host;
  TzmTreeviewPanel* panel = nullptr;
  TzmTreeview* tree = nullptr;
  std::unique_ptr<TMainTreeActions> actions;
};
}  // namespace

TEST_F(TreeActions, ToolBarHoldsTheActionsWithTheirPicturesHintsAndSize) {
  QToolBar* bar = actions->tbarConfigUPS();
  EXPECT_EQ(bar->objectName(), "tbarConfigUPS");
  EXPECT_EQ(bar->iconSize(), QSize(32, 32));
  QStringList names;
  for (QAction* a : bar->actions())
    names << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
  EXPECT_EQ(names, (QStringList{"actAddBattery", "actAddString", "ActAddCurrent", "actAddTemperature",
                                "actAddCell", "|", "actDeleteNode", "|", "actConfigureAlarms", "|",
                                "actConfigureBlocksPerChannel", "actConfigureString"}));
  QAction* add = Act("actAddBattery");
  EXPECT_EQ(add->text(), "Add battery");
  EXPECT_EQ(add->statusTip(), "Add a battery");
  EXPECT_EQ(add->toolTip(), "Add a battery");
  EXPECT_FALSE(add->icon().isNull());
  EXPECT_EQ(bar->widgetForAction(add)->size(), QSize(40, 38));
  EXPECT_EQ(Act("actConfigureBlocksPerChannel")->statusTip(),
            "Set blocks, jars, or cells monitored per DCM channel");

  // The control unit actions join the bar with the Add button's menu.
  TControlUnitBar cuBar(wizard.ControlUnits(), host.get());
  actions->AttachControlUnitBar(&cuBar);
  auto* cuButton = qobject_cast<QToolButton*>(bar->widgetForAction(cuBar.actAddControlUnit()));
  ASSERT_NE(cuButton, nullptr);
  EXPECT_EQ(cuButton->menu(), cuBar.pumControlUnits());
  EXPECT_FALSE(cuBar.actDeleteControlUnit()->icon().isNull());
  EXPECT_FALSE(cuBar.actDeleteControlUnit()->isEnabled());
}

TEST_F(TreeActions, PicturesAreTwelveDistinctSvgImagesAndTheProgramHasItsIcon) {
  // The pictures are SVG files: without Qt's SVG image plugin they load empty.
  std::vector<QImage> images;
  for (int i = 0; i < kTreeToolbarPictureCount; ++i) {
    EXPECT_TRUE(TreeToolbarPicturePath(i).endsWith(".svg")) << i;
    const QPixmap pixmap = TreeToolbarIcon(i).pixmap(32, 32);
    ASSERT_FALSE(pixmap.isNull()) << TreeToolbarPicturePath(i).toStdString();
    ASSERT_EQ(pixmap.size(), QSize(32, 32)) << i;
    images.push_back(pixmap.toImage());
    for (int j = 0; j < i; ++j) EXPECT_NE(images[j], images[i]) << j << " and " << i;
  }
  EXPECT_TRUE(TreeToolbarPicture(12).isNull());

  SetApplicationIcon();
  const QPixmap icon = QApplication::windowIcon().pixmap(32, 32);
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.size(), QSize(32, 32));
  EXPECT_EQ(QGuiApplication::desktopFileName(), "com.zelmor.ConfigurationBuilder");
}

TEST_F(TreeActions, ClickingRowsEnablesTheirActionsAndAddStringFillsTheTree) {
  QAction* addString = Act("actAddString");
  tree->selectionModel()->clear();  // the shown tree focused its first row
  EXPECT_FALSE(addString->isEnabled());
  Click(Battery(0));
  ASSERT_TRUE(addString->isEnabled());
  dialogs.string = {1, 1, 3, 1, 0};
  ASSERT_TRUE(TriggerEnabled(addString));
  ASSERT_EQ(Battery(0)->StringCount(), 1);
  TzmUPSStringSystemNode* string = Battery(0)->GetString(0);
  EXPECT_EQ(string->CellCount(), 3);
  EXPECT_TRUE(tree->isExpanded(tree->IndexOfNode(Battery(0))));

  // A "Cells" group: adding cells yes, deleting no, and the Delete key does nothing.
  Click(string->CellsGroup());
  EXPECT_TRUE(Act("actAddCell")->isEnabled());
  EXPECT_FALSE(Act("actDeleteNode")->isEnabled());
  EXPECT_FALSE(Act("actConfigureString")->isEnabled());
  actions->DeleteKeyPressed();
  EXPECT_EQ(string->ChildCount(), 3);
  ASSERT_TRUE(TriggerEnabled(Act("actAddCell")));
  EXPECT_EQ(string->CellCount(), 4);
  EXPECT_EQ(tree->model()->rowCount(tree->IndexOfNode(string->CellsGroup())), 4);

  // Two cells, then the Delete key: one question, both gone, the next row focused.
  Click(string->GetCell(0));
  Click(string->GetCell(1), Qt::ControlModifier);
  EXPECT_TRUE(Act("actDeleteNode")->isEnabled());
  TzmSystemNode* third = string->GetCell(2);
  services.messages.Answer(TMsgAnswer::Yes);
  actions->DeleteKeyPressed();
  EXPECT_EQ(services.messages.LastText(), kAskDeleteSelected);
  EXPECT_EQ(string->CellCount(), 2);
  EXPECT_EQ(tree->FocusedNode(), third);
}

TEST_F(TreeActions, PopupMenuOffersTheBatteryFlagsAndGensetEnablesNext) {
  TzmUPSBatterySystemNode* battery = Battery(0);
  auto* string = static_cast<TzmUPSStringSystemNode*>(battery->AddChild());
  string->SetCellCount(2);
  string->SetControlUnit(0);
  Click(battery);
  EXPECT_EQ(panel->PopupMenu(), actions->pumUPS());

  QMenu* menu = actions->pumUPS();
  QStringList items;
  for (QAction* a : menu->actions()) items << (a->isSeparator() && a->objectName().isEmpty() ? "|" : a->objectName());
  EXPECT_EQ(items, (QStringList{"mnuEditTreeText", "|", "mnuConfigureBatteries", "mnuConfigureString",
                                "mnuConfigureAlarms", "|", "mnuLinkStrings", "mnuUnlinkString",
                                "mnuBatterySection", "mnuBatteryGenset", "mnuBatteryVoltageOnly", "|",
                                "mnuAddNullChannel"}));
  EXPECT_EQ(Act("mnuBatteryVoltageOnly")->text(), "Monitor  battery voltage only");

  emit menu->aboutToShow();
  QAction* genset = Act("mnuBatteryGenset");
  EXPECT_TRUE(genset->isVisible());
  EXPECT_FALSE(genset->isChecked());
  EXPECT_FALSE(Act("mnuAddNullChannel")->isEnabled());
  EXPECT_TRUE(Act("mnuEditTreeText")->isEnabled());
  EXPECT_TRUE(Act("mnuConfigureString")->isEnabled());
  ASSERT_TRUE(TriggerEnabled(genset));
  EXPECT_TRUE(battery->Genset);
  EXPECT_TRUE(genset->isChecked());
  EXPECT_TRUE(wizard.VerifySystem());

  // Over a cell the battery items hide and null channels are offered.
  Click(string->GetCell(1));
  emit menu->aboutToShow();
  EXPECT_FALSE(genset->isVisible());
  EXPECT_FALSE(Act("mnuBatterySection")->isVisible());
  EXPECT_TRUE(Act("mnuAddNullChannel")->isEnabled());
  services.prompts.Reply(true, "2");
  ASSERT_TRUE(TriggerEnabled(Act("mnuAddNullChannel")));
  EXPECT_EQ(string->GetCell(1)->NullCount, 2);
}

namespace {
// Types text with characters that have no key of their own, as an input method would.
void TypeText(QWidget* widget, const QString& text) {
  for (const QChar ch : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}
}  // namespace

TEST_F(TreeActions, RenameRefusesANameWithACommaAndKeepsTheOldOne) {
  TzmUPSBatterySystemNode* battery = Battery(0);
  Click(battery);
  emit actions->pumUPS()->aboutToShow();
  ASSERT_TRUE(TriggerEnabled(Act("mnuEditTreeText")));
  ASSERT_TRUE(tree->IsEditing());
  QLineEdit* edit = tree->EditLink()->Edit();
  edit->selectAll();
  QTest::keyClicks(edit, QStringLiteral("North, East"));
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_FALSE(tree->IsEditing());
  EXPECT_EQ(battery->Name(), "Battery: 1");
  EXPECT_EQ(services.messages.LastText(), kMsgNameWithComma);

  // Leaving the box with a comma is refused the same way; a plain name is stored.
  ASSERT_TRUE(TriggerEnabled(Act("actEditTreeText")));
  edit->selectAll();
  QTest::keyClicks(edit, QStringLiteral("A,B"));
  tree->setFocus();
  EXPECT_FALSE(tree->IsEditing());
  EXPECT_EQ(battery->Name(), "Battery: 1");
  EXPECT_EQ(services.messages.messages.size(), 2u);

  ASSERT_TRUE(TriggerEnabled(Act("actEditTreeText")));
  edit->selectAll();
  QTest::keyClicks(edit, QStringLiteral("North East"));
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(battery->Name(), "North East");
  EXPECT_EQ(services.messages.messages.size(), 2u);

  // A character the configuration file cannot hold is refused; Western letters pass.
  ASSERT_TRUE(TriggerEnabled(Act("actEditTreeText")));
  edit->selectAll();
  TypeText(edit, QString::fromUtf8("\xCE\xA9 bank"));
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(battery->Name(), "North East");
  ASSERT_EQ(services.messages.messages.size(), 3u);
  EXPECT_NE(services.messages.LastText().find("\"\xCE\xA9\""), std::string::npos);
  ASSERT_TRUE(TriggerEnabled(Act("actEditTreeText")));
  edit->selectAll();
  TypeText(edit, QString::fromUtf8("S\xC3\xBC" "d"));
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(battery->Name(), "S\xC3\xBC" "d");
}

TEST_F(TreeActions, ConfigureMenuItemsFollowTheirActions) {
  QMenu configure;
  actions->FillConfigureMenu(&configure);
  QAction* stringItem = FindNamed<QAction>(&configure, "mnuStringSetup");
  ASSERT_NE(stringItem, nullptr);
  EXPECT_EQ(stringItem->text(), "Configure string");
  tree->selectionModel()->clear();
  EXPECT_FALSE(stringItem->isEnabled());
  Click(Battery(0));
  EXPECT_TRUE(stringItem->isEnabled());

  // Battery setup through the menu item: one more battery, dialogs as needed.
  dialogs.AnswerBatteries({2, {"Battery: 1", "Spare"}, {1, 1}});
  dialogs.stringAnswers.push_back(true);
  dialogs.alarmAnswers.push_back(true);
  FindNamed<QAction>(&configure, "mnuBatterySetup")->trigger();
  ASSERT_EQ(wizard.System().BatteryCount(), 2);
  EXPECT_EQ(Battery(1)->Name(), "Spare");
  EXPECT_EQ(Battery(1)->StringCount(), 1);
  EXPECT_EQ(tree->model()->rowCount(), 2);
}

// The adapter over the real dialogs passes values both ways.
TEST(MainDialogsQt, PassesValuesToAndFromTheDialogs) {
  TFakeServices services;
  QTemporaryDir dir;
  TfmConfigureString stringDialog;
  TfmConfigureBatteries batteryDialog;
  TfmAlarmSettings alarmDialog(
      TSettingsFileLocation::Fixed(dir.filePath(QStringLiteral("zm.ini")).toStdString()));
  TfrmCurrentScaling scalingDialog;
  TMainDialogsQt dialogs(&stringDialog, &batteryDialog, &alarmDialog, &scalingDialog);

  TStringSetupInput input;
  input.CellCount = kSummaryDiffers;
  input.CurrentCount = 0;
  input.JarCount = 2;
  dialogs.SetStringSetup(input);
  EXPECT_TRUE(FindNamed<QLineEdit>(&stringDialog, "ebCellCount")->text().isEmpty());
  const TStringSetup setup = dialogs.StringSetup();
  EXPECT_EQ(setup.CurrentCount, 0);
  EXPECT_EQ(setup.JarCount, 2);
  EXPECT_EQ(setup.TemperatureCount, 1);  // left as it was
  EXPECT_EQ(setup.VoltageOnlyState, 2);

  dialogs.SetBatterySetup({3, {"A", "B", "C"}, {2, 0, 4}});
  const TBatterySetup batteries = dialogs.BatterySetup();
  EXPECT_EQ(batteries.BatteryCount, 3);
  EXPECT_EQ(batteries.Names, (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(batteries.StringCounts, (std::vector<int>{2, 1, 4}));  // blank: the default

  dialogs.SetAlarmLimits({40, 5, 150, 2, 13.8, 11.5, 7, 2});
  EXPECT_EQ(FindNamed<QLineEdit>(&alarmDialog, "ebHighV")->text(), "13.8");
  EXPECT_DOUBLE_EQ(dialogs.AlarmLimits().LowR, 2);
  dialogs.SetAlarmLimits({});
  EXPECT_TRUE(FindNamed<QLineEdit>(&alarmDialog, "ebHighT")->text().isEmpty());
  EXPECT_DOUBLE_EQ(dialogs.AlarmLimits().HighT, 28);  // a blank box reads as its default
  EXPECT_FALSE(dialogs.AlarmsAccepted());
  dialogs.SetAlarmsAccepted(true);
  EXPECT_TRUE(alarmDialog.AlarmsAccepted());
}

TEST_F(TreeActions, OutlivingThePanelIsSafe) {
  Click(Battery(0));
  ASSERT_TRUE(Act("actDeleteNode")->isEnabled());
  delete panel;
  panel = nullptr;
  tree = nullptr;
  // Without a tree nothing is selected or focused any more.
  actions->Commands().SelectionChanged();
  EXPECT_FALSE(Act("actDeleteNode")->isEnabled());
  EXPECT_FALSE(Act("actAddString")->isEnabled());
  actions->DeleteKeyPressed();
  EXPECT_EQ(wizard.System().BatteryCount(), 1);
  actions.reset();
}
