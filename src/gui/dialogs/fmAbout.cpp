#include "dialogs/fmAbout.h"

#include <QEventLoop>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "dialogs/ZMValuePrompts.h"
#include "wizard/VersionInfo.h"

namespace {
constexpr int kBoxWidth = 298;
constexpr int kBoxHeight = 226;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

QLabel* CentredLabel(const QString& text, const char* name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  label->setWordWrap(true);
  return label;
}
}  // namespace

// ---------------------------------------------------------------------------

TAboutCredits::TAboutCredits(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TAboutCredits::SetOffset(int offset) {
  FOffset = offset;
  update();
}

int TAboutCredits::LineHeight() const { return fontMetrics().height(); }

void TAboutCredits::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  painter.setPen(palette().windowText().color());
  const int lineHeight = LineHeight();
  // The first line enters at the bottom edge and the text moves up from there.
  int y = height() - FOffset;
  for (const QString& line : FLines) {
    painter.drawText(QRect(0, y, width(), lineHeight), Qt::AlignHCenter | Qt::AlignVCenter, line);
    y += lineHeight;
  }
}

// ---------------------------------------------------------------------------

TfmAboutBox::TfmAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName("fmAboutBox");
  setWindowTitle("About Zelmor  ");
  setFixedSize(kBoxWidth, kBoxHeight);

  const QRect panelRect(kMargin, kMargin, kBoxWidth - 2 * kMargin, kBoxHeight - 3 * kMargin - kButtonHeight - 4);
  Panel1 = new QFrame(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setGeometry(panelRect);
  Panel1->installEventFilter(this);

  lblProductName = CentredLabel(QString(), "lblProductName", Panel1);
  QFont titleFont = lblProductName->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
  lblProductName->setFont(titleFont);
  lblVersionNumber =
      CentredLabel("Version : " + QString::fromStdString(ProgramVersionText()), "lblVersionNumber", Panel1);
  lblDescription = CentredLabel("Describes a monitored UPS battery installation and writes the "
                                "configuration file of the Zelmor battery monitoring system.",
                                "lblDescription", Panel1);
  lblCopyright = CentredLabel("Zelmor battery monitoring", "lblCopyright", Panel1);

  const int inner = panelRect.width() - 2 * kMargin;
  lblProductName->setGeometry(kMargin, 14, inner, 28);
  lblVersionNumber->setGeometry(kMargin, 46, inner, 20);
  lblDescription->setGeometry(kMargin, 74, inner, 48);
  lblCopyright->setGeometry(kMargin, 128, inner, 20);

  PaintBox1 = new TAboutCredits(this);
  PaintBox1->setObjectName("PaintBox1");
  PaintBox1->setGeometry(panelRect);
  PaintBox1->hide();

  OKButton = new QPushButton("OK", this);
  OKButton->setObjectName("OKButton");
  OKButton->setDefault(true);
  OKButton->setGeometry((kBoxWidth - kButtonWidth) / 2, kBoxHeight - kMargin - kButtonHeight, kButtonWidth,
                        kButtonHeight);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setSingleShot(true);
  Timer1->setTimerType(Qt::PreciseTimer);
  connect(Timer1, &QTimer::timeout, this, &TfmAboutBox::Timer1Timer);
}

void TfmAboutBox::SetCloseInterval(int ms) {
  FCloseInterval = ms;
  if (Timer1->isActive()) Timer1->start(FCloseInterval);
}

int TfmAboutBox::CreditsSteps() const { return PaintBox1->LineHeight() * 10 + 101; }

void TfmAboutBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreWindow(this, nullptr);
  // The 20 seconds count from the moment the box is seen.
  Timer1->start(FCloseInterval);
}

void TfmAboutBox::done(int result) {
  // Closing in any way ends the credits; their loop returns at its next step.
  FStopCredits = true;
  Timer1->stop();
  QDialog::done(result);
}

void TfmAboutBox::Timer1Timer() { close(); }

bool TfmAboutBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel1 && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    Panel1MouseDown(mouse->button(), mouse->modifiers());
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TfmAboutBox::Panel1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  // The timer waits while the press is handled and then counts from anew.
  Timer1->stop();
  if (button == Qt::RightButton && (modifiers & Qt::ShiftModifier)) RunCredits();
  if (isVisible()) Timer1->start(FCloseInterval);
}

void TfmAboutBox::RunCredits() {
  if (FCreditsRunning) return;
  FCreditsRunning = true;
  FStopCredits = false;
  FCreditsStepsDone = 0;
  PaintBox1->SetLines({lblProductName->text(), lblVersionNumber->text(), QString(),
                       "Configuration Builder", "for the Zelmor battery monitoring system", QString(),
                       "Written in C++ with Qt", QString(), "With thanks to the installers", "who tried it on site."});
  PaintBox1->SetOffset(0);
  Panel1->hide();
  PaintBox1->show();

  const int steps = CreditsSteps();
  for (int step = 0; step < steps && !FStopCredits; ++step) {
    PaintBox1->SetOffset(step + 1);
    ++FCreditsStepsDone;
    // Let the box handle its messages (OK among them) before the next pixel.
    QEventLoop wait;
    QTimer::singleShot(FCreditsStep, &wait, &QEventLoop::quit);
    wait.exec();
  }

  PaintBox1->hide();
  Panel1->show();
  FCreditsRunning = false;
}

bool ShowAboutBox(const QString& title, QWidget* parent) {
  QPointer<TfmAboutBox> box = new TfmAboutBox(parent);
  box->lblProductName->setText(title);
  const bool ok = box->exec() == QDialog::Accepted;
  delete box.data();
  return ok;
}
