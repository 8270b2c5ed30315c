#pragma once
// TfrmZMGetIntegerFromUser: asks for a whole number within a range. The entry
// takes any text; OK checks it and explains what is wrong.
#include <QDialog>
#include <QPointer>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// A pair of small arrow buttons that step the whole number in the entry it is
// attached to, within 16-bit limits. Up and Down keys in the entry step too.
class TUpDown : public QWidget {
  Q_OBJECT

 public:
  explicit TUpDown(QWidget* parent = nullptr);
  void setAssociate(QLineEdit* edit);
  // Sets the range (within 16 bits) and keeps the position inside it.
  void setRange(int minimum, int maximum);
  int minimum() const { return FMin; }
  int maximum() const { return FMax; }
  int position() const { return FPosition; }
  // Sets the position (clamped into the range) and writes it into the entry.
  void setPosition(int value);
  // Steps from the number in the entry (or the last position, when the entry
  // holds no number) by `delta`, stopping at the range's ends.
  void StepBy(int delta);

  QToolButton* btnUp;
  QToolButton* btnDown;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QLineEdit> FAssociate;
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
};

class TfrmZMGetIntegerFromUser : public QDialog {
  Q_OBJECT

 public:
  // Centred on `mainWindow`, or on the active window when it is null.
  explicit TfrmZMGetIntegerFromUser(QWidget* mainWindow = nullptr);

  void setPrompt(const QString& prompt);
  void setRange(int minimum, int maximum) { updnValue->setRange(minimum, maximum); }
  void setValue(int value) { updnValue->setPosition(value); }
  // The accepted entry; valid after the window closed with OK.
  int value() const { return FValue; }

  QFrame* pnlPrompt;
  QLabel* lblPrompt;
  QLineEdit* edtValue;
  TUpDown* updnValue;
  QPushButton* btnOK;
  QPushButton* btnCancel;

 public slots:
  void btnOKClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QPointer<QWidget> FMainWindow;
  int FValue = 0;
};
