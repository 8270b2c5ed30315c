#pragma once
// The main window as the user has it, offscreen, with a site file of the
// largest installation opened through File > Open's own path. The dialogs of
// the tree commands and the program's questions are the tests' scripted
// fakes, so nothing waits for a user.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>
#include <string>

#include "../LargestInstallation.h"
#include "../../tests/core/treecommands/TreeCommandFakes.h"
#include "FakeUserInterface.h"
#include "TempFiles.h"
#include "editgrid/UEditStringGrid.h"
#include "sitefile/ZMSiteDocument.h"
#include "treeview/ZMTreePanel.h"
#include "treeview/ZMTreeview.h"
#include "treeview/ZMTreeviewModel.h"
#include "walkthrough/fmWalkThrough.h"
#include "wizard/Main.h"
#include "wizard/MainSiteFiles.h"
#include "wizard/MainTreeActions.h"

// Counts the paint events a widget gets, so that a figure can prove the
// screen it claims to show was painted.
class TPaintCounter : public QObject {
 public:
  explicit TPaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int Count = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Count;
    return QObject::eventFilter(watched, event);
  }
};

class TBenchWindow {
 public:
  // The window with a site file of the system `describe` makes opened in it.
  explicit TBenchWindow(const std::function<void(TzmUPSSystem&, TSiteSettings&)>& describe = BuildLargestSystem) {
    window.AttachTreeCommands(dialogs);
    walkthru.SetMainWindow(&window);
    window.AttachWalkthrough(&walkthru);
    window.resize(1280, 800);
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    {
      TzmUPSSystem system;
      TSiteSettings settings;
      describe(system, settings);
      SaveSiteFile(folder / "site.zmsite", system, settings);
    }
    opened = window.SiteFiles().Document().OpenFile(folder / "site.zmsite");
    Settle();
  }
  ~TBenchWindow() { window.AttachWalkthrough(nullptr); }

  // False, with the benchmark failed, when the site file did not open.
  bool Opened(benchmark::State& state) {
    if (!opened) state.SkipWithError("the site file did not open");
    return opened;
  }

  // Runs what the last input posted (the repaints among it).
  static void Settle() {
    for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
  }
  QAction* Named(const char* name) { return window.findChild<QAction*>(QString::fromLatin1(name)); }
  QAction* TreeAction(const char* name) { return window.TreeActions()->Action(QString::fromLatin1(name)); }
  TEditStringGrid* Grid() const { return window.sgConfig(); }
  TzmTreeview* Tree() const { return window.TreePanel()->Tree(); }
  // The grid's pop-up menu opening brings the grid actions' states up to date.
  void RefreshGridActions() { QMetaObject::invokeMethod(window.pumGrid(), "aboutToShow"); }

  void Next() {
    window.btnNext()->click();
    Settle();
  }
  void Back() {
    window.btnBack()->click();
    Settle();
  }
  // Next to the grid page and "Edit configuration" on.
  void ToGridPageEditing() {
    Next();
    Named("mnuEditConfiguration")->trigger();
    Settle();
  }
  void Key(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(widget, key, modifiers);
    Settle();
  }

  TFakeServices services;
  TFakeDialogs dialogs;
  TTempFolder folder;
  TfmConfigWizard window;
  TfmWalkthru walkthru{&window};
  bool opened = false;
};
