#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>

#include "DialogTestSupport.h"
#include "GuiTestHelpers.h"
#include "dialogs/ZMValuePrompts.h"
#include "dialogs/fmErrMsgs.h"

TEST(ErrorList, CollectsClearsAndShowsModally) {
  TQtErrorList errors;
  TfmErrorMessages* form = errors.Form();
  auto* list = FindNamed<QListWidget>(form, "lbxErrors");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(form->windowTitle(), "fmErrorMessages");
  EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(errors.Count(), 0);
  errors.Add("String 1 Cell 3 Not Used!");
  errors.Add("String 2 Cell 1 Not Used!");
  EXPECT_EQ(errors.Count(), 2);
  EXPECT_EQ(list->item(1)->text(), "String 2 Cell 1 Not Used!");
  errors.Clear();
  EXPECT_EQ(errors.Count(), 0);
  errors.Add("Line\rbreak");
  EXPECT_EQ(list->item(0)->text(), "Line\nbreak");

  bool shown = false;
  WhenShown("fmErrorMessages", [&](QDialog* d) {
    shown = true;
    auto* ok = static_cast<TfmErrorMessages*>(d)->btnOK;
    EXPECT_EQ(ok->text(), "&OK");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(d->isVisible());
  });
  errors.Show();
  EXPECT_TRUE(shown);
  EXPECT_EQ(form->result(), QDialog::Accepted);
  EXPECT_EQ(errors.Count(), 1);  // showing keeps the messages
}

TEST(ErrorList, ListGrowsAndOkStaysCentredOnResize) {
  TfmErrorMessages form;
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  for (const QSize size : {QSize(301, 200), QSize(640, 480), QSize(200, 150)}) {
    form.resize(size);
    QCoreApplication::processEvents();
    ASSERT_EQ(form.size(), size);
    EXPECT_EQ(form.btnOK->size(), QSize(75, 25));
    EXPECT_EQ(form.btnOK->x(), size.width() / 2 - 37) << size.width();
    EXPECT_EQ(form.lbxErrors->width(), size.width() - 16);
    EXPECT_LT(form.lbxErrors->geometry().bottom(), form.btnOK->y());
    EXPECT_GT(form.lbxErrors->height(), size.height() - 60);
  }
  form.close();
}
