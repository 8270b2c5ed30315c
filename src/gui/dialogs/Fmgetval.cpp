#include "dialogs/Fmgetval.h"

#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProxyStyle>
#include <QPushButton>

#include "app/QtUserInterface.h"
#include "common/ZMFormat.h"
#include "common/ZMUserInterface.h"
#include "dialogs/ZMValuePrompts.h"
#include "wizard/ZMPromptRules.h"

namespace {
// Masks passwords with '*' whatever the platform's own password character is.
class TStarPasswordStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == QStyle::SH_LineEdit_PasswordCharacter) return '*';
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

// Dates and times as the user's locale writes them, or in the numeric form the
// entry's separator keys produce.
TDateTimeChecks PlatformDateTimeChecks() {
  const QLocale locale;
  const std::string pattern = FromQString(locale.dateFormat(QLocale::ShortFormat));
  const TDateOrder order = DateOrderFromPattern(pattern);
  const char separator = DateSeparatorFromPattern(pattern);
  TDateTimeChecks checks;
  checks.isDate = [locale, order, separator](const std::string& text) {
    return IsNumericDate(text, order, separator) ||
           locale.toDate(QString::fromStdString(text).trimmed(), QLocale::ShortFormat).isValid();
  };
  checks.isTime = [locale](const std::string& text) {
    return IsNumericTime(text) ||
           locale.toTime(QString::fromStdString(text).trimmed(), QLocale::ShortFormat).isValid();
  };
  return checks;
}
}  // namespace

TfmGetValue::TfmGetValue(QWidget* parent) : QDialog(parent) {
  setObjectName("fmGetValue");
  setWindowTitle("Get Value");

  lblPrompt = new QLabel(this);
  lblPrompt->setObjectName("lblPrompt");
  lblPrompt->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  EntryText = new QLineEdit(this);
  EntryText->setObjectName("EntryText");
  EntryText->installEventFilter(this);
  auto* style = new TStarPasswordStyle;
  style->setParent(EntryText);
  EntryText->setStyle(style);

  btnOK = new QPushButton("OK", this);
  btnOK->setObjectName("btnOK");
  btnOK->setDefault(true);
  btnCancel = new QPushButton("Cancel", this);
  btnCancel->setObjectName("btnCancel");

  connect(btnOK, &QPushButton::clicked, this, &TfmGetValue::OKBtnClick);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  ApplyPromptLayout(false);
}

void TfmGetValue::ApplyPromptLayout(bool twoLines) {
  const int extra = twoLines ? kLabelHeight : 0;
  lblPrompt->setGeometry(8, 8, kClientWidth - 16, kLabelHeight + extra);
  EntryText->setGeometry(8, 28 + extra, kClientWidth - 16, 22);
  btnOK->setGeometry(kClientWidth - 8 - 75 - 6 - 75, 60 + extra, 75, 25);
  btnCancel->setGeometry(kClientWidth - 8 - 75, btnOK->y(), 75, 25);
  setFixedSize(kClientWidth, kClientHeight + extra);
}

void TfmGetValue::setTypeOfData(quint8 value) {
  FTypeOfData = value;
  EntryText->setEchoMode(IsMaskedEntry(value) ? QLineEdit::Password : QLineEdit::Normal);
}

QString TfmGetValue::prompt() const { return lblPrompt->text(); }

void TfmGetValue::setPrompt(const QString& value) {
  lblPrompt->setText(value);
  // A prompt of two lines gets a label twice as tall; the rest moves down.
  ApplyPromptLayout(value.contains(QLatin1Char('\n')));
}

QString TfmGetValue::text() const { return EntryText->text(); }
void TfmGetValue::setText(const QString& value) { EntryText->setText(value); }

void TfmGetValue::OKBtnClick() {
  if (EntryPassesTest(FTypeOfData, FromQString(EntryText->text()), PlatformDateTimeChecks(),
                      DecimalSeparator())) {
    accept();
    return;
  }
  UserMessages().Show(TMsgKind::Error, "The entry is invalid", TMsgButtons::Ok, "Error");
  EntryText->setFocus();
}

void TfmGetValue::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreWindow(this, nullptr);
  EntryText->setFocus();
  EntryText->selectAll();
}

bool TfmGetValue::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EntryText && event->type() == QEvent::KeyPress) {
    const QString typed = static_cast<QKeyEvent*>(event)->text();
    if (typed.size() == 1 && typed.at(0).unicode() < 128) {
      const char c = static_cast<char>(typed.at(0).unicode());
      const char mapped = MapEntryKey(FTypeOfData, c);
      if (mapped != c) {
        EntryText->insert(QString(QLatin1Char(mapped)));
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}
