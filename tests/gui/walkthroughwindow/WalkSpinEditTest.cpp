#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "walkthrough/fmWalkThroughSpinEdit.h"

namespace {
void TypeInto(TWalkSpinEdit& spin, const QString& text) {
  spin.selectAll();
  QTest::keyClick(&spin, Qt::Key_Backspace);
  QTest::keyClicks(&spin, text);
}
}  // namespace

TEST(WalkSpinEdit, StepsStayWithinThePageRangeAndTypingIsNotBent) {
  TWalkSpinEdit spin;
  spin.SetBox({"", 0, 60, false, true});  // a blank alarm limit, 0 to 60, decimals
  QSignalSpy changes(&spin, &TWalkSpinEdit::UserChanged);
  // Texts the window puts in are not signalled.
  spin.SetBox({"12.96", 0, 60, false, true});
  EXPECT_EQ(changes.count(), 0);
  EXPECT_EQ(spin.text(), "12.96");

  spin.SetBox({"", 0, 60, false, true});
  QTest::keyClick(&spin, Qt::Key_Up);  // a blank box starts from 0
  EXPECT_EQ(spin.text(), "0");
  TypeInto(spin, "59.5");
  EXPECT_EQ(spin.text(), "59.5");
  QTest::keyClick(&spin, Qt::Key_Up);
  EXPECT_EQ(spin.text(), "60");
  EXPECT_EQ(changes.last().at(0).toString(), "60");
  EXPECT_EQ(spin.Box().Text, "60");

  // Letters are refused; a typed value beyond the range is left as typed when
  // the edit is finished (the page refuses it), one within it is tidied.
  TypeInto(spin, "7x");
  EXPECT_EQ(spin.text(), "7");
  TypeInto(spin, "75");
  spin.FinishEdit();
  EXPECT_EQ(spin.text(), "75");
  TypeInto(spin, "12.50");
  spin.FinishEdit();
  EXPECT_EQ(spin.text(), "12.5");
  // A blank box stays blank.
  TypeInto(spin, "");
  spin.FinishEdit();
  EXPECT_EQ(spin.text(), "");

  // Whole-number mode takes no decimal point and steps down to the minimum only.
  spin.SetBox({"2", 1, 400, true, true});
  TypeInto(spin, "1.5");
  EXPECT_EQ(spin.text(), "15");
  TypeInto(spin, "2");
  QTest::keyClick(&spin, Qt::Key_Down);
  QTest::keyClick(&spin, Qt::Key_Down);
  EXPECT_EQ(spin.text(), "1");
}
