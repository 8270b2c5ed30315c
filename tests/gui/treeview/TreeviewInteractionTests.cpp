// The tree driven as a user would: in-place editing, double-clicks,
// selection of one level, the pop-up menu.
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>

#include "TreeviewFixture.h"

namespace {
TzmTreeviewEdit* EditBox(TzmTreeview* tree) { return tree->EditLink()->Edit(); }
}  // namespace

TEST_F(TreeviewTest, EnterStoresAnEditedNameAndEscapeDropsIt) {
  Click(String(0, 1));
  ASSERT_EQ(tree->FocusedNode(), String(0, 1));
  ASSERT_TRUE(tree->Rename());
  TzmTreeviewEdit* edit = EditBox(tree);
  EXPECT_TRUE(tree->IsEditing());
  EXPECT_TRUE(edit->isVisible());
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_EQ(edit->text(), "String: 2");
  EXPECT_GE(edit->width(), TzmTreeviewEditLink::MinWidth);

  QTest::keyClicks(edit, "Main");
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_FALSE(tree->IsEditing());
  EXPECT_FALSE(edit->isVisible());
  EXPECT_EQ(String(0, 1)->Name(), "String: 2");

  ASSERT_TRUE(tree->Rename());
  QTest::keyClicks(edit, "Main");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_FALSE(tree->IsEditing());
  EXPECT_EQ(String(0, 1)->Name(), "Main");
  EXPECT_EQ(Text(String(0, 1)), "Main");
  EXPECT_TRUE(tree->hasFocus());
}

TEST_F(TreeviewTest, LosingTheFocusStoresOnlyAChangedName) {
  Click(Battery(1));
  ASSERT_TRUE(tree->Rename());
  QTest::keyClicks(EditBox(tree), "Standby");
  Click(Battery(0));  // clicking elsewhere takes the focus away
  EXPECT_FALSE(tree->IsEditing());
  EXPECT_EQ(Battery(1)->Name(), "Standby");

  QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
  ASSERT_TRUE(tree->Rename());
  EXPECT_EQ(EditBox(tree)->text(), "Battery: 1");
  Click(Battery(1));
  EXPECT_FALSE(tree->IsEditing());
  EXPECT_EQ(Battery(0)->Name(), "Battery: 1");
  EXPECT_EQ(changed.count(), 0);  // nothing handed to the node
}

TEST_F(TreeviewTest, UpAndDownEndTheEditAndMove) {
  tree->expand(Index(Battery(0)));
  Click(String(0, 0));
  ASSERT_TRUE(tree->Rename());
  QTest::keyClicks(EditBox(tree), "North");
  QTest::keyClick(EditBox(tree), Qt::Key_Down);
  EXPECT_FALSE(tree->IsEditing());
  EXPECT_EQ(String(0, 0)->Name(), "North");
  EXPECT_EQ(tree->FocusedNode(), String(0, 0)->CurrentsGroup());

  // Unchanged: nothing stored, the focus still moves.
  ASSERT_TRUE(tree->Rename());
  QTest::keyClick(EditBox(tree), Qt::Key_Up);
  EXPECT_FALSE(tree->IsEditing());
  EXPECT_EQ(tree->FocusedNode(), String(0, 0));
  EXPECT_EQ(String(0, 0)->CurrentsGroup()->Name(), "Currents");
}

TEST_F(TreeviewTest, TheEditBoxIsAtLeast50PixelsAndGrowsWithItsText) {
  tree->header()->resizeSection(0, 10);
  Click(Battery(0));
  ASSERT_TRUE(tree->Rename());
  TzmTreeviewEdit* edit = EditBox(tree);
  EXPECT_EQ(edit->width(), TzmTreeviewEditLink::MinWidth);

  tree->header()->resizeSection(0, 300);
  QTest::keyClick(edit, Qt::Key_Escape);
  ASSERT_TRUE(tree->Rename());
  const int before = edit->width();
  QTest::keyClicks(edit, "A much longer battery name than before");
  EXPECT_GT(edit->width(), before);
  EXPECT_LE(edit->x() + edit->width(), tree->viewport()->width());
  const int longer = edit->width();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_LT(edit->width(), longer);
  EXPECT_EQ(edit->width(), TzmTreeviewEditLink::MinWidth);
  QTest::keyClick(edit, Qt::Key_Escape);
}

TEST_F(TreeviewTest, OnlyTheNameColumnIsEditedAndF2StartsIt) {
  Click(String(0, 0));
  QTest::keyClick(tree, Qt::Key_F2);
  ASSERT_TRUE(tree->IsEditing());
  // The editor sits over the name, whatever column is current.
  EXPECT_LT(EditBox(tree)->x(), tree->header()->sectionViewportPosition(1));
  QTest::keyClick(EditBox(tree), Qt::Key_Escape);

  // A second, slow click on the selected row starts the edit too.
  QTest::qWait(QApplication::doubleClickInterval() + 50);
  Click(String(0, 0));
  QTest::qWait(QApplication::doubleClickInterval() + 100);
  EXPECT_TRUE(tree->IsEditing());
  QTest::keyClick(EditBox(tree), Qt::Key_Escape);

  panel->SetSystem(nullptr);
  EXPECT_FALSE(tree->Rename());
}

TEST_F(TreeviewTest, AnEditedRowThatGoesAwayEndsTheEdit) {
  Click(Battery(1));
  ASSERT_TRUE(tree->Rename());
  QTest::keyClicks(EditBox(tree), "Gone");
  Battery(1)->Delete();
  EXPECT_FALSE(tree->IsEditing());
  EXPECT_EQ(system->BMU()->BatteryCount(), 1);
  EXPECT_EQ(Battery(0)->Name(), "Battery: 1");
}

TEST_F(TreeviewTest, DoubleClicksRaiseThePanelEventInsteadOfExpanding) {
  QSignalSpy doubleClicks(panel.get(), &TzmTreeviewPanel::DoubleClick);
  Click(Battery(0));
  const QModelIndex battery = Index(Battery(0));
  tree->collapse(battery);
  QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, Centre(Battery(0)));
  EXPECT_FALSE(tree->isExpanded(battery));
  tree->expand(battery);
  QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, Centre(Battery(0)));
  EXPECT_TRUE(tree->isExpanded(battery));
  ASSERT_EQ(doubleClicks.count(), 2);
  EXPECT_EQ(doubleClicks[0][0].value<QObject*>(), tree);
  EXPECT_FALSE(tree->IsEditing());

  QTest::mouseDClick(panel->CaptionBar(), Qt::LeftButton);
  ASSERT_EQ(doubleClicks.count(), 3);
  EXPECT_EQ(doubleClicks[2][0].value<QObject*>(), panel->CaptionBar());
}

TEST_F(TreeviewTest, SelectionStaysOnOneLevelAndListsTopToBottom) {
  tree->expand(Index(Battery(0)));
  Click(Battery(1));
  Click(Battery(0), Qt::ControlModifier);
  EXPECT_EQ(tree->SelectedNodes(), (std::vector<TzmSystemNode*>{Battery(0), Battery(1)}));
  Click(String(0, 1), Qt::ControlModifier);  // another level: refused
  EXPECT_EQ(tree->SelectedNodes(), (std::vector<TzmSystemNode*>{Battery(0), Battery(1)}));

  // A plain click starts again on the new level.
  Click(String(0, 1));
  Click(String(0, 0), Qt::ControlModifier);
  EXPECT_EQ(tree->SelectedNodes(), (std::vector<TzmSystemNode*>{String(0, 0), String(0, 1)}));
  // A range across levels keeps only the rows of the first level.
  Click(Battery(1), Qt::ShiftModifier);
  for (TzmSystemNode* node : tree->SelectedNodes())
    EXPECT_NE(dynamic_cast<TzmUPSStringSystemNode*>(node), nullptr) << node->Name();
}

TEST_F(TreeviewTest, ThePopupMenuOpensAnywhereInThePanel) {
  QMenu menu;
  menu.addAction("Rename");
  panel->SetPopupMenu(&menu);
  const QPoint at = Centre(Battery(0));
  QContextMenuEvent onTree(QContextMenuEvent::Mouse, at, tree->viewport()->mapToGlobal(at));
  QApplication::sendEvent(tree->viewport(), &onTree);
  EXPECT_TRUE(menu.isVisible());
  menu.hide();

  QContextMenuEvent onCaption(QContextMenuEvent::Mouse, QPoint(5, 5),
                              panel->CaptionBar()->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(panel->CaptionBar(), &onCaption);
  EXPECT_TRUE(menu.isVisible());
  menu.hide();
  panel->SetPopupMenu(nullptr);
}
