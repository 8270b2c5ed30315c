#include <gtest/gtest.h>

#include "RecordingTreeControl.h"
#include "model/ZMTreeSystem.h"

using Calls = std::vector<std::string>;

namespace {
class TMarkedNode : public TzmSystemNode {};

// A parent with named children shown in the recording control.
struct ShownTree : ::testing::Test {
  TRecordingTreeControl view;
  TzmSystemNode parent;
  void SetUp() override {
    parent.SetName("P");
    view.Show(parent);
    for (int i = 1; i <= 3; ++i) {
      TzmSystemNode* child = parent.AddChild();
      child->SetName("C" + std::to_string(i));
      view.Show(*child);
    }
    view.Clear();
  }
};
}  // namespace

TEST_F(ShownTree, GrowingAsksTheParentRowToReinitAndRedrawPerChild) {
  parent.SetChildCount(5);
  ASSERT_EQ(parent.ChildCount(), 5);
  EXPECT_EQ(view.calls, (Calls{"Reinit P", "InvalidateToBottom P", "Reinit P",
                               "InvalidateToBottom P"}));
  EXPECT_EQ(parent.GetChild(4)->Parent(), &parent);
}

TEST_F(ShownTree, SameCountChangesAndRepaintsNothing) {
  TzmSystemNode* first = parent.GetChild(0);
  parent.SetChildCount(3);
  EXPECT_TRUE(view.calls.empty());
  EXPECT_EQ(parent.GetChild(0), first);
}

TEST_F(ShownTree, ShrinkingRemovesLastFirstAndUpdatesEachRow) {
  parent.SetChildCount(0);
  EXPECT_EQ(parent.ChildCount(), 0);
  EXPECT_EQ(view.calls, (Calls{"Delete C3", "SetChildCount P 2", "Delete C2",
                               "SetChildCount P 1", "Delete C1", "SetChildCount P 0"}));
}

TEST_F(ShownTree, RemovedSubtreeIsNeverNamedToTheControlAgain) {
  TzmSystemNode* child = parent.GetChild(0);
  TzmSystemNode* grandChild = child->AddChild();
  grandChild->SetName("G");
  view.Show(*grandChild);
  view.Clear();

  std::unique_ptr<TzmSystemNode> detached = parent.RemoveChild(0);
  EXPECT_EQ(detached.get(), child);
  EXPECT_EQ(detached->Parent(), nullptr);
  EXPECT_FALSE(detached->ViewNode);
  EXPECT_FALSE(grandChild->ViewNode);
  detached.reset();  // destroying it must not talk to the control about its rows
  EXPECT_EQ(view.calls, (Calls{"Delete C1", "SetChildCount P 2"}));
}

TEST_F(ShownTree, DeleteOfAChildGoesThroughItsParent) {
  parent.GetChild(1)->Delete();
  ASSERT_EQ(parent.ChildCount(), 2);
  EXPECT_EQ(parent.GetChild(1)->Name(), "C3");
  EXPECT_EQ(view.calls, (Calls{"Delete C2", "SetChildCount P 2"}));
}

TEST_F(ShownTree, NameAndCheckStateRepaintOnlyOnChange) {
  TzmSystemNode* child = parent.GetChild(0);
  child->SetName("C1");
  child->SetCheckState(0);
  EXPECT_TRUE(view.calls.empty());

  child->SetName("Renamed");
  child->SetCheckState(1);
  EXPECT_EQ(child->Name(), "Renamed");
  EXPECT_EQ(child->CheckState(), 1);
  EXPECT_EQ(view.calls, (Calls{"Repaint Renamed", "SetCheckState Renamed 1", "Repaint Renamed"}));
}

TEST_F(ShownTree, SelectInViewClearsExpandsSelectsFocusesAndRepaints) {
  parent.GetChild(2)->SelectInView();
  EXPECT_EQ(view.calls, (Calls{"ClearSelection", "ExpandAncestors C3", "Select C3", "Focus C3",
                               "Repaint C3"}));
}

TEST(TreeSystem, NodesWithoutRowsAskTheControlNothing) {
  TRecordingTreeControl view;
  TzmSystemNode parent;
  parent.SetChildCount(2);
  parent.GetChild(0)->SetName("x");
  parent.GetChild(0)->SetCheckState(2);
  parent.GetChild(0)->SelectInView();
  parent.GetChild(0)->RefreshView();
  parent.SetChildCount(0);
  EXPECT_TRUE(view.calls.empty());
}

TEST(TreeSystem, InsertChildOfClassBuildsThatClass) {
  TzmSystemNode parent;
  TzmSystemNode* child = parent.InsertChildOfClass(&CreateNodeOf<TMarkedNode>);
  EXPECT_NE(dynamic_cast<TMarkedNode*>(child), nullptr);
  EXPECT_EQ(child->Parent(), &parent);
  EXPECT_EQ(parent.IndexOfChild(child), 0);
  EXPECT_EQ(child->Number, -1);
  EXPECT_EQ(child->GetImageIndex(), -1);
  EXPECT_EQ(child->GetText(), "");
}

TEST(TreeSystem, GetChildOutsideTheListRaisesAndChangesNothing) {
  TzmSystemNode parent;
  parent.SetChildCount(2);
  EXPECT_THROW(parent.GetChild(2), EzmListIndexError);
  EXPECT_THROW(parent.GetChild(-1), EzmListIndexError);
  EXPECT_THROW(parent.DeleteChild(5), EzmListIndexError);
  EXPECT_EQ(parent.ChildCount(), 2);
  TzmSystemNode other;
  EXPECT_EQ(parent.IndexOfChild(&other), -1);
}

TEST(TreeSystem, UniqueChildNamesReuseGapsAndMatchExactly) {
  TzmSystemNode parent;
  EXPECT_EQ(parent.MakeUniqueChildName("Cell "), "Cell 1");
  parent.SetChildCount(5);
  const char* names[] = {"Cell 1", "Cell 3", "cell 2", "Cell 02", "Cell 2x"};
  for (int i = 0; i < 5; ++i) parent.GetChild(i)->SetName(names[i]);
  EXPECT_EQ(parent.MakeUniqueChildName("Cell "), "Cell 2");
  parent.GetChild(2)->SetName("Cell 2");
  EXPECT_EQ(parent.MakeUniqueChildName("Cell "), "Cell 4");
  EXPECT_EQ(parent.MakeUniqueChildName("Battery: "), "Battery: 1");
}

TEST(TreeSystem, UniqueNameAfterADenseRunIsTheNextNumber) {
  TzmSystemNode parent;
  for (int i = 1; i <= 12; ++i) parent.AddChild()->SetName("String: " + std::to_string(i));
  EXPECT_EQ(parent.MakeUniqueChildName("String: "), "String: 13");
}

TEST(TreeSystem, NumbersFallBackToTheIndex) {
  TzmSystemNode parent;
  parent.SetChildCount(3);
  TzmSystemNode* second = parent.GetChild(1);
  EXPECT_EQ(parent.GetChild(0)->GetNumber(), 0);
  EXPECT_EQ(second->GetNumber(), 1);
  EXPECT_FALSE(second->HasNumber());
  second->Number = 42;
  EXPECT_TRUE(second->HasNumber());
  EXPECT_EQ(second->GetNumber(), 42);
  EXPECT_EQ(second->ClearNumber(), 42);
  EXPECT_EQ(second->Number, -1);
  EXPECT_EQ(second->ClearNumber(), -1);
}

TEST(TreeSystem, DeleteOnTheRootEmptiesItAndLeavesItToTheSystem) {
  TzmSystem system(&CreateNodeOf<TzmSystemNode>);
  system.Root()->SetChildCount(2);
  system.Root()->GetChild(0)->SetChildCount(3);
  system.Root()->Delete();
  EXPECT_EQ(system.Root()->ChildCount(), 0);
}

TEST(TreeSystem, AttachingIsGuardedAndRefreshReattaches) {
  TRecordingTreeControl view;
  {
    TzmSystem system(&CreateNodeOf<TzmSystemNode>);
    system.SetTreeview(&view);
    EXPECT_EQ(system.Treeview(), &view);
    EXPECT_EQ(view.system, &system);
    system.SetTreeview(&view);  // already attached: nothing happens
    EXPECT_EQ(view.calls, (Calls{"Attach"}));

    system.Root()->SetChildCount(1);
    view.Show(*system.Root()->GetChild(0));
    view.Clear();
    system.RefreshTreeview();
    EXPECT_EQ(view.calls, (Calls{"Detach", "Attach"}));
    // The rows of the old display are gone with the detach.
    EXPECT_FALSE(system.Root()->GetChild(0)->ViewNode);
    view.Clear();
  }
  // Destruction detaches before the tree goes, so no row is named.
  EXPECT_EQ(view.calls, (Calls{"Detach"}));
  EXPECT_EQ(view.system, nullptr);
}

TEST(TreeSystem, ControlAttachingItselfRegistersOnce) {
  TRecordingTreeControl view;
  TzmSystem system(&CreateNodeOf<TzmSystemNode>);
  view.SetSystem(&system);
  EXPECT_EQ(system.Treeview(), &view);
  EXPECT_EQ(view.attachCount, 1);
  view.SetSystem(nullptr);
  EXPECT_EQ(system.Treeview(), nullptr);
  EXPECT_EQ(view.detachCount, 1);
}
