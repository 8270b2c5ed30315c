#include "wizard/MainSiteFiles.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <cstdlib>
#include <exception>

#include "alarms/fmAlarmSet.h"
#include "common/ZMCommandGuard.h"
#include "model/ZMUPSTreeSystem.h"
#include "wizard/Main.h"

namespace {
// The platform's standard keys; where it has none (Save As on some
// platforms), the usual ones.
QAction* MakeFileAction(QObject* parent, const char* name, const char* caption, const char* hint,
                        QKeySequence::StandardKey key, const QKeySequence& usual) {
  auto* action = new QAction(QString::fromUtf8(caption), parent);
  action->setObjectName(QString::fromUtf8(name));
  action->setStatusTip(QString::fromUtf8(hint));
  action->setToolTip(QString::fromUtf8(hint));
  QList<QKeySequence> keys = QKeySequence::keyBindings(key);
  if (keys.isEmpty()) keys << usual;
  action->setShortcuts(keys);
  return action;
}
}  // namespace

TMainSiteFiles::TMainSiteFiles(TfmConfigWizard& window) : QObject(&window), Window_(window), Document_(window.Logic()) {
  Open_ = MakeFileAction(&window, "FileOpenItem", "&Open...", "Open an existing file", QKeySequence::Open,
                         QKeySequence(Qt::CTRL | Qt::Key_O));
  Save_ = MakeFileAction(&window, "FileSaveItem", "&Save", "Save current file", QKeySequence::Save,
                         QKeySequence(Qt::CTRL | Qt::Key_S));
  SaveAs_ = MakeFileAction(&window, "FileSaveAsItem", "Save &As...", "Save current file under a new name",
                           QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  Import_ = new QAction(QStringLiteral("&Import configuration file..."), &window);
  Import_->setObjectName(QStringLiteral("FileImportItem"));
  Import_->setStatusTip(QStringLiteral("Make a description from an existing configuration file"));
  Import_->setToolTip(Import_->statusTip());
  connect(Import_, &QAction::triggered, this, [this] { RunGuarded([this] { Document_.ImportConfiguration(); }); });
  // On the window too, so that the keys mean the same on every page, also
  // where the File menu is not shown.
  window.addActions({Open_, Save_, SaveAs_});
  connect(Open_, &QAction::triggered, this, [this] { RunGuarded([this] { Document_.Open(); }); });
  connect(Save_, &QAction::triggered, this, [this] { RunGuarded([this] { Document_.Save(); }); });
  connect(SaveAs_, &QAction::triggered, this, [this] { RunGuarded([this] { Document_.SaveAs(); }); });

  Document_.OnStateChanged = [this] {
    UpdateTitle();
    UpdateRecentMenu();
  };
  Document_.OnDescriptionLoaded = [this] { Window_.DescriptionLoaded(); };
  // The recovery copy's thread reports each attempt; the outcome is taken on
  // this thread.
  Document_.OnRecoveryCopyFinished = [this] {
    QMetaObject::invokeMethod(
        this, [this] { RunGuarded([this] { Document_.RecoveryCopyFinished(); }); }, Qt::QueuedConnection);
  };
  Document_.OnRecoveryFailure = [this](const std::string& message) { ShowRecoveryFailure(message); };

  Settle_.setSingleShot(true);
  Settle_.setInterval(kSettleMs);
  connect(&Settle_, &QTimer::timeout, this, [this] { RunGuarded([this] { CheckNow(); }); });
  RecoveryTimer_.setSingleShot(true);
  RecoveryTimer_.setInterval(kRecoveryIntervalMs);
  connect(&RecoveryTimer_, &QTimer::timeout, this, [this] { Document_.WriteRecoveryCopy(); });
  // The user's input anywhere in the program (the main window, the
  // walk-through, the dialogs) may change the description.
  qApp->installEventFilter(this);
}

TMainSiteFiles::~TMainSiteFiles() {
  qApp->removeEventFilter(this);
  // No report of the copy's thread comes after this.
  Document_.Recovery().Flush();
}

void TMainSiteFiles::ShowRecoveryFailure(const std::string& message) {
  // A lasting note in the status line rather than a box: the copy is made in
  // the background, and the user's work goes on.
  if (!RecoveryFailure_) {
    if (message.empty()) return;
    RecoveryFailure_ = new QLabel(Window_.StatusLine());
    RecoveryFailure_->setObjectName(QStringLiteral("lblRecoveryFailure"));
    // A long path must not widen the window; the tip shows all of it.
    RecoveryFailure_->setMinimumWidth(120);
    Window_.StatusLine()->addPermanentWidget(RecoveryFailure_);
  }
  RecoveryFailure_->setText(QString::fromStdString(message));
  RecoveryFailure_->setToolTip(RecoveryFailure_->text());
  RecoveryFailure_->setVisible(!message.empty());
}

void TMainSiteFiles::PlaceRecentList(QMenu* fileMenu, QAction* before) {
  FileMenu_ = fileMenu;
  RecentBefore_ = before;
  UpdateRecentMenu();
}

void TMainSiteFiles::UseAlarmDialog(TfmAlarmSettings* dialog) {
  Alarms_ = dialog;
  if (!Alarms_) {
    Document_.ReadAlarmDialog = nullptr;
    Document_.ApplyAlarmDialog = nullptr;
    return;
  }
  Document_.ReadAlarmDialog = [this] {
    TSiteAlarmDialog values;
    values.CellType = Alarms_->Logic().CellType();
    values.Chemistry = Alarms_->Logic().Chemistry();
    try {
      values.Limits = Alarms_->Limits();
    } catch (const std::exception&) {
      // A box that is not a number (only while the dialog is open) keeps the defaults.
    }
    return values;
  };
  Document_.ApplyAlarmDialog = [this](const TSiteAlarmDialog& values) {
    Alarms_->RestoreValues(values.CellType, values.Chemistry, values.Limits);
    // The file holds values the user accepted.
    Alarms_->SetAlarmsAccepted(true);
  };
}

void TMainSiteFiles::SetCaption(const QString& caption) {
  Caption_ = caption;
  UpdateTitle();
}

void TMainSiteFiles::UpdateTitle() {
  if (Document_.FileName().empty() && !Document_.Modified()) {
    Window_.setWindowTitle(Caption_);
  } else {
    Window_.setWindowTitle(QString::fromStdString(Document_.DisplayName()) + QStringLiteral("[*] - ") + Caption_);
  }
  Window_.setWindowModified(Document_.Modified());
}

void TMainSiteFiles::UpdateRecentMenu() {
  if (!FileMenu_) return;
  for (QAction* action : Recent_) delete action;
  Recent_.clear();
  delete RecentSeparator_;
  RecentSeparator_ = nullptr;
  const std::vector<std::string>& files = Document_.RecentFiles();
  for (size_t i = 0; i < files.size(); ++i) {
    const QString path = QString::fromStdString(files[i]);
    auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), this);
    action->setObjectName(QStringLiteral("mnuRecentSite%1").arg(i + 1));
    action->setStatusTip(path);
    action->setToolTip(path);
    const std::string file = files[i];
    connect(action, &QAction::triggered, this, [this, file] { RunGuarded([this, file] { Document_.OpenFile(file); }); });
    FileMenu_->insertAction(RecentBefore_, action);
    Recent_.push_back(action);
  }
  if (!Recent_.empty()) RecentSeparator_ = FileMenu_->insertSeparator(RecentBefore_);
}

void TMainSiteFiles::NoteChange() { Settle_.start(); }

void TMainSiteFiles::CheckNow() {
  Settle_.stop();
  Document_.CheckForChanges();
  if (Document_.RecoveryDue() && !RecoveryTimer_.isActive()) RecoveryTimer_.start();
}

bool TMainSiteFiles::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::Drop:
      Settle_.start();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void TMainSiteFiles::PostStartup(const std::string& siteFile, std::function<void()> walkThrough) {
  QMetaObject::invokeMethod(
      this, [this, siteFile, walkThrough] { RunStartup(siteFile, walkThrough); }, Qt::QueuedConnection);
}

void TMainSiteFiles::RunStartup(const std::string& siteFile, const std::function<void()>& walkThrough) {
  bool loaded = false;
  RunGuarded([&] { loaded = Document_.OfferRecovery(); });
  if (!loaded && !siteFile.empty()) {
    // A site file named on the command line replaces the walk-through, even
    // when it cannot be opened (the error box says why).
    RunGuarded([&] { Document_.OpenFile(siteFile); });
    loaded = true;
  }
  // A scripted change for the crash recovery test, as if the user had renamed
  // the first battery: ZM_TEST_RENAME_FIRST_BATTERY=<new name>.
  if (const char* name = std::getenv("ZM_TEST_RENAME_FIRST_BATTERY"); name && *name) {
    TzmUPSSystem& system = Window_.Logic().System();
    if (system.BatteryCount() > 0) system.GetBattery(0)->SetName(name);
    NoteChange();
    return;
  }
  if (!loaded && walkThrough) walkThrough();
}
