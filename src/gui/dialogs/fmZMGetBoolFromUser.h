#pragma once
// TfrmZMGetBoolFromUser: a Yes / Cancel / No question with the current answer focused.
#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

class TfrmZMGetBoolFromUser : public QDialog {
  Q_OBJECT

 public:
  // The results exec() returns; Escape answers Cancel.
  enum TBoolResult { brCancel = QDialog::Rejected, brYes = QDialog::Accepted, brNo = 2 };

  // Centred on `mainWindow`, or on the active window when it is null.
  explicit TfrmZMGetBoolFromUser(QWidget* mainWindow = nullptr);

  void setPrompt(const QString& prompt);
  // Focuses "Yes" for true, "No" for false.
  void setValue(bool value);

  QLabel* lblPrompt;
  QPushButton* btnYes;
  QPushButton* btnCancel;
  QPushButton* btnNo;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QPointer<QWidget> FMainWindow;
  bool FValue = false;
};
