// The monkey: a seeded stream of random but legal user events on the program's
// real windows (the main window, the walk-through and every dialog they open),
// with random answers to the questions that come up. After each event the
// windows are alive, no error reached the command guard and the model holds
// together; at the end the configuration file saved through the window is the
// one the core builds from the same model.
//   ZM_MONKEY_SEED, ZM_MONKEY_COUNT: the seed and the number of events
//   (scripts/monkey SEED COUNT runs it alone).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <iterator>
#include <map>
#include <mutex>
#include <random>
#include <thread>

#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "ModelInvariants.h"
#include "SiteModelGenerator.h"
#include "TempFiles.h"
#include "app/ZMHelp.h"
#include "app/ZMWindows.h"
#include "common/ZMCommandGuard.h"
#include "dialogs/fmAbout.h"
#include "sitefile/ZMSiteDocument.h"
#include "treeview/ZMTreePanel.h"
#include "treeview/ZMTreeview.h"
#include "treeview/ZMTreeviewModel.h"
#include "walkthrough/fmWalkThrough.h"
#include "walkthrough/fmWalkThroughPrint.h"
#include "wizard/ControlUnitBar.h"
#include "wizard/Main.h"
#include "wizard/MainSiteFiles.h"

namespace {
constexpr unsigned kDefaultSeed = 5;  // a run that ends with a configuration file to compare
constexpr int kDefaultCount = 2500;
constexpr int kStepSeconds = 30;  // the watchdog's limit for one event
constexpr size_t kRingSize = 30;
const char* const kPageNames[] = {"(tree page)", "(grid page)", "(save page)"};

unsigned EnvNumber(const char* name, unsigned fallback) {
  const char* text = std::getenv(name);
  return text && *text ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : fallback;
}

std::string NameOf(const QObject* o) {
  if (!o) return "(none)";
  return (o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className()) : o->objectName()).toStdString();
}

struct TKey {
  int key;
  Qt::KeyboardModifiers mods;
  const char* name;
};
const TKey kKeys[] = {
    {Qt::Key_Up, {}, "Up"},         {Qt::Key_Down, {}, "Down"},         {Qt::Key_Left, {}, "Left"},
    {Qt::Key_Right, {}, "Right"},   {Qt::Key_Tab, {}, "Tab"},           {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
    {Qt::Key_Return, {}, "Enter"},  {Qt::Key_Escape, {}, "Escape"},     {Qt::Key_Delete, {}, "Delete"},
    {Qt::Key_Backspace, {}, "Backspace"}, {Qt::Key_F2, {}, "F2"},       {Qt::Key_Space, {}, "Space"},
    {Qt::Key_Home, {}, "Home"},     {Qt::Key_End, {}, "End"},           {Qt::Key_PageDown, {}, "PageDown"},
    {Qt::Key_Insert, {}, "Insert"}, {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"}, {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},
    {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"}, {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
    {Qt::Key_S, Qt::ControlModifier, "Ctrl+S"}, {Qt::Key_O, Qt::ControlModifier, "Ctrl+O"},
    {Qt::Key_A, {}, "a"},           {Qt::Key_1, {}, "1"},               {Qt::Key_5, {}, "5"},
    {Qt::Key_F1, {}, "F1"},
};
const char* const kTexts[] = {"1", "4", "12", "0", "-1", "2.5", "abc", "Süd", "a,b", "99999", "3", "x", "1e3", " "};

class TMonkey : public QObject {
 public:
  TMonkey(unsigned seed, int count) : seed_(seed), count_(count), random_(seed) {
    QApplication::setQuitOnLastWindowClosed(false);
    // What the toolkit does after a pause (editing a row clicked again, a
    // type-ahead search that starts over) happens at once, whatever the speed
    // of the machine, so that a seed always gives the same run.
    QApplication::setDoubleClickInterval(0);
    QApplication::setKeyboardInputInterval(0);
    std::filesystem::create_directory(files_);
    services_.files.folder = files_;
    services_.messages.chooser = [this](int n) { return Answer("message", services_.messages.LastText(), n); };
    services_.prompts.chooser = [this](int n) { return Answer("prompt", services_.prompts.asked.back().prompt, n); };
    services_.files.chooser = [this](int n) { return Answer("file dialog", services_.files.kinds.back(), n); };
    // Reports print into PDF files.
    oldPrint_ = SetWalkPrintServices({[] { return false; }, [this](QPrinter& printer, QWidget*) {
                                        printer.setOutputFormat(QPrinter::PdfFormat);
                                        printer.setOutputFileName(QString::fromStdString((files_ / "report.pdf").string()));
                                        return true;
                                      }});
  }
  ~TMonkey() override {
    SetWalkPrintServices(oldPrint_);
    windows_.reset();
  }

  void Run() {
    errors_ = CommandErrorsReported();
    std::atomic<bool> stop{false};
    std::thread watchdog([this, &stop] { Watch(stop); });
    Next();
    loop_.exec();
    stop = true;
    watchdog.join();
    std::string seen;
    for (const auto& [name, times] : dialogs_) seen += " " + name + "x" + std::to_string(times);
    std::printf("monkey seed %u: %d events; events per window:%s\n", seed_, step_.load(), seen.c_str());
  }

  // Brings the description to the grid when it can go there and saves the
  // configuration file through the window; it must be the core's build of the
  // model. The site file saved through the window reads back the same.
  void Finish() {
    if (failed_) return;
    ASSERT_EQ(QApplication::activeModalWidget(), nullptr);
    // From now on every question gets the answer that goes ahead.
    services_.messages.chooser = services_.prompts.chooser = services_.files.chooser = [](int) { return 0; };
    TfmConfigWizard& main = *main_;
    for (int i = 0; i < 3 && main.Logic().State() != wsDefine && main.btnBack()->isEnabled(); ++i)
      QTest::mouseClick(main.btnBack(), Qt::LeftButton);
    ASSERT_EQ(main.Logic().State(), wsDefine);
    if (!main.btnNext()->isEnabled()) TriggerEnabled(main.tbarControlUnits()->actAutoAssignCUs());

    const std::string site = files_ / "final.zmsite";
    services_.files.Choose(site);
    ASSERT_TRUE(TriggerEnabled(main.SiteFiles().FileSaveAsItem()));
    TzmUPSSystem reread;
    TSiteSettings settings;
    const auto refused = OpenSiteFile(site, reread, settings);
    ASSERT_FALSE(refused) << refused->Message();
    EXPECT_EQ(WriteSiteFile(reread, settings), ReadText(site));
    EXPECT_EQ(settings, main.SiteFiles().Document().CurrentSettings());

    if (!main.btnNext()->isEnabled()) {
      std::printf("monkey seed %u: no configuration file: %s\n", seed_,
                  main.StatusLine()->currentMessage().toStdString().c_str());
      return;
    }
    QTest::mouseClick(main.btnNext(), Qt::LeftButton);
    ASSERT_EQ(main.Logic().State(), wsVerify);
    const std::string cfg = files_ / "final.cfg";
    services_.files.Choose(cfg);
    QTest::mouseClick(main.btnNext(), Qt::LeftButton);
    ASSERT_EQ(main.StatusLine()->currentMessage().toStdString(), "Saved " + cfg);
    const std::string text = ReadText(cfg);
    EXPECT_EQ(text, ConfigFileTextOf(main.Logic().System(), main.SiteFiles().Document().CurrentSettings()));
    std::printf("monkey seed %u: configuration file of %d lines compared\n", seed_,
                static_cast<int>(std::count(text.begin(), text.end(), '\n')));
  }

 private:
  int Below(int n) { return n <= 1 ? 0 : static_cast<int>(random_() % static_cast<unsigned>(n)); }
  template <typename T>
  T* Pick(const QList<T*>& list) { return list.isEmpty() ? nullptr : list.at(Below(static_cast<int>(list.size()))); }

  void Log(const std::string& event) {
    std::lock_guard<std::mutex> lock(ringMutex_);
    ring_.push_back(std::to_string(step_) + ": " + event);
    if (trace_) std::fprintf(stderr, "%s\n", ring_.back().c_str());
    if (ring_.size() > kRingSize) ring_.pop_front();
  }
  std::string Ring() {
    std::lock_guard<std::mutex> lock(ringMutex_);
    std::string text;
    for (const std::string& line : ring_) text += "  " + line + "\n";
    return text;
  }
  int Answer(const char* what, const std::string& question, int n) {
    const int k = Below(n);
    Log(std::string("answer ") + std::to_string(k) + " of " + std::to_string(n) + " to " + what + " \"" + question + "\"");
    return k;
  }

  void Start() {
    windows_.reset();  // the old windows let go of the error list: before the new ones take it
    windows_ = std::make_unique<TZMWindows>(dir_ / "ZMConfigWizard", dir_ / "config", true);
    main_ = &windows_->Main();
    main_->show();  // the walk-through opens by itself once the loop runs
  }

  // The next tick. A timer would not do: Qt does not fire a timer again while
  // its handler runs, and an event that opens a modal window runs on inside it.
  void Next() { QTimer::singleShot(0, this, [this] { Tick(); }); }

  // One event, or, once the count is reached, closing the modal windows left.
  void Tick() {
    if (done_) return;
    Next();
    if (!windows_) return Start();
    QWidget* modal = QApplication::activePopupWidget();
    if (!modal) modal = QApplication::activeModalWidget();
    // A nested loop that is no new modal window (the about box's credits) is
    // waited out, so that a seed always gives the same events.
    if (depth_ > 0 && (!modal || modal == targets_.back())) return;
    if (depth_ == 0 && !modal) {
      Check(true);
      if (!windows_) return;
    }
    if (auto* about = qobject_cast<TfmAboutBox*>(modal)) about->SetCreditsStepInterval(1);
    ++progress_;
    if (failed_ || step_ >= count_) {
      if (!modal) {
        done_ = true;
        return loop_.quit();
      }
      Log("close " + NameOf(modal));
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
      else modal->close();
      return;
    }
    ++step_;
    ++depth_;
    targets_.push_back(modal);
    ++dialogs_[modal ? NameOf(modal) : kPageNames[main_->Logic().State() == wsDefine ? 0 : main_->Logic().State() == wsVerify ? 1 : 2]];
    if (modal == &windows_->Walkthru()) walked_ = true;
    Act(modal);
    targets_.pop_back();
    --depth_;
    Check(false);
  }

  void Act(QWidget* modal) {
    QWidget* target = modal;
    if (!target) {
      QList<QWidget*> others;
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w != main_ && w->isVisible() && !qobject_cast<QMenu*>(w) && w->windowType() != Qt::ToolTip) others.append(w);
      // The application keeps its windows in a set: its order is the addresses'.
      std::sort(others.begin(), others.end(), [](QWidget* a, QWidget* b) { return NameOf(a) < NameOf(b); });
      target = !others.isEmpty() && Below(6) == 0 ? Pick(others) : main_.data();
    }
    if (auto* menu = qobject_cast<QMenu*>(target)) return PickFromMenu(menu);
    // Now and then the way forward: a dialog's default button, the main window's Next.
    QPushButton* ahead = target == main_ ? main_->btnNext() : nullptr;
    for (QPushButton* b : Reachable<QPushButton>(target))
      if (b->isDefault()) ahead = b;
    if (ahead && ahead->isVisible() && ahead->isEnabled() && Below(target == main_ ? 12 : 4) == 0) {
      Log("click " + NameOf(ahead) + " \"" + ahead->text().toStdString() + "\" in " + NameOf(target));
      return QTest::mouseClick(ahead, Qt::LeftButton, {}, ahead->rect().center());
    }
    const int kind = Below(20);
    if (kind < 5) return ClickButton(target);
    if (kind < 8) return MenuItem(target);
    if (kind < 12) return Key(target);
    if (kind < 14) return Type(target);
    if (kind < 18) return ClickView(target, false);
    if (kind < 19) return ClickView(target, true);
    ClickAnything(target);
  }

  template <typename T>
  QList<T*> Reachable(QWidget* window) {
    QList<T*> found;
    for (T* w : window->findChildren<T*>())
      // Not a box's own clear button, which fades in and out with time.
      if (w->isVisible() && w->isEnabled() && w->window() == window && !qobject_cast<QLineEdit*>(w->parentWidget()))
        found.append(w);
    return found;
  }

  void ClickButton(QWidget* window) {
    QAbstractButton* button = Pick(Reachable<QAbstractButton>(window));
    if (!button) return Key(window);
    Log("click " + NameOf(button) + " \"" + button->text().toStdString() + "\" in " + NameOf(window));
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
  }

  void PickFromMenu(QMenu* menu) {
    QList<QAction*> items;
    for (QAction* a : menu->actions())
      if (a->isEnabled() && a->isVisible() && !a->isSeparator() && !a->menu()) items.append(a);
    QAction* item = Below(4) == 0 ? nullptr : Pick(items);
    Log("pop-up " + NameOf(menu) + ": " + (item ? NameOf(item) : "closed"));
    menu->close();
    if (item) item->trigger();
  }

  void MenuItem(QWidget* window) {
    QMenuBar* bar = Pick(Reachable<QMenuBar>(window));
    if (!bar) return Key(window);
    QAction* top = Pick(bar->actions());
    QMenu* menu = top ? top->menu() : nullptr;
    if (!menu) return;
    emit menu->aboutToShow();
    QList<QAction*> items;
    for (QAction* a : menu->actions())
      if (a->isEnabled() && a->isVisible() && !a->isSeparator()) items.append(a);
    QAction* item = Pick(items);
    if (item && item->menu()) {  // a submenu: one of its items
      emit item->menu()->aboutToShow();
      item = Pick(item->menu()->actions());
      if (item && (!item->isEnabled() || item->isSeparator())) item = nullptr;
    }
    if (!item) return;
    Log("menu " + NameOf(menu) + " > " + NameOf(item) + " \"" + item->text().toStdString() + "\"");
    item->trigger();
  }

  void Key(QWidget* window) {
    QWidget* to = QApplication::focusWidget();
    if (!to || to->window() != window) to = window;
    const TKey& key = kKeys[Below(static_cast<int>(std::size(kKeys)))];
    Log(std::string("key ") + key.name + " to " + NameOf(to) + " in " + NameOf(window));
    QTest::keyClick(to, static_cast<Qt::Key>(key.key), key.mods);
  }

  void Type(QWidget* window) {
    QWidget* to = QApplication::focusWidget();
    if (!to || to->window() != window || !(qobject_cast<QLineEdit*>(to) || qobject_cast<QAbstractSpinBox*>(to))) {
      QList<QWidget*> boxes;
      for (QWidget* w : Reachable<QWidget>(window))
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w)) boxes.append(w);
      to = Pick(boxes);
      if (!to) return Key(window);
      QTest::mouseClick(to, Qt::LeftButton, {}, to->rect().center());
      if (Below(2)) QTest::keyClick(to, Qt::Key_A, Qt::ControlModifier);
    }
    const char* text = kTexts[Below(static_cast<int>(std::size(kTexts)))];
    Log(std::string("type \"") + text + "\" into " + NameOf(to) + " in " + NameOf(window));
    // Key by key; a letter beyond ASCII comes as its text, the way an input method sends it.
    for (const QChar c : QString::fromUtf8(text)) {
      if (c.unicode() < 128) QTest::keyClick(to, c.toLatin1());
      else QTest::sendKeyEvent(QTest::Click, to, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }

  // A click on a row of a tree or a cell of a grid, now and then with Ctrl or
  // Shift, a double click or a drag; or a right click for the pop-up menu.
  void ClickView(QWidget* window, bool rightClick) {
    QAbstractItemView* view = Pick(Reachable<QAbstractItemView>(window));
    if (!view || !view->model()) return ClickAnything(window);
    QModelIndex index;
    if (auto* tree = qobject_cast<QTreeView*>(view)) {
      QList<QModelIndex> rows;
      for (QModelIndex i = view->model()->index(0, 0); i.isValid() && rows.size() < 300; i = tree->indexBelow(i)) rows.append(i);
      if (!rows.isEmpty()) {
        const QModelIndex row = rows.at(Below(static_cast<int>(rows.size())));
        index = row.siblingAtColumn(Below(view->model()->columnCount(row.parent())));
      }
    } else if (view->model()->rowCount() > 0 && view->model()->columnCount() > 0) {
      index = view->model()->index(Below(view->model()->rowCount()), Below(view->model()->columnCount()));
    }
    if (!index.isValid()) return ClickAnything(window);
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QWidget* port = view->viewport();
    const std::string where = NameOf(view) + " row " + std::to_string(index.row()) + " column " + std::to_string(index.column());
    if (rightClick) {
      Log("right click " + where);
      QTest::mouseClick(port, Qt::RightButton, {}, at);
      QContextMenuEvent menu(QContextMenuEvent::Mouse, at, port->mapToGlobal(at));
      QApplication::sendEvent(port, &menu);
      return;
    }
    const int how = Below(10);
    const Qt::KeyboardModifiers mods = how == 0 ? Qt::ControlModifier : how == 1 ? Qt::ShiftModifier : Qt::NoModifier;
    if (how == 2) {
      Log("double click " + where);
      QTest::mouseDClick(port, Qt::LeftButton, {}, at);
    } else if (how == 3) {
      const QModelIndex to = view->model()->index(Below(view->model()->rowCount(index.parent())), index.column(), index.parent());
      const QPoint end = view->visualRect(to).center();
      Log("drag " + where + " to row " + std::to_string(to.row()));
      QTest::mousePress(port, Qt::LeftButton, {}, at);
      QMouseEvent move(QEvent::MouseMove, end, port->mapToGlobal(end), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(port, &move);
      QTest::mouseRelease(port, Qt::LeftButton, {}, end);
    } else {
      Log(std::string(mods == Qt::NoModifier ? "" : mods == Qt::ControlModifier ? "Ctrl+" : "Shift+") + "click " + where);
      QTest::mouseClick(port, Qt::LeftButton, mods, at);
    }
  }

  void ClickAnything(QWidget* window) {
    QWidget* w = Pick(Reachable<QWidget>(window));
    if (!w || w->width() < 1 || w->height() < 1) return Key(window);
    const QPoint at(Below(w->width()), Below(w->height()));
    Log("click " + NameOf(w) + " at " + std::to_string(at.x()) + "," + std::to_string(at.y()) + " in " + NameOf(window));
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
  }

  // The checks after each event.
  // The checks after each event. Some hold only once the windows are settled:
  // no modal window open and the command that ran one done (after the
  // walk-through, the main window takes its control units back to 32).
  void Check(bool settled) {
    if (failed_) return;
    std::string broken;
    if (!main_) {
      broken = "the main window was destroyed";
    } else if (CommandErrorsReported() != errors_) {
      broken = "an error reached the command guard: " + services_.messages.LastText();
    } else {
      TConfigWizardLogic& logic = main_->Logic();
      const int buttons = logic.ControlUnits().ButtonCount();
      if (buttons < 0 || buttons > 32) broken = std::to_string(buttons) + " control unit buttons";
      if (broken.empty()) broken = GridPlacesBroken(logic.Grid());
      if (broken.empty()) broken = TreeRowsBroken();
      if (broken.empty() && settled) broken = ControlUnitsBroken(logic.System());
      // A walk-through that was finished leaves every sub-string table complete.
      if (broken.empty() && settled && walked_ && windows_->Walkthru().Engine().Result() == TWalkResult::Finished) {
        broken = SubStringTablesBroken(logic.System());
        ++dialogs_["(walk-through finished)"];
      }
      if (settled) walked_ = false;
    }
    if (!broken.empty()) {
      failed_ = true;
      errors_ = CommandErrorsReported();
      ADD_FAILURE() << "monkey seed " << seed_ << ", event " << step_ << ": " << broken << "\nlast events:\n" << Ring()
                    << "replay: scripts/monkey " << seed_ << " " << step_;
      return;
    }
    if (settled && !main_->isVisible()) {  // the user closed the program: start it again
      Log("the main window closed: start again");
      Start();
    }
  }

  // The rows the tree shows are the model's nodes, in the model's order.
  std::string TreeRowsBroken() {
    TzmTreeview* tree = main_->TreePanel()->Tree();
    TzmTreeviewModel* model = tree->Model();
    std::function<std::string(const QModelIndex&, const TzmSystemNode*)> walk =
        [&](const QModelIndex& parent, const TzmSystemNode* node) -> std::string {
      if (model->rowCount(parent) != node->ChildCount())
        return "the tree shows " + std::to_string(model->rowCount(parent)) + " rows under \"" + node->Name() + "\", which has " +
               std::to_string(node->ChildCount()) + " children";
      for (int r = 0; r < node->ChildCount(); ++r) {
        const QModelIndex row = model->index(r, 0, parent);
        if (model->NodeOf(row) != node->GetChild(r)) return "row " + std::to_string(r) + " under \"" + node->Name() + "\" shows another node";
        if (tree->isExpanded(row)) {
          std::string broken = walk(row, node->GetChild(r));
          if (!broken.empty()) return broken;
        }
      }
      return {};
    };
    return walk(QModelIndex(), main_->Logic().System().Root());
  }

  void Watch(const std::atomic<bool>& stop) {
    int last = -1;
    auto since = std::chrono::steady_clock::now();
    while (!stop) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      const int now = progress_;
      if (now != last) {
        last = now;
        since = std::chrono::steady_clock::now();
      } else if (std::chrono::steady_clock::now() - since > std::chrono::seconds(kStepSeconds)) {
        std::fprintf(stderr, "monkey seed %u: event %d did not end within %d s (a hang); last events:\n%s", seed_,
                     step_.load(), kStepSeconds, Ring().c_str());
        std::fflush(stderr);
        std::abort();
      }
    }
  }

  const unsigned seed_;
  const int count_;
  std::mt19937 random_;
  TFakeServices services_;  // before the windows, which take the error list
  TTempFolder dir_;
  const std::filesystem::path files_ = dir_.Path() / "files";
  TZMHelp help_;
  TWalkPrintServices oldPrint_;
  std::unique_ptr<TZMWindows> windows_;
  QPointer<TfmConfigWizard> main_;
  QEventLoop loop_;
  std::atomic<int> step_{0};
  std::atomic<int> progress_{0};
  int depth_ = 0;
  std::vector<QWidget*> targets_;  // of the events under way, outermost first
  int errors_ = 0;
  bool failed_ = false;
  bool walked_ = false;
  bool done_ = false;
  std::map<std::string, int> dialogs_;
  std::mutex ringMutex_;
  std::deque<std::string> ring_;
  const bool trace_ = std::getenv("ZM_MONKEY_TRACE") != nullptr;  // every event to standard error
};
}  // namespace

TEST(Monkey, RandomUserEventsKeepTheWindowsAliveAndTheModelSound) {
  TMonkey monkey(EnvNumber("ZM_MONKEY_SEED", kDefaultSeed), static_cast<int>(EnvNumber("ZM_MONKEY_COUNT", kDefaultCount)));
  monkey.Run();
  monkey.Finish();
}
