// A new user's way from the empty start-up system to a saved configuration
// file, on the program's real window set: tool bar commands, the string and
// alarm dialogs answered through their controls, control units from the
// control unit bar, then Next, Next and the save dialog.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "ModalAnswers.h"
#include "TempFiles.h"
#include "app/ZMWindows.h"
#include "treeview/ZMTreePanel.h"
#include "treeview/ZMTreeview.h"
#include "wizard/ControlUnitBar.h"
#include "wizard/Main.h"
#include "wizard/MainTreeActions.h"

namespace {
class NewUserFlow : public ::testing::Test {
 protected:
  void SetUp() override {
    windows = std::make_unique<TZMWindows>(dir / "ZMConfigWizard", dir / "config");
    main = &windows->Main();
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    tree = main->TreePanel()->Tree();
  }
  void TearDown() override {
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    windows.reset();
  }

  QAction* Act(const char* name) {
    QAction* action = main->TreeActions()->Action(QString::fromLatin1(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
  }
  // Clicks a node's row as the user does, opening its parents first.
  void Click(TzmSystemNode* node) {
    const QModelIndex index = tree->IndexOfNode(node);
    ASSERT_TRUE(index.isValid());
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent()) tree->expand(p);
    tree->scrollTo(index);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualRect(index).center());
    ASSERT_EQ(tree->FocusedNode(), node);
  }
  TzmUPSSystem& System() { return main->Logic().System(); }

  TFakeServices services;  // before the windows, which take the error list
  TTempFolder dir;
  std::unique_ptr<TZMWindows> windows;
  TfmConfigWizard* main = nullptr;
  TzmTreeview* tree = nullptr;
};

void AnswerStringDialog(QDialog* d, const char* currents, const char* temperatures, const char* cells) {
  TypeInto(d, "ebCurrentCount", QString::fromLatin1(currents));
  TypeInto(d, "ebTemperatureCount", QString::fromLatin1(temperatures));
  TypeInto(d, "ebCellCount", QString::fromLatin1(cells));
  ClickButton(d, "btnOK");
}

// Starts from the defaults of the 12 V cell and types the user's own limits.
void AnswerAlarmDialog(QDialog* d) {
  ClickButton(d, "btnSetDefaults");
  TypeInto(d, "ebHighT", "30");
  TypeInto(d, "ebLowT", "10");
  TypeInto(d, "ebHighI", "150");
  TypeInto(d, "ebLowI", "20");
  TypeInto(d, "ebHighR", "5.5");
  TypeInto(d, "ebLowR", "1.5");
  ClickButton(d, "btnOK");
}
}  // namespace

TEST_F(NewUserFlow, TwoBatteriesOnTwoControlUnitsAreSavedAsWorkedOutByHand) {
  ASSERT_EQ(System().BatteryCount(), 1);
  EXPECT_FALSE(main->btnNext()->isEnabled());
  TzmUPSBatterySystemNode* first = System().GetBattery(0);
  // The start-up battery is shown selected, and its commands are on at once.
  EXPECT_EQ(tree->SelectedNodes(), std::vector<TzmSystemNode*>{first});
  EXPECT_TRUE(Act("actAddString")->isEnabled());
  EXPECT_TRUE(Act("actConfigureString")->isEnabled());

  // A string on the first battery, then its counts through the string dialog.
  Click(first);
  ASSERT_TRUE(TriggerEnabled(Act("actAddString")));
  ASSERT_EQ(first->StringCount(), 1);
  TzmUPSStringSystemNode* string = first->GetString(0);
  Click(string);
  TModalAnswers modals;
  modals.Expect("fmConfigureString", [](QDialog* d) { AnswerStringDialog(d, "1", "2", "4"); });
  EXPECT_EQ(modals.Run([&] { ASSERT_TRUE(TriggerEnabled(Act("actConfigureString"))); }),
            std::vector<std::string>{"fmConfigureString"});
  EXPECT_EQ(string->CurrentCount(), 1);
  EXPECT_EQ(string->TemperatureCount(), 2);
  EXPECT_EQ(string->CellCount(), 4);

  // Its alarm limits through the alarm dialog.
  modals.Expect("fmAlarmSettings", AnswerAlarmDialog);
  modals.Run([&] { ASSERT_TRUE(TriggerEnabled(Act("actConfigureAlarms"))); });
  EXPECT_DOUBLE_EQ(string->GetCell(3)->HighResistance, 5.5);
  EXPECT_DOUBLE_EQ(string->GetTemperature(1)->HighAlarm, 30);
  EXPECT_DOUBLE_EQ(string->GetCurrent(0)->LowAlarm, 20);
  EXPECT_TRUE(services.messages.messages.empty()) << services.messages.LastText();

  // One more cell, probe and sensor from the tool bar; they take the dialog's limits.
  Click(string);
  ASSERT_TRUE(TriggerEnabled(Act("actAddCell")));
  ASSERT_TRUE(TriggerEnabled(Act("ActAddCurrent")));
  ASSERT_TRUE(TriggerEnabled(Act("actAddTemperature")));
  EXPECT_EQ(string->CellCount(), 5);
  EXPECT_EQ(string->CurrentCount(), 2);
  EXPECT_EQ(string->TemperatureCount(), 3);
  EXPECT_DOUBLE_EQ(string->GetCell(4)->LowResistance, 1.5);
  EXPECT_DOUBLE_EQ(string->GetTemperature(2)->LowAlarm, 10);
  EXPECT_DOUBLE_EQ(string->GetCurrent(1)->HighAlarm, 150);

  // Not on a control unit yet: Next stays off. Add control unit puts it on #1.
  EXPECT_FALSE(main->btnNext()->isEnabled());
  TControlUnitBar* bar = main->tbarControlUnits();
  Click(string);
  ASSERT_TRUE(TriggerEnabled(bar->actAddControlUnit()));
  EXPECT_EQ(string->ControlUnit(), 0);
  ASSERT_EQ(bar->ButtonCount(), 1);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_TRUE(bar->Button(0)->isChecked());
  EXPECT_TRUE(main->btnNext()->isEnabled());

  // A second battery from the tool bar; its string copies the string dialog's
  // last answer and the alarm limits, and goes on a control unit of its own.
  ASSERT_TRUE(TriggerEnabled(Act("actAddBattery")));
  ASSERT_EQ(System().BatteryCount(), 2);
  TzmUPSBatterySystemNode* second = System().GetBattery(1);
  EXPECT_EQ(second->Name(), "Battery: 2");
  EXPECT_FALSE(main->btnNext()->isEnabled());
  Click(second);
  ASSERT_TRUE(TriggerEnabled(Act("actAddString")));
  ASSERT_EQ(second->StringCount(), 1);
  EXPECT_EQ(second->GetString(0)->CellCount(), 4);
  EXPECT_EQ(second->GetString(0)->TemperatureCount(), 2);
  Click(second);
  ASSERT_TRUE(TriggerEnabled(bar->actAddControlUnit()));
  EXPECT_EQ(second->GetString(0)->ControlUnit(), 1);
  EXPECT_EQ(string->ControlUnit(), 0);
  ASSERT_EQ(bar->ButtonCount(), 2);
  EXPECT_TRUE(bar->Button(1)->isChecked());
  ASSERT_TRUE(main->btnNext()->isEnabled());

  // Next: the grid; Next: the save dialog, answered with a temporary file.
  QTest::mouseClick(main->btnNext(), Qt::LeftButton);
  EXPECT_EQ(main->StatusLine()->currentMessage(), "Verify the setup");
  EXPECT_EQ(main->CurrentMenu(), main->mmuGrid());
  const std::string path = dir / "BatConfig.cfg";
  services.files.Choose(path);
  QTest::mouseClick(main->btnNext(), Qt::LeftButton);
  ASSERT_EQ(services.files.asked.size(), 1u);
  EXPECT_EQ(main->StatusLine()->currentMessage().toStdString(), "Saved " + path);
  EXPECT_EQ(ReadText(path), ReadText(std::string(ZM_TEST_DATA_DIR) + "/NewUserTwoBatteries.cfg"));
  EXPECT_TRUE(services.messages.messages.empty()) << services.messages.LastText();

  // Finish asks only about the unsaved description: the file is written.
  services.messages.Answer(TMsgAnswer::Discard);
  QTest::mouseClick(main->btnNext(), Qt::LeftButton);
  EXPECT_FALSE(main->isVisible());
  ASSERT_EQ(services.messages.messages.size(), 1u);
  EXPECT_EQ(services.messages.LastText(), "Save changes to Untitled?");
}

// Battery setup that adds strings asks for the string set-up and then, since
// no alarm limits were accepted yet, for the alarm limits.
TEST_F(NewUserFlow, BatterySetupAsksForStringAndAlarmSettingsWhenStringsAreAdded) {
  Click(System().GetBattery(0));
  TModalAnswers modals;
  modals
      .Expect("fmConfigureBatteries",
              [](QDialog* d) {
                TypeInto(d, "ebNumberOfBatteries", "2");
                TypeInto(d, "ebStringsPerBattery", "2");
                ClickButton(d, "Button1");
              })
      .Expect("fmConfigureString", [](QDialog* d) { AnswerStringDialog(d, "1", "1", "6"); })
      .Expect("fmAlarmSettings", AnswerAlarmDialog);
  const std::vector<std::string> seen = modals.Run([&] {
    ASSERT_TRUE(TriggerEnabled(FindNamed<QAction>(main, "mnuBatterySetup")));
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"fmConfigureBatteries", "fmConfigureString", "fmAlarmSettings"}));
  ASSERT_EQ(System().BatteryCount(), 2);
  for (int b = 0; b < 2; ++b) {
    TzmUPSBatterySystemNode* battery = System().GetBattery(b);
    ASSERT_EQ(battery->StringCount(), 2) << b;
    for (int s = 0; s < 2; ++s) {
      TzmUPSStringSystemNode* string = battery->GetString(s);
      EXPECT_EQ(string->CellCount(), 6);
      EXPECT_EQ(string->TemperatureCount(), 1);
      EXPECT_DOUBLE_EQ(string->GetCell(5)->HighResistance, 5.5);
      EXPECT_DOUBLE_EQ(string->GetTemperature(0)->HighAlarm, 30);
    }
  }

  // Auto-assign from the Add control unit button's menu: 4 strings of one probe each fit on one control unit.
  TControlUnitBar* bar = main->tbarControlUnits();
  ASSERT_TRUE(TriggerEnabled(bar->actAutoAssignCUs()));
  EXPECT_EQ(bar->ButtonCount(), 1);
  EXPECT_TRUE(main->btnNext()->isEnabled());

  // Growing again: the alarm limits were accepted, so only the string dialog
  // comes, and cancelling its question undoes the whole command.
  services.messages.Answer(TMsgAnswer::Cancel);
  modals
      .Expect("fmConfigureBatteries",
              [](QDialog* d) {
                TypeInto(d, "ebNumberOfBatteries", "3");
                ClickButton(d, "Button1");
              })
      .Expect("fmConfigureString", [](QDialog* d) { ClickButton(d, "btnCancel"); });
  modals.Run([&] { ASSERT_TRUE(TriggerEnabled(FindNamed<QAction>(main, "mnuBatterySetup"))); });
  EXPECT_EQ(System().BatteryCount(), 2);
  ASSERT_EQ(services.messages.messages.size(), 1u);
  EXPECT_EQ(services.messages.messages[0].buttons, TMsgButtons::YesNoCancel);
}

TEST_F(NewUserFlow, TheDeleteKeyDeletesTheFocusedNodeUnlessANameIsBeingEdited) {
  TzmUPSBatterySystemNode* battery = System().GetBattery(0);
  battery->AddChild();
  TzmUPSStringSystemNode* string = battery->GetString(0);
  string->SetCellCount(3);
  main->Logic().UpdateWizardButtons();

  // Renaming: the key belongs to the edit box.
  Click(string->GetCell(1));
  tree->setFocus();
  ASSERT_TRUE(tree->Rename());
  ASSERT_TRUE(tree->IsEditing());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
  EXPECT_EQ(string->CellCount(), 3);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  ASSERT_FALSE(tree->IsEditing());

  // One focused cell goes without a question.
  Click(string->GetCell(1));
  QTest::keyClick(tree, Qt::Key_Delete);
  EXPECT_EQ(string->CellCount(), 2);
  EXPECT_TRUE(services.messages.messages.empty());

  // Not on the grid page.
  main->Logic().ControlUnits().AddControlUnitButton();
  string->SetControlUnit(0);
  string->SetCurrentCount(1);
  main->Logic().UpdateWizardButtons();
  QTest::mouseClick(main->btnNext(), Qt::LeftButton);
  ASSERT_EQ(main->Logic().State(), wsVerify);
  QTest::keyClick(main, Qt::Key_Delete);
  EXPECT_EQ(string->CellCount(), 2);
}
