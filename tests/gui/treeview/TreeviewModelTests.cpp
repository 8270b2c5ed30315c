// The tree shows the model's texts and follows its changes row by row.
#include <QLabel>
#include <QSignalSpy>

#include "TreeviewFixture.h"

TEST_F(TreeviewTest, PanelIsSetUpWithCaptionHeaderAndColumns) {
  EXPECT_EQ(panel->CaptionBar()->text(), "System");
  EXPECT_EQ(panel->CaptionBar()->height(), 30);
  EXPECT_EQ(tree->header()->height(), 18);
  const QStringList captions{"Entire System", "Level 1", "Level 2", "Level 3"};
  const int widths[] = {300, 100, 100, 100};
  ASSERT_EQ(model->columnCount(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(model->headerData(i, Qt::Horizontal).toString(), captions[i]);
    EXPECT_EQ(tree->header()->sectionSize(i), widths[i]);
  }
  EXPECT_EQ(tree->selectionMode(), QAbstractItemView::ExtendedSelection);
  EXPECT_FALSE(tree->expandsOnDoubleClick());
  EXPECT_EQ(panel->GetSystem(), system.get());
  EXPECT_FALSE(tree->currentIndex().isValid());  // no row focused
}

TEST_F(TreeviewTest, ColumnsShowTheNodesSixTexts) {
  model->SetColumnCaptions({"a", "b", "c", "d", "e", "f", "g"});
  TzmUPSCellSystemNode* cell = String(0, 1)->GetCell(2);
  cell->LowAlarm = 1.75;
  cell->HighResistance = 2.5;
  cell->RefreshView();
  for (int column = 0; column < 6; ++column)
    EXPECT_EQ(Text(cell, column).toStdString(), NodeColumnText(*cell, column)) << column;
  EXPECT_EQ(Text(cell, 0), "Cell 3");
  EXPECT_EQ(Text(cell, 2), "1.75");
  EXPECT_EQ(Text(cell, 5), "2.5");
  EXPECT_EQ(Text(cell, 6), "Undefined");
  EXPECT_EQ(Text(String(0, 0), 1).toStdString(), String(0, 0)->GetText());
  EXPECT_EQ(Text(Battery(1)), "Battery: 2");

  // Column 0 edits the name; columns beyond 5 refuse.
  SetNodeColumnText(*cell, 0, "Jar 3");
  EXPECT_EQ(Text(cell), "Jar 3");
  try {
    SetNodeColumnText(*cell, 7, "x");
    ADD_FAILURE() << "no error for column 7";
  } catch (const EzmTreeviewError& error) {
    EXPECT_STREQ(error.what(), "Jar 3 does not support text in column 7");
  }
  EXPECT_FALSE(model->setData(Index(cell).siblingAtColumn(6), "x"));
  EXPECT_TRUE(model->flags(Index(cell)) & Qt::ItemIsEditable);
  EXPECT_FALSE(model->flags(Index(cell).siblingAtColumn(1)) & Qt::ItemIsEditable);
}

TEST_F(TreeviewTest, RowsAreBoundOnDemandAndFreedWithTheView) {
  EXPECT_EQ(model->rowCount(), 2);
  EXPECT_TRUE(Battery(0)->ViewNode);  // the first top-level row at once
  EXPECT_FALSE(String(1 - 1, 1)->GetCell(3)->ViewNode);
  EXPECT_TRUE(model->hasChildren(Index(Battery(0))));
  TzmUPSCellSystemNode* cell = String(0, 1)->GetCell(3);
  EXPECT_EQ(model->NodeOf(Index(cell)), cell);
  EXPECT_EQ(cell->ViewNode.Control, static_cast<IzmTreeControl*>(tree));

  panel->SetSystem(nullptr);
  EXPECT_EQ(model->rowCount(), 0);
  EXPECT_FALSE(cell->ViewNode);
  EXPECT_FALSE(Battery(0)->ViewNode);
  EXPECT_EQ(system->Treeview(), nullptr);
  EXPECT_EQ(model->BoundRowCount(), 0);

  // Re-attaching through the model's own refresh shows everything again.
  panel->SetSystem(system.get());
  system->RefreshTreeview();
  EXPECT_EQ(system->Treeview(), static_cast<IzmTreeControl*>(tree));
  EXPECT_EQ(model->rowCount(), 2);
  EXPECT_EQ(Text(cell), "Cell 4");
}

TEST_F(TreeviewTest, AnEmptySystemShowsNothingAndGrowsWithItsModel) {
  TzmUPSSystem empty;
  panel->SetSystem(&empty);
  EXPECT_EQ(model->rowCount(), 0);
  empty.BMU()->AddChild();
  EXPECT_EQ(model->rowCount(), 1);
  EXPECT_EQ(model->index(0, 0).data().toString(), "Battery: 1");
  // The battery has no strings yet: no expand button until it gets one.
  const QModelIndex battery = model->index(0, 0);
  EXPECT_FALSE(model->hasChildren(battery));
  empty.GetBattery(0)->AddChild();
  EXPECT_TRUE(model->hasChildren(battery));
  EXPECT_EQ(model->index(0, 0, battery).data().toString(), "String: 1");
  panel->SetSystem(system.get());
}

TEST_F(TreeviewTest, FollowsAddingDeletingAndRenamingWithoutAReset) {
  QSignalSpy resets(model, &QAbstractItemModel::modelAboutToBeReset);
  QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
  TzmUPSAllCellSystemNode* cells = String(0, 0)->CellsGroup();
  const QModelIndex group = Index(cells);
  tree->expand(group);
  ASSERT_EQ(model->rowCount(group), 4);

  // Deleting a row in the middle closes the gap with the right nodes.
  TzmSystemNode* third = cells->GetChild(2);
  cells->DeleteChild(1);
  ASSERT_EQ(model->rowCount(group), 3);
  EXPECT_EQ(model->index(1, 0, group).data().toString(), "Cell 3");
  EXPECT_EQ(model->NodeOf(model->index(1, 0, group)), third);
  EXPECT_EQ(model->index(2, 0, group).data().toString(), "Cell 4");

  // Adding shows the new row and the group's new count.
  cells->AddChild();
  ASSERT_EQ(model->rowCount(group), 4);
  EXPECT_EQ(model->index(3, 0, group).data().toString(), "Cell 2");
  EXPECT_EQ(group.siblingAtColumn(1).data().toString(), "Cells : 4");

  changed.clear();
  third->SetName("Renamed");
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(model->index(1, 0, group).data().toString(), "Renamed");

  String(0, 0)->SetCellCount(0);
  EXPECT_EQ(model->rowCount(group), 0);
  EXPECT_FALSE(model->hasChildren(group));
  Battery(0)->Delete();
  EXPECT_EQ(model->rowCount(), 1);
  EXPECT_EQ(model->index(0, 0).data().toString(), "Battery: 2");
  EXPECT_EQ(resets.count(), 0);
}

TEST_F(TreeviewTest, RemovalsAmongUnboundRowsKeepBoundRowsOnTheirNodes) {
  TzmUPSAllCellSystemNode* cells = String(0, 0)->CellsGroup();
  cells->SetChildCount(8);
  const QModelIndex group = Index(cells);
  // Only rows 1 and 6 are bound; the others have never been asked for.
  TzmSystemNode* second = model->NodeOf(model->index(1, 0, group));
  TzmSystemNode* seventh = model->NodeOf(model->index(6, 0, group));
  ASSERT_FALSE(cells->GetChild(3)->ViewNode);
  cells->DeleteChild(3);
  cells->DeleteChild(4);  // former row 5
  ASSERT_EQ(model->rowCount(group), 6);
  EXPECT_EQ(model->NodeOf(model->index(1, 0, group)), second);
  EXPECT_EQ(model->NodeOf(model->index(4, 0, group)), seventh);
  for (int row = 0; row < 6; ++row)
    EXPECT_EQ(model->NodeOf(model->index(row, 0, group)), cells->GetChild(row)) << row;
}

TEST_F(TreeviewTest, AGroupOfFiveThousandCellsExpandsLazily) {
  String(1 - 1, 0)->SetCellCount(5000);
  TzmUPSAllCellSystemNode* cells = String(0, 0)->CellsGroup();
  const QModelIndex group = Index(cells);
  EXPECT_EQ(model->rowCount(group), 5000);
  EXPECT_FALSE(cells->GetChild(2500)->ViewNode);
  tree->expand(group);
  EXPECT_TRUE(tree->isExpanded(group));
  const QModelIndex last = model->index(4999, 0, group);
  EXPECT_EQ(last.data().toString(), "Cell 5000");
  EXPECT_EQ(model->NodeOf(last), cells->GetChild(4999));
  tree->scrollTo(last);
  EXPECT_TRUE(tree->visualRect(last).isValid());
}

TEST_F(TreeviewTest, SelectInViewExpandsSelectsAndFocuses) {
  TzmUPSCellSystemNode* cell = String(0, 1)->GetCell(1);
  Index(cell);  // bound, as the walk-through's nodes are
  Click(Battery(1));
  cell->SelectInView();
  EXPECT_TRUE(tree->isExpanded(Index(String(0, 1)->CellsGroup())));
  EXPECT_TRUE(tree->isExpanded(Index(Battery(0))));
  EXPECT_EQ(tree->FocusedNode(), cell);
  EXPECT_EQ(tree->SelectedNodes(), std::vector<TzmSystemNode*>{cell});
}

TEST_F(TreeviewTest, CheckStatesAreMirroredBothWays) {
  model->SetShowCheckBoxes(true);
  TzmUPSStringSystemNode* string = String(0, 1);
  const QModelIndex index = Index(string);
  EXPECT_EQ(index.data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
  string->SetCheckState(2);
  EXPECT_EQ(index.data(Qt::CheckStateRole).toInt(), Qt::Checked);
  EXPECT_TRUE(model->setData(index, Qt::PartiallyChecked, Qt::CheckStateRole));
  EXPECT_EQ(string->CheckState(), 1);
  EXPECT_EQ(index.data(Qt::CheckStateRole).toInt(), Qt::PartiallyChecked);
  // A row bound later starts with its node's state.
  TzmUPSCellSystemNode* cell = Battery(1)->GetString(0)->GetCell(1);
  cell->SetCheckState(2);
  EXPECT_EQ(Index(cell).data(Qt::CheckStateRole).toInt(), Qt::Checked);
}

TEST_F(TreeviewTest, DestroyingTheSystemOrTheTreeLeavesNoDanglingLinks) {
  auto other = MakeSmallSystem();
  panel->SetSystem(other.get());
  Index(other->GetBattery(0)->GetString(1)->GetCell(3));
  other.reset();  // detaches first
  EXPECT_EQ(tree->System(), nullptr);
  EXPECT_EQ(model->rowCount(), 0);

  panel->SetSystem(system.get());
  TzmUPSCellSystemNode* cell = String(0, 1)->GetCell(3);
  Index(cell);
  panel.reset();
  EXPECT_EQ(system->Treeview(), nullptr);
  EXPECT_FALSE(cell->ViewNode);
  EXPECT_FALSE(Battery(0)->ViewNode);
}

TEST_F(TreeviewTest, DeletingTheFocusedRowHandsTheFocusToTheNextNode) {
  // The view asks for the row after the one going while the node is gone
  // from the model already; that row was never shown, so it is bound then.
  TzmUPSAllCellSystemNode* cells = String(0, 0)->CellsGroup();
  cells->SetChildCount(1);
  Click(cells->GetChild(0));
  tree->collapse(Index(cells));
  cells->AddChild();
  ASSERT_FALSE(cells->GetChild(1)->ViewNode);
  cells->DeleteChild(0);
  EXPECT_EQ(tree->FocusedNode(), cells->GetChild(0));
  EXPECT_EQ(Text(cells->GetChild(0)), QString::fromStdString(cells->GetChild(0)->Name()));
  EXPECT_EQ(model->rowCount(Index(cells)), 1);
}

TEST_F(TreeviewTest, RowsBelowARemovalAreAskedForMidwayGetTheNodesThatStay) {
  // Views ask for rows below the one going while the node list has changed
  // already; rows never shown before must bind the nodes that will be there.
  TzmUPSAllCellSystemNode* cells = String(0, 0)->CellsGroup();
  ASSERT_EQ(cells->ChildCount(), 4);
  TzmSystemNode* third = cells->GetChild(2);
  TzmSystemNode* fourth = cells->GetChild(3);
  const QPersistentModelIndex group = Index(cells);
  Index(cells->GetChild(1));  // only the row that goes is bound
  ASSERT_FALSE(third->ViewNode);
  ASSERT_FALSE(fourth->ViewNode);
  std::vector<TzmSystemNode*> asked;
  const auto connection = QObject::connect(
      model, &QAbstractItemModel::rowsAboutToBeRemoved,
      [&](const QModelIndex& parent, int first, int last) {
        for (int row = last + 1; row < model->rowCount(parent); ++row)
          asked.push_back(model->NodeOf(model->index(row, 0, parent)));
        EXPECT_EQ(first, 1);
      });
  cells->DeleteChild(1);
  QObject::disconnect(connection);
  EXPECT_EQ(asked, (std::vector<TzmSystemNode*>{third, fourth}));
  ASSERT_EQ(model->rowCount(group), 3);
  EXPECT_EQ(model->NodeOf(model->index(1, 0, group)), third);
  EXPECT_EQ(model->NodeOf(model->index(2, 0, group)), fourth);
  EXPECT_EQ(Text(fourth), QString::fromStdString(fourth->Name()));
}
