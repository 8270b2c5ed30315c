#include "dialogs/fmConfigUpDown.h"

#include <QBoxLayout>
#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "common/ZMUserInterface.h"
#include "wizard/ZMPromptRules.h"

namespace {
constexpr int kPositionLow = -32768;
constexpr int kPositionHigh = 32767;
}  // namespace

TDialogUpDown::TDialogUpDown(QLineEdit* associate, int minimum, int maximum, int position,
                             QWidget* parent)
    : QWidget(parent),
      associate_(associate),
      min_(std::clamp(minimum, kPositionLow, kPositionHigh)),
      max_(std::clamp(maximum, min_, kPositionHigh)),
      position_(std::clamp(position, min_, max_)) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  auto makeArrow = [this, column](Qt::ArrowType arrow, const char* name) {
    auto* b = new QToolButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setArrowType(arrow);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedWidth(17);
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    column->addWidget(b, 1);
    return b;
  };
  up_ = makeArrow(Qt::UpArrow, "btnUp");
  down_ = makeArrow(Qt::DownArrow, "btnDown");
  setFixedWidth(17);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
  connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
  if (associate_) {
    associate_->installEventFilter(this);
    connect(associate_, &QLineEdit::textChanged, this, &TDialogUpDown::FollowText);
    associate_->setText(PositionText(position_));
  }
}

QString TDialogUpDown::PositionText(int value) const {
  if (!thousands_) return QString::number(value);
  QLocale locale;
  locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
  return locale.toString(value);
}

bool TDialogUpDown::ParsePosition(const QString& text, int& value) {
  QString digits = text.trimmed();
  digits.remove(QLocale().groupSeparator());
  digits.remove(QLatin1Char(','));
  if (digits.isEmpty()) return false;
  bool ok = false;
  const int v = digits.toInt(&ok, 10);
  if (ok) value = v;
  return ok;
}

bool TDialogUpDown::RefuseEntry() {
  int value = 0;
  if (associate_ && ParsePosition(associate_->text(), value) && value >= min_ && value <= max_)
    return false;
  UserMessages().Show(TMsgKind::Error, IntegerRangeMessage(min_, max_), TMsgButtons::Ok);
  if (associate_) {
    associate_->setFocus();
    associate_->selectAll();
  }
  return true;
}

void TDialogUpDown::SetPosition(int value) {
  position_ = std::clamp(value, min_, max_);
  if (associate_) associate_->setText(PositionText(position_));
}

void TDialogUpDown::FollowText(const QString& text) {
  int v = 0;
  if (ParsePosition(text, v)) position_ = std::clamp(v, min_, max_);
}

void TDialogUpDown::Step(int delta) {
  if (!isEnabled()) return;
  emit Changing();
  SetPosition(position_ + delta);
  emit Clicked(delta > 0);
}

bool TDialogUpDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched == associate_ && event->type() == QEvent::KeyPress && isEnabled()) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      Step(key == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void AddOkCancelRow(QDialog* dialog, QBoxLayout* outer, QPushButton*& ok, QPushButton*& cancel) {
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  ok = new QPushButton(QStringLiteral("&OK"), dialog);
  ok->setObjectName(QStringLiteral("btnOK"));
  ok->setDefault(true);
  cancel = new QPushButton(QStringLiteral("&Cancel"), dialog);
  cancel->setObjectName(QStringLiteral("btnCancel"));
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  outer->addLayout(buttons);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}
