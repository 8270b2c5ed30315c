#pragma once
// The main window's site files: File > Open..., Save and Save As..., the recent
// list under File, the window title with the file's name and the modified
// mark, the check for unsaved changes once the user's input settles, the
// recovery copy and the start-up steps (recovery offer, a site file named on
// the command line, else walk-through mode). The decisions are the core's
// TSiteDocument; this binds it to the window.
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "sitefile/ZMSiteDocument.h"

class QAction;
class QLabel;
class QMenu;
class TfmAlarmSettings;
class TfmConfigWizard;

class TMainSiteFiles : public QObject {
  Q_OBJECT
 public:
  // Quiet time after the user's last input before the description is compared.
  static constexpr int kSettleMs = 300;
  // The recovery copy is written at most this often.
  static constexpr int kRecoveryIntervalMs = 2000;

  // Makes the three File actions (the window places them in its File menu;
  // their shortcuts work on every page).
  explicit TMainSiteFiles(TfmConfigWizard& window);
  ~TMainSiteFiles() override;

  TSiteDocument& Document() { return Document_; }
  QAction* FileOpenItem() const { return Open_; }
  QAction* FileSaveItem() const { return Save_; }
  QAction* FileSaveAsItem() const { return SaveAs_; }
  QAction* FileImportItem() const { return Import_; }
  const std::vector<QAction*>& RecentItems() const { return Recent_; }
  // The recent list goes into `fileMenu` before `before`.
  void PlaceRecentList(QMenu* fileMenu, QAction* before);

  // The alarm dialog whose values belong to the description.
  void UseAlarmDialog(TfmAlarmSettings* dialog);
  // The window's caption, to which the file's name is added.
  void SetCaption(const QString& caption);
  // Something may have changed: compare once the input settles.
  void NoteChange();
  // Compares now (tests, and before questions).
  void CheckNow();

  // Once the program is idle after start-up: offers a recovery copy; without
  // one opens `siteFile` when given; otherwise runs `walkThrough`.
  void PostStartup(const std::string& siteFile, std::function<void()> walkThrough);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void UpdateTitle();
  void UpdateRecentMenu();
  void RunStartup(const std::string& siteFile, const std::function<void()>& walkThrough);
  // The note that the recovery copy cannot be written; an empty text hides it.
  void ShowRecoveryFailure(const std::string& message);

  TfmConfigWizard& Window_;
  TSiteDocument Document_;
  TfmAlarmSettings* Alarms_ = nullptr;
  QMenu* FileMenu_ = nullptr;
  QAction* RecentBefore_ = nullptr;
  QAction* Open_;
  QAction* Save_;
  QAction* SaveAs_;
  QAction* Import_;
  QAction* RecentSeparator_ = nullptr;
  std::vector<QAction*> Recent_;
  QString Caption_;
  QTimer Settle_;
  QTimer RecoveryTimer_;
  QLabel* RecoveryFailure_ = nullptr;
};
