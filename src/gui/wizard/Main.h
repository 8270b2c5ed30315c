#pragma once
// TfmConfigWizard: the main window of Configuration Builder.
#include <QMainWindow>

class QPushButton;
class QStatusBar;
class QWidget;

class TfmConfigWizard : public QMainWindow {
  Q_OBJECT
 public:
  explicit TfmConfigWizard(QWidget* parent = nullptr);

  QWidget* pnlMain() const { return pnlMain_; }
  QWidget* pnlDirection() const { return pnlDirection_; }
  QPushButton* btnBack() const { return btnBack_; }
  QPushButton* btnNext() const { return btnNext_; }
  QPushButton* btnCancel() const { return btnCancel_; }
  QStatusBar* StatusLine() const { return statusLine_; }

 private:
  void BuildDirectionPanel();

  QWidget* pnlMain_ = nullptr;
  QWidget* pnlDirection_ = nullptr;
  QPushButton* btnBack_ = nullptr;
  QPushButton* btnNext_ = nullptr;
  QPushButton* btnCancel_ = nullptr;
  QStatusBar* statusLine_ = nullptr;
};
