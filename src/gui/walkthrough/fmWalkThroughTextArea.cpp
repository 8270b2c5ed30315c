#include "walkthrough/fmWalkThroughTextArea.h"

#include <QPalette>
#include <QTextBlockFormat>
#include <QTextDocument>

namespace {
QColor ToQColor(TTextColour c) { return QColor(c.R, c.G, c.B); }
QString ToText(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
}  // namespace

TWalkThroughTextArea::TWalkThroughTextArea(QWidget* parent) : QTextEdit(parent) {
  setObjectName(QStringLiteral("rchedtWalkThru"));
  setReadOnly(true);
  setUndoRedoEnabled(false);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette pal = palette();
  pal.setColor(QPalette::Base, QColor(255, 255, 0));
  pal.setColor(QPalette::Text, QColor(0, 0, 0));
  setPalette(pal);
  setAutoFillBackground(true);
}

QColor TWalkThroughTextArea::TextColour() const { return palette().color(QPalette::Text); }

void TWalkThroughTextArea::SetRichText(const QString& html) {
  setHtml(html);
  underline_ = false;
  hasLines_ = !document()->isEmpty();
  moveCursor(QTextCursor::Start);
}

void TWalkThroughTextArea::ClearText() {
  clear();
  underline_ = false;
  hasLines_ = false;
}

QTextCharFormat TWalkThroughTextArea::Format(bool bold, const QColor& colour) const {
  QTextCharFormat format;
  format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  format.setFontUnderline(underline_);
  format.setForeground(colour);
  return format;
}

QTextCursor TWalkThroughTextArea::NewLine() {
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  const QTextCharFormat plain = Format(false, TextColour());
  if (hasLines_) {
    cursor.insertBlock(QTextBlockFormat(), plain);
  } else {
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.setBlockCharFormat(plain);
  }
  hasLines_ = true;
  return cursor;
}

QTextCursor TWalkThroughTextArea::EndOfText() {
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  hasLines_ = true;
  return cursor;
}

void TWalkThroughTextArea::AddLine(const std::string& text, bool bold) {
  NewLine().insertText(ToText(text), Format(bold, TextColour()));
}

void TWalkThroughTextArea::AddColouredLine(const std::string& text, TTextColour colour,
                                           bool bold) {
  NewLine().insertText(ToText(text), Format(bold, ToQColor(colour)));
}

void TWalkThroughTextArea::Append(const std::string& text, bool bold, const QColor& colour) {
  EndOfText().insertText(ToText(text), Format(bold, colour));
}

void TWalkThroughTextArea::AppendText(const std::string& text) {
  Append(text, false, TextColour());
}

void TWalkThroughTextArea::AppendBold(const std::string& text) { Append(text, true, TextColour()); }

void TWalkThroughTextArea::AppendColoured(const std::string& text, TTextColour colour) {
  Append(text, false, ToQColor(colour));
}

void TWalkThroughTextArea::SetUnderline(bool on) { underline_ = on; }
