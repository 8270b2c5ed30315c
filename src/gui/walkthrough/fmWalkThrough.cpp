#include "walkthrough/fmWalkThrough.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ZMCommandGuard.h"
#include "common/ZMUserInterface.h"
#include "dialogs/fmCurrentScaling.h"
#include "walkthrough/fmWalkThroughHelp.h"
#include "walkthrough/fmWalkThroughPrint.h"
#include "walkthrough/fmWalkThroughSpinEdit.h"
#include "walkthrough/fmWalkThroughTextArea.h"

namespace {
QString ToText(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Marks the window's own updates of its controls, which are not answers.
class TRendering {
 public:
  explicit TRendering(int& depth) : depth_(depth) { ++depth_; }
  ~TRendering() { --depth_; }
  TRendering(const TRendering&) = delete;
  TRendering& operator=(const TRendering&) = delete;

 private:
  int& depth_;
};

bool IsEnter(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}
}  // namespace

template <typename F>
void TfmWalkthru::Call(F f, bool userEdit) {
  const bool outer = userEdit_;
  userEdit_ = userEdit;
  try {
    f();
  } catch (const std::exception& error) {
    userEdit_ = outer;
    ReportCommandError(error.what());
    return;
  }
  userEdit_ = outer;
}

// A deferred step of the walk-through: queued on the window's own event loop,
// so it runs after the step that posted it has returned.
class TfmWalkthru::TQueuedStep : public IDeferredStep {
 public:
  explicit TQueuedStep(TfmWalkthru& window) : window_(window) {}
  void Post(std::function<void()> step) override {
    TfmWalkthru* window = &window_;
    QMetaObject::invokeMethod(
        window, [window, step = std::move(step)] { window->Call(step); }, Qt::QueuedConnection);
  }

 private:
  TfmWalkthru& window_;
};

TfmWalkthru::TfmWalkthru(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("fmWalkthru"));
  setWindowTitle(QStringLiteral("Configuration Wizard"));
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
  setSizeGripEnabled(true);
  resize(696, 480);
  mainWindow_ = parent;
  CreateControls();
  deferred_ = std::make_unique<TQueuedStep>(*this);
  engine_ = std::make_unique<TWalkThroughEngine>(*rchedtWalkThru_, *deferred_);
  WireEngine();
  Render(false);
}

TfmWalkthru::~TfmWalkthru() {
  // The engine's hooks refer to this window; drop them before the widgets go.
  engine_.reset();
}

void TfmWalkthru::CreateControls() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  pnlWalkThru_ = new QWidget(this);
  pnlWalkThru_->setObjectName(QStringLiteral("pnlWalkThru"));
  outer->addWidget(pnlWalkThru_);
  QWidget* pnl = pnlWalkThru_;

  rchedtWalkThru_ = new TWalkThroughTextArea(pnl);
  lblHeading_ = new QLabel(pnl);
  lblHeading_->setObjectName(QStringLiteral("lblHeading"));
  lblHeading_->setTextFormat(Qt::PlainText);
  QFont headingFont = lblHeading_->font();
  headingFont.setPixelSize(19);
  headingFont.setUnderline(true);
  lblHeading_->setFont(headingFont);

  auto button = [pnl](const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), pnl);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(true);
    return b;
  };
  btnWalkPrev_ = button("btnWalkPrev", "Go &back");
  btnWalkNext_ = button("btnWalkNext", "&Next");
  btnWalkNext_->setDefault(true);
  btnWalkCancel_ = button("btnWalkCancel", "&Cancel");
  btnPrint_ = button("btnPrint", "&Print");
  btnCurrentScaling_ = button("btnCurrentScaling", "Change c&urrent scaling");

  auto label = [pnl](const char* name, const char* caption) {
    auto* l = new QLabel(QString::fromUtf8(caption), pnl);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    return l;
  };
  lblBatStr_ = label("lblBatStr", "Battery:");
  lblCelsius_ = label("lblCelsius", "°C");
  lblFarenheit_ = label("lblFarenheit", "°F");

  ebWalkThru_ = new QLineEdit(pnl);
  ebWalkThru_->setObjectName(QStringLiteral("ebWalkThru"));
  rxspinWalkThru_ = new TWalkSpinEdit(pnl);
  rxspinWalkThru_->setObjectName(QStringLiteral("rxspinWalkThru"));
  rxspinFarenheit_ = new TWalkSpinEdit(pnl);
  rxspinFarenheit_->setObjectName(QStringLiteral("rxspinFarenheit"));

  auto check = [pnl](const char* name, const char* caption) {
    auto* c = new QCheckBox(QString::fromUtf8(caption), pnl);
    c->setObjectName(QString::fromLatin1(name));
    return c;
  };
  cbxWalkThru_ = check("cbxWalkThru", "Same as previous");
  cbxForceNewCU_ = check("cbxForceNewCU", "&Force this string to be on a new Control Unit");
  cbxSubString_ = check("cbxSubString", "Has sub-strings");
  cbxClone_ = check("cbxClone", "Use : ");
  cbxVoltageOnly_ = check("cbxVoltageOnly", "Voltage only");
  cbxGenset_ = check("cbxGenset", "Genset kit");

  connect(btnWalkNext_, &QPushButton::clicked, this, &TfmWalkthru::btnWalkNextClick);
  connect(btnWalkPrev_, &QPushButton::clicked, this, &TfmWalkthru::btnWalkPrevClick);
  connect(btnWalkCancel_, &QPushButton::clicked, this, &TfmWalkthru::btnWalkCancelClick);
  connect(btnPrint_, &QPushButton::clicked, this, &TfmWalkthru::btnPrintClick);
  connect(btnCurrentScaling_, &QPushButton::clicked, this, &TfmWalkthru::btnCurrentScalingClick);

  connect(ebWalkThru_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (!rendering_) Call([&] { engine_->SetEntryText(text.toStdString()); }, true);
  });
  connect(rxspinWalkThru_, &TWalkSpinEdit::UserChanged, this, [this](const QString& text) {
    if (!rendering_) Call([&] { engine_->UserChangedNumber(text.toStdString()); }, true);
  });
  connect(rxspinFarenheit_, &TWalkSpinEdit::UserChanged, this, [this](const QString& text) {
    if (!rendering_) Call([&] { engine_->UserChangedFahrenheit(text.toStdString()); }, true);
  });
  for (TWalkBox box : {TWalkBox::WalkThru, TWalkBox::ForceNewCU, TWalkBox::SubString,
                       TWalkBox::Clone, TWalkBox::VoltageOnly, TWalkBox::Genset}) {
    connect(CheckFor(box), &QCheckBox::clicked, this, [this, box](bool checked) {
      if (rendering_) return;
      Call([&] { engine_->UserSetCheck(box, checked); }, true);
      Render(false);  // a refused click is undone
    });
  }

  for (QWidget* w : std::initializer_list<QWidget*>{ebWalkThru_, rxspinWalkThru_, rxspinFarenheit_,
                                                    cbxWalkThru_, cbxForceNewCU_})
    w->installEventFilter(this);
  pnlWalkThru_->installEventFilter(this);
}

void TfmWalkthru::WireEngine() {
  TWalkThroughEngine& e = *engine_;
  e.LoadHelp = [this](const std::string& name) {
    bool found = false;
    const QString html = LoadWalkthroughHelp(ToText(name), &found);
    if (found) rchedtWalkThru_->SetRichText(html);
    return found;
  };
  e.OnBatteryReport = [this](TzmUPSBatterySystemNode& battery) {
    AllocateControlUnits(*system_, controlUnits_);
    WriteBatteryDescription(*system_, battery, *rchedtWalkThru_, controlUnits_);
    if (OnReportShown) OnReportShown();
  };
  e.OnHardwareReport = [this] {
    WriteHardwareList(*rchedtWalkThru_, controlUnits_);
    if (OnReportShown) OnReportShown();
  };
  e.RunCurrentScaling = [this](TCurrentScalingCalculator& scaling) {
    return ScalingDialog()->Execute(scaling);
  };
  e.OnChanged = [this] { Render(!userEdit_); };
  e.OnClose = [this](TWalkResult result) {
    QDialog::done(result == TWalkResult::Finished ? QDialog::Accepted : QDialog::Rejected);
  };
}

TfrmCurrentScaling* TfmWalkthru::ScalingDialog() {
  if (scalingDialog_) return scalingDialog_;
  if (!ownScalingDialog_) ownScalingDialog_ = new TfrmCurrentScaling(this);
  return ownScalingDialog_;
}

QRect TfmWalkthru::PlacementOver(const QRect& main) {
  const int third = main.width() / 3;
  return QRect(main.left() + third, main.top(), 2 * third, main.height());
}

bool TfmWalkthru::Execute(TzmUPSSystem* system) {
  if (!system || isVisible()) return false;
  system_ = system;
  if (mainWindow_) setGeometry(PlacementOver(mainWindow_->geometry()));
  bool started = false;
  Call([&] { started = engine_->Start(system); });
  if (!started) return false;
  exec();
  // Whatever closed the window, a walk-through still running was cancelled.
  if (engine_->Result() == TWalkResult::Running) engine_->Cancel();
  return engine_->Result() == TWalkResult::Finished;
}

void TfmWalkthru::reject() {
  if (engine_ && engine_->Result() == TWalkResult::Running)
    Call([this] { engine_->Cancel(); });
  if (isVisible()) QDialog::done(QDialog::Rejected);
}

QCheckBox* TfmWalkthru::CheckFor(TWalkBox box) const {
  switch (box) {
    case TWalkBox::WalkThru: return cbxWalkThru_;
    case TWalkBox::ForceNewCU: return cbxForceNewCU_;
    case TWalkBox::SubString: return cbxSubString_;
    case TWalkBox::Clone: return cbxClone_;
    case TWalkBox::VoltageOnly: return cbxVoltageOnly_;
    case TWalkBox::Genset: return cbxGenset_;
  }
  return cbxWalkThru_;
}

// Buttons.

void TfmWalkthru::btnWalkNextClick() {
  // The box being left finishes its edit before the answer is read.
  if (rxspinWalkThru_->isVisible()) rxspinWalkThru_->FinishEdit();
  if (rxspinFarenheit_->isVisible()) rxspinFarenheit_->FinishEdit();
  Call([this] { engine_->Next(); });
}

void TfmWalkthru::btnWalkPrevClick() { Call([this] { engine_->GoBack(); }); }

void TfmWalkthru::btnWalkCancelClick() { reject(); }

void TfmWalkthru::btnCurrentScalingClick() {
  Call([this] { engine_->CurrentScalingClick(); });
}

QString TfmWalkthru::PrintTitle() const {
  const TWalkPage& page = engine_->Page();
  if (!system_) return {};
  if (page.Id == TWalkPageId::BatteryVerify) {
    const int index = engine_->BatteryIndex();
    if (index < 0 || index >= system_->BatteryCount()) return {};
    return ToText(BatteryReportTitle(system_->GetBattery(index)->Name(), TodayReportDate()));
  }
  if (page.Id == TWalkPageId::SystemVerify) return ToText(HardwareReportTitle(TodayReportDate()));
  return {};
}

void TfmWalkthru::btnPrintClick() {
  const QString title = PrintTitle();
  if (title.isEmpty()) return;
  std::string failure;
  if (PrintWalkDocument(*rchedtWalkThru_->document(), title, this, &failure) != TPrintOutcome::Failed) return;
  // A file that could not be written is named, with the reason.
  if (failure.empty())
    failure = "The report could not be printed.\rCheck the printer or the file chosen in the print dialog "
              "and try again.";
  else
    failure = "The report could not be printed.\r" + failure;
  UserMessages().Show(TMsgKind::Error, failure, TMsgButtons::Ok);
}

// Keys.

bool TfmWalkthru::EnterPerformsNext(QObject* watched) const {
  return watched == ebWalkThru_ || watched == rxspinWalkThru_ || watched == rxspinFarenheit_ ||
         watched == cbxWalkThru_ || watched == cbxForceNewCU_;
}

bool TfmWalkthru::eventFilter(QObject* watched, QEvent* event) {
  if (watched == pnlWalkThru_ && event->type() == QEvent::Resize) {
    Relayout();
    return false;
  }
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (IsEnter(key) && EnterPerformsNext(watched)) {
    btnWalkNext_->setFocus(Qt::OtherFocusReason);
    btnWalkNextClick();
    return true;
  }
  if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier &&
      (watched == rxspinWalkThru_ || watched == rxspinFarenheit_) && cbxWalkThru_->isVisible()) {
    const bool checked = !engine_->Page().WalkThru.Checked;
    Call([&] { engine_->UserSetCheck(TWalkBox::WalkThru, checked); }, true);
    Render(false);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TfmWalkthru::keyPressEvent(QKeyEvent* event) {
  // Enter acts only where the page says; it does not press a default button
  // from any other control.
  if (IsEnter(event)) {
    if (auto* b = qobject_cast<QPushButton*>(focusWidget()); b && b->isEnabled()) b->click();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

// Rendering.

void TfmWalkthru::Render(bool moveFocus) {
  if (!engine_) return;
  const TWalkPage& page = engine_->Page();
  {
    TRendering guard(rendering_);
    lblHeading_->setText(ToText(page.Heading));
    btnWalkNext_->setText(ToText(page.NextCaption));
    btnWalkPrev_->setEnabled(page.GoBackEnabled);

    lblBatStr_->setText(ToText(page.LabelCaption));
    lblBatStr_->setVisible(page.LabelVisible);
    const QString entry = ToText(page.EntryText);
    if (ebWalkThru_->text() != entry) ebWalkThru_->setText(entry);
    ebWalkThru_->setVisible(page.TextVisible);

    rxspinWalkThru_->SetBox(page.Number);
    rxspinWalkThru_->setVisible(page.Number.Visible);
    rxspinFarenheit_->SetBox(page.Fahrenheit);
    rxspinFarenheit_->setVisible(page.Fahrenheit.Visible);
    lblCelsius_->setVisible(page.DegreeLabelsVisible);
    lblFarenheit_->setVisible(page.DegreeLabelsVisible);

    for (TWalkBox box : {TWalkBox::WalkThru, TWalkBox::ForceNewCU, TWalkBox::SubString,
                         TWalkBox::Clone, TWalkBox::VoltageOnly, TWalkBox::Genset}) {
      const TWalkCheck& state = page.Box(box);
      QCheckBox* c = CheckFor(box);
      c->setText(ToText(state.Caption));
      c->setChecked(state.Checked);
      c->setEnabled(state.Enabled);
      c->setVisible(state.Visible);
    }
    btnPrint_->setVisible(page.PrintVisible);
    btnCurrentScaling_->setText(ToText(page.CurrentScalingCaption));
    btnCurrentScaling_->setVisible(page.CurrentScalingVisible);
  }
  Relayout();
  if (moveFocus) FocusPageEntry();
}

void TfmWalkthru::FocusPageEntry() {
  switch (engine_->Page().Focus) {
    case TWalkFocus::Next: btnWalkNext_->setFocus(Qt::OtherFocusReason); break;
    case TWalkFocus::Text:
      ebWalkThru_->setFocus(Qt::OtherFocusReason);
      ebWalkThru_->selectAll();
      break;
    case TWalkFocus::Number:
      rxspinWalkThru_->setFocus(Qt::OtherFocusReason);
      rxspinWalkThru_->selectAll();
      break;
    case TWalkFocus::Fahrenheit:
      rxspinFarenheit_->setFocus(Qt::OtherFocusReason);
      rxspinFarenheit_->selectAll();
      break;
    case TWalkFocus::WalkThruCheck: cbxWalkThru_->setFocus(Qt::OtherFocusReason); break;
  }
}
