#pragma once
// TfmAboutBox: the product title and the program's version in a small fixed
// box that closes by itself after 20 seconds without a press on its panel.
// Shift + right button on the panel rolls the credits.
#include <QDialog>
#include <QStringList>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

// The hidden paint box over the panel on which the credits scroll upward.
class TAboutCredits : public QWidget {
  Q_OBJECT

 public:
  explicit TAboutCredits(QWidget* parent = nullptr);
  void SetLines(const QStringList& lines) { FLines = lines; }
  const QStringList& Lines() const { return FLines; }
  // How far the text has moved up, in pixels.
  int Offset() const { return FOffset; }
  void SetOffset(int offset);
  int LineHeight() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QStringList FLines;
  int FOffset = 0;
};

class TfmAboutBox : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kDefaultCloseInterval = 20000;  // ms without a press before the box closes
  static constexpr int kDefaultCreditsStep = 20;       // ms between two pixels of credits scrolling

  explicit TfmAboutBox(QWidget* parent = nullptr);

  QFrame* Panel1;
  QLabel* lblProductName;
  QLabel* lblVersionNumber;
  QLabel* lblDescription;
  QLabel* lblCopyright;
  QPushButton* OKButton;
  TAboutCredits* PaintBox1;
  QTimer* Timer1;

  int CloseInterval() const { return FCloseInterval; }
  // A new interval restarts a running timer with it.
  void SetCloseInterval(int ms);
  int CreditsStepInterval() const { return FCreditsStep; }
  void SetCreditsStepInterval(int ms) { FCreditsStep = ms; }

  // Scrolls the credits (the panel is hidden meanwhile) until they have gone
  // by or OK or closing the box stops them.
  void RunCredits();
  bool CreditsRunning() const { return FCreditsRunning; }
  // Steps a full run takes: line height x 10 + 101.
  int CreditsSteps() const;
  int CreditsStepsDone() const { return FCreditsStepsDone; }

  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Timer1Timer();
  void Panel1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

  int FCloseInterval = kDefaultCloseInterval;
  int FCreditsStep = kDefaultCreditsStep;
  bool FCreditsRunning = false;
  bool FStopCredits = false;
  int FCreditsStepsDone = 0;
};

// Creates a box with `title` as its product name, shows it modally, and
// destroys it when it closes. True when it was closed with OK.
bool ShowAboutBox(const QString& title, QWidget* parent = nullptr);
