#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextDocument>

#include "walkthrough/fmWalkThroughTextArea.h"

namespace {
// The character format of the character at `offset` in paragraph `block`.
QTextCharFormat FormatAt(const QTextDocument& doc, int block, int offset) {
  QTextCursor cursor(doc.findBlockByNumber(block));
  cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, offset + 1);
  return cursor.charFormat();
}
const QColor kRed(255, 0, 0);
const QColor kNavy(0, 0, 128);
}  // namespace

TEST(WalkTextArea, WritesParagraphsWithBoldColourAndUnderline) {
  TWalkThroughTextArea area;
  area.ClearText();
  area.AddLine("first");
  area.AddLine("");
  area.AddLine("bold", true);
  area.AppendText(" plain");
  area.AddColouredLine("red", clRed, true);
  area.AppendColoured("navy", clNavy);
  area.AppendBold("B");
  area.SetUnderline(true);
  area.AppendText("u");

  const QTextDocument& doc = *area.document();
  // The first line takes the empty document's paragraph; an empty line is kept.
  EXPECT_EQ(area.toPlainText(), "first\n\nbold plain\nrednavyBu");
  ASSERT_EQ(doc.blockCount(), 4);

  EXPECT_EQ(FormatAt(doc, 0, 0).fontWeight(), QFont::Normal);
  EXPECT_EQ(FormatAt(doc, 2, 0).fontWeight(), QFont::Bold);
  // The bold of a bold line does not carry over to text appended to it.
  EXPECT_EQ(FormatAt(doc, 2, 5).fontWeight(), QFont::Normal);

  EXPECT_EQ(FormatAt(doc, 3, 0).foreground().color(), kRed);
  EXPECT_EQ(FormatAt(doc, 3, 0).fontWeight(), QFont::Bold);
  EXPECT_EQ(FormatAt(doc, 3, 3).foreground().color(), kNavy);
  EXPECT_EQ(FormatAt(doc, 3, 3).fontWeight(), QFont::Normal);
  // The colour is restored after a coloured piece.
  const QTextCharFormat bold = FormatAt(doc, 3, 7);
  EXPECT_EQ(bold.fontWeight(), QFont::Bold);
  EXPECT_EQ(bold.foreground().color(), area.TextColour());
  EXPECT_FALSE(bold.fontUnderline());
  EXPECT_TRUE(FormatAt(doc, 3, 8).fontUnderline());
  EXPECT_EQ(FormatAt(doc, 3, 8).fontWeight(), QFont::Normal);
}

TEST(WalkTextArea, WarningsFollowTheHelpTextAndClearTextStartsAfresh) {
  TWalkThroughTextArea area;
  EXPECT_TRUE(area.isReadOnly());
  EXPECT_EQ(area.palette().color(QPalette::Base), QColor(255, 255, 0));

  area.SetRichText("<h3>Question</h3><p>Some <b>advice</b>.</p>");
  area.AddLine("");
  area.AddLine("Warning", true);
  const QStringList lines = area.toPlainText().split('\n');
  ASSERT_GE(lines.size(), 4);
  EXPECT_EQ(lines.front(), "Question");
  EXPECT_EQ(lines.at(lines.size() - 2), "");
  EXPECT_EQ(lines.back(), "Warning");
  // The warning is a plain paragraph, not a continuation of the help's heading.
  EXPECT_EQ(area.document()->lastBlock().blockFormat().headingLevel(), 0);
  EXPECT_EQ(FormatAt(*area.document(), area.document()->blockCount() - 1, 0).fontWeight(),
            QFont::Bold);

  area.SetUnderline(true);
  area.ClearText();
  area.AddLine("only");
  EXPECT_EQ(area.toPlainText(), "only");
  EXPECT_EQ(area.document()->blockCount(), 1);
  EXPECT_FALSE(FormatAt(*area.document(), 0, 0).fontUnderline());
}
