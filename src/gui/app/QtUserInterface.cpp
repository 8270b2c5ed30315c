#include "app/QtUserInterface.h"

#include <QApplication>
#include <QMessageBox>

QString ToQString(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}

std::string FromQString(const QString& text) { return text.toStdString(); }

TMsgAnswer TQtUserMessages::Show(TMsgKind kind, const std::string& text, TMsgButtons buttons,
                                 const std::string& caption) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  switch (kind) {
    case TMsgKind::Warning: icon = QMessageBox::Warning; break;
    case TMsgKind::Error: icon = QMessageBox::Critical; break;
    case TMsgKind::Information: icon = QMessageBox::Information; break;
    case TMsgKind::Confirmation: icon = QMessageBox::Question; break;
  }
  QMessageBox::StandardButtons set = QMessageBox::Ok;
  switch (buttons) {
    case TMsgButtons::Ok: set = QMessageBox::Ok; break;
    case TMsgButtons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
    case TMsgButtons::YesNo: set = QMessageBox::Yes | QMessageBox::No; break;
    case TMsgButtons::YesNoCancel: set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    case TMsgButtons::SaveDiscardCancel:
      set = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
      break;
  }
  QMessageBox box(icon, ToQString(caption.empty() ? DefaultCaption(kind) : caption), ToQString(text), set,
                  QApplication::activeWindow());
  switch (box.exec()) {
    case QMessageBox::Ok: return TMsgAnswer::Ok;
    case QMessageBox::Yes: return TMsgAnswer::Yes;
    case QMessageBox::No: return TMsgAnswer::No;
    case QMessageBox::Save: return TMsgAnswer::Save;
    case QMessageBox::Discard: return TMsgAnswer::Discard;
    default: return TMsgAnswer::Cancel;
  }
}

void TQtUserMessages::Beep(TBeepKind) { QApplication::beep(); }
