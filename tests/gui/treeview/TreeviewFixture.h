#pragma once
// A shown tree panel over a small UPS system, and helpers to reach rows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <memory>

#include "FakeUserInterface.h"
#include "model/ZMUPSTreeSystem.h"
#include "treeview/ZMTreePanel.h"
#include "treeview/ZMTreeview.h"
#include "treeview/ZMTreeviewEdit.h"
#include "treeview/ZMTreeviewModel.h"

// Two batteries; battery 1 has two strings of (1 probe, 1 sensor, 4 cells),
// battery 2 one string of (0, 0, 2).
inline std::unique_ptr<TzmUPSSystem> MakeSmallSystem() {
  auto system = std::make_unique<TzmUPSSystem>();
  auto* b1 = static_cast<TzmUPSBatterySystemNode*>(system->BMU()->AddChild());
  auto* b2 = static_cast<TzmUPSBatterySystemNode*>(system->BMU()->AddChild());
  for (int i = 0; i < 2; ++i) {
    b1->AddChild();
    auto* s = b1->GetString(i);
    s->SetCurrentCount(1);
    s->SetTemperatureCount(1);
    s->SetCellCount(4);
  }
  b2->AddChild();
  b2->GetString(0)->SetCellCount(2);
  return system;
}

class TreeviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    panel = std::make_unique<TzmTreeviewPanel>();
    panel->resize(900, 600);
    panel->show();
    panel->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    tree = panel->Tree();
    model = tree->Model();
    system = MakeSmallSystem();
    panel->SetSystem(system.get());
  }
  void TearDown() override {
    panel.reset();
    system.reset();
  }

  QModelIndex Index(TzmSystemNode* node) { return tree->IndexOfNode(node); }
  QString Text(TzmSystemNode* node, int column = 0) {
    return Index(node).siblingAtColumn(column).data().toString();
  }
  // Makes a row visible (ancestors expanded) and returns its centre.
  QPoint Centre(TzmSystemNode* node) {
    const QModelIndex index = Index(node);
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent()) tree->expand(p);
    tree->scrollTo(index);
    return tree->visualRect(index).center();
  }
  void Click(TzmSystemNode* node, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, mods, Centre(node));
  }
  TzmUPSBatterySystemNode* Battery(int b) { return system->GetBattery(b); }
  TzmUPSStringSystemNode* String(int b, int s) { return Battery(b)->GetString(s); }

  TFakeServices services;
  std::unique_ptr<TzmUPSSystem> system;
  std::unique_ptr<TzmTreeviewPanel> panel;
  TzmTreeview* tree = nullptr;
  TzmTreeviewModel* model = nullptr;
};
