#include "walkthrough/fmWalkThroughSpinEdit.h"

#include <QLineEdit>
#include <QRegularExpression>

#include "common/ZMFormat.h"

namespace {
QString ToText(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
}  // namespace

TWalkSpinEdit::TWalkSpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
  setAccelerated(true);
  setKeyboardTracking(true);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
    box_.Text = text.toStdString();
    emit UserChanged(text);
  });
  connect(this, &QAbstractSpinBox::editingFinished, this, &TWalkSpinEdit::FinishEdit);
}

void TWalkSpinEdit::SetBox(const TWalkNumberBox& box) {
  box_ = box;
  const QString text = ToText(box.Text);
  if (lineEdit()->text() != text) lineEdit()->setText(text);
}

void TWalkSpinEdit::UserSetText(const QString& text) {
  if (lineEdit()->text() == text) return;
  lineEdit()->setText(text);
  box_.Text = text.toStdString();
  emit UserChanged(text);
}

void TWalkSpinEdit::FinishEdit() {
  TWalkNumberBox shown = box_;
  shown.Text = lineEdit()->text().toStdString();
  // Only a number within the range is rewritten; anything else stays as typed
  // for the page to refuse.
  if (!shown.Accepts(false)) return;
  shown.SetValue(shown.Value());
  UserSetText(ToText(shown.Text));
}

void TWalkSpinEdit::stepBy(int steps) {
  TWalkNumberBox stepped = box_;
  stepped.Text = lineEdit()->text().toStdString();
  // A blank box starts from 0 (or the nearest end of the range).
  if (stepped.IsBlank())
    stepped.SetValue(0);
  else
    stepped.SetValue(stepped.Value() + steps);
  UserSetText(ToText(stepped.Text));
}

QAbstractSpinBox::StepEnabled TWalkSpinEdit::stepEnabled() const {
  TWalkNumberBox shown = box_;
  shown.Text = lineEdit()->text().toStdString();
  if (shown.IsBlank()) return StepUpEnabled | StepDownEnabled;
  StepEnabled enabled = StepNone;
  if (shown.Value() < shown.Max) enabled |= StepUpEnabled;
  if (shown.Value() > shown.Min) enabled |= StepDownEnabled;
  return enabled;
}

QValidator::State TWalkSpinEdit::validate(QString& input, int&) const {
  const QString trimmed = input.trimmed();
  if (trimmed.isEmpty()) return QValidator::Acceptable;
  const QString sep = QRegularExpression::escape(QString(QChar::fromLatin1(DecimalSeparator())));
  const QString pattern = box_.WholeNumbers
                              ? QStringLiteral("^[+-]?\\d*$")
                              : QStringLiteral("^[+-]?\\d*(%1\\d*)?([eE][+-]?\\d*)?$").arg(sep);
  if (!QRegularExpression(pattern).match(trimmed).hasMatch()) return QValidator::Invalid;
  double value = 0;
  return TryStrToFloat(trimmed.toStdString(), value) ? QValidator::Acceptable
                                                     : QValidator::Intermediate;
}

void TWalkSpinEdit::fixup(QString&) const {
  // A part-typed number stays as typed; the page refuses it when it is the answer.
}
