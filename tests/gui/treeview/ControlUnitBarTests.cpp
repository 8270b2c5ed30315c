// The control unit bar driven through its buttons and actions, with the
// selection taken from a real tree.
#include <QAction>
#include <QImage>
#include <QMenu>
#include <QToolButton>

#include "GuiTestHelpers.h"
#include "TreeviewFixture.h"
#include "wizard/ControlUnitBar.h"
#include "wizard/MainTreeActionsIcons.h"

namespace {

class ControlUnitBarTest : public TreeviewTest {
 protected:
  void SetUp() override {
    TreeviewTest::SetUp();
    core.SetSystem(system.get());
    bar = new TControlUnitBar(core, panel.get());
    bar->WatchTree(tree);
    bar->resize(400, 40);
  }
  std::vector<int> Units() {
    std::vector<int> units;
    system->ForEachNode({}, [&](TzmUPSStringSystemNode* s) { units.push_back(s->ControlUnit()); });
    return units;
  }
  TMainControlUnits core;
  TControlUnitBar* bar = nullptr;  // owned by the panel
};

TEST_F(ControlUnitBarTest, AddControlUnitPutsTheSelectedStringOnANewMarkedButton) {
  // An empty bar is hidden and has nothing to delete.
  EXPECT_EQ(FindNamed<QAction>(bar, "actDeleteControlUnit"), bar->actDeleteControlUnit());
  EXPECT_FALSE(bar->actDeleteControlUnit()->isEnabled());
  EXPECT_FALSE(bar->isVisibleTo(panel.get()));
  Click(String(0, 1));
  ASSERT_TRUE(TriggerEnabled(bar->actAddControlUnit()));
  ASSERT_EQ(bar->ButtonCount(), 1);
  QToolButton* button = bar->Button(0);
  EXPECT_EQ(button->toolTip(), "Control unit #1");
  EXPECT_EQ(button->property("tag").toInt(), 0);
  EXPECT_TRUE(button->isChecked());
  EXPECT_TRUE(bar->isVisibleTo(panel.get()));
  EXPECT_EQ(Units(), (std::vector<int>{-1, 0, -1}));
  EXPECT_TRUE(bar->actDeleteControlUnit()->isEnabled());
}

TEST_F(ControlUnitBarTest, ClickingButtonThreeAssignsTheSelectedBattery) {
  for (int i = 0; i < 3; ++i) core.AddControlUnitButton();
  Click(Battery(0));
  ASSERT_TRUE(bar->actSetControlUnit()->isEnabled());
  QTest::mouseClick(bar->Button(2), Qt::LeftButton);
  EXPECT_EQ(Units(), (std::vector<int>{2, 2, -1}));
  EXPECT_TRUE(bar->Button(2)->isChecked());
  EXPECT_FALSE(bar->Button(0)->isChecked());
  EXPECT_EQ(Text(String(0, 0), 1).toStdString(), String(0, 0)->GetText());

  // On a cell the buttons are disabled and a click does nothing.
  Click(String(0, 0)->GetCell(0));
  EXPECT_FALSE(bar->actSetControlUnit()->isEnabled());
  EXPECT_FALSE(bar->Button(0)->isEnabled());
  QTest::mouseClick(bar->Button(0), Qt::LeftButton);
  EXPECT_EQ(Units(), (std::vector<int>{2, 2, -1}));
  EXPECT_FALSE(bar->Button(0)->isChecked());
}

TEST_F(ControlUnitBarTest, DeleteWithNothingSelectedRemovesTheLastButton) {
  for (int i = 0; i < 3; ++i) core.AddControlUnitButton();
  String(0, 0)->SetControlUnit(0);
  String(0, 1)->SetControlUnit(1);
  Battery(1)->GetString(0)->SetControlUnit(2);
  tree->ClearSelection();
  services.messages.Answer(TMsgAnswer::Yes);
  ASSERT_TRUE(TriggerEnabled(bar->actDeleteControlUnit()));
  EXPECT_EQ(services.messages.LastText(), "Do you want to remove a control unit?");
  EXPECT_EQ(bar->ButtonCount(), 2);
  EXPECT_EQ(Units(), (std::vector<int>{0, 1, -1}));
  EXPECT_TRUE(bar->Button(0)->isChecked());
  EXPECT_TRUE(bar->Button(1)->isChecked());
}

TEST_F(ControlUnitBarTest, AutoAssignFromThePopupMenuAddsAndMarksButtons) {
  String(0, 0)->SetTemperatureCount(4);
  QAction* item = bar->pumControlUnits()->findChild<QAction*>("mnuAutoCUAssign");
  ASSERT_TRUE(TriggerEnabled(item));
  EXPECT_EQ(Units(), (std::vector<int>{0, 1, 1}));
  ASSERT_EQ(bar->ButtonCount(), 2);
  EXPECT_TRUE(bar->Button(1)->isChecked());
}

TEST_F(ControlUnitBarTest, ButtonsThatDoNotFitGoOnAnotherRow) {
  bar->show();
  bar->resize(130, 40);
  QApplication::processEvents();
  for (int i = 0; i < 3; ++i) core.AddControlUnitButton();
  const int oneRow = bar->Rows();
  for (int i = 0; i < 9; ++i) core.AddControlUnitButton();
  QApplication::processEvents();
  EXPECT_GT(bar->Rows(), oneRow);
  EXPECT_GT(bar->Button(11)->y(), bar->Button(0)->y());
  for (int i = 0; i < 40; ++i) core.AddControlUnitButton();
  EXPECT_EQ(bar->ButtonCount(), 32);
  EXPECT_FALSE(bar->actAddControlUnit()->isEnabled());
}

TEST_F(ControlUnitBarTest, EachButtonShowsItsNumberOnTheMainToolBarPictureSize) {
  bar->actSetControlUnit()->setIcon(TreeToolbarIcon(10));  // as the main window does
  for (int i = 0; i < 2; ++i) core.AddControlUnitButton();
  ASSERT_EQ(bar->ButtonCount(), 2);
  std::vector<QImage> pictures;
  for (int i = 0; i < 2; ++i) {
    QToolButton* button = bar->Button(i);
    EXPECT_EQ(button->iconSize(), QSize(32, 32));
    EXPECT_EQ(button->toolTip(), QString("Control unit #%1").arg(i + 1));
    pictures.push_back(button->icon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32));
  }
  const QImage plain = TreeToolbarPicture(10).toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_NE(pictures[0], pictures[1]);
  EXPECT_NE(pictures[0], plain);
}

}  // namespace
