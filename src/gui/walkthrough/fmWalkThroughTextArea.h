#pragma once
// rchedtWalkThru: the read-only rich text area of the walk-through window. It
// shows the help texts and is written line by line by the answer checks and
// the reports.
#include <QColor>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

#include "walkthrough/ZMTextArea.h"

class TWalkThroughTextArea : public QTextEdit, public ITextArea {
  Q_OBJECT
 public:
  explicit TWalkThroughTextArea(QWidget* parent = nullptr);

  // Replaces the content with a help text (HTML); lines added later follow it.
  void SetRichText(const QString& html);

  void ClearText() override;
  void AddLine(const std::string& text, bool bold = false) override;
  void AddColouredLine(const std::string& text, TTextColour colour, bool bold) override;
  void AppendText(const std::string& text) override;
  void AppendBold(const std::string& text) override;
  void AppendColoured(const std::string& text, TTextColour colour) override;
  void SetUnderline(bool on) override;

  // The colour of plain text.
  QColor TextColour() const;

 private:
  QTextCharFormat Format(bool bold, const QColor& colour) const;
  // A cursor at the start of a new, plain last paragraph.
  QTextCursor NewLine();
  // A cursor at the end of the last paragraph.
  QTextCursor EndOfText();
  void Append(const std::string& text, bool bold, const QColor& colour);

  bool underline_ = false;
  // Whether the first paragraph has been written (an empty document has one
  // paragraph that the first line takes).
  bool hasLines_ = false;
};
