// The windows at 200 % scaling: every caption fits its button or label.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTimer>
#include <cstdlib>
#include <string>
#include <vector>

#include "DescribedSystems.h"
#include "FakeUserInterface.h"
#include "GuiTestHelpers.h"
#include "model/ZMUPSTreeSystem.h"
#include "walkthrough/fmWalkThrough.h"
#include "wizard/Main.h"

namespace {
// Set before the test program creates its application object.
const bool kScaled = [] { return setenv("QT_SCALE_FACTOR", "2", 1) == 0; }();

// The visible buttons and labels with a caption smaller than the caption needs.
std::vector<std::string> ClippedCaptions(QWidget* window) {
  std::vector<std::string> clipped;
  auto check = [&](QWidget* w, const QString& caption, QSize needed) {
    if (!w->isVisible() || caption.isEmpty()) return;
    if (w->width() < needed.width() || w->height() < needed.height())
      clipped.push_back(w->objectName().toStdString() + " \"" + caption.toStdString() + "\" " +
                        std::to_string(w->width()) + "x" + std::to_string(w->height()) + " needs " +
                        std::to_string(needed.width()) + "x" + std::to_string(needed.height()));
  };
  for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
    // A push button's size hint holds the style's smallest width for any
    // button; what the caption needs is its text within the button's margins.
    QSize needed = button->minimumSizeHint();
    if (qobject_cast<QPushButton*>(button)) {
      const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
      const QString plain = QString(button->text()).remove(QRegularExpression("&(?!&)"));
      needed = QSize(button->fontMetrics().horizontalAdvance(plain) + 2 * margin,
                     button->fontMetrics().height());
    }
    check(button, button->text(), needed);
  }
  for (QLabel* label : window->findChildren<QLabel*>()) {
    const QSize needed = label->wordWrap() ? QSize(0, label->heightForWidth(label->width()))
                                           : label->minimumSizeHint();
    check(label, label->text(), needed);
  }
  return clipped;
}
}  // namespace

TEST(HighDpi, NoCaptionIsClippedInTheMainWindowOrTheWalkThrough) {
  ASSERT_TRUE(kScaled);
  TFakeServices services;
  TfmConfigWizard window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(window.devicePixelRatio(), 2);
  PutOnFirstControlUnit(window.Logic(), AddStringOfFourCells(window.Logic().System().GetBattery(0)));
  QApplication::processEvents();
  EXPECT_EQ(ClippedCaptions(&window), std::vector<std::string>{}) << "tree page";
  QTest::mouseClick(window.btnNext(), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(ClippedCaptions(&window), std::vector<std::string>{}) << "grid page";

  TzmUPSSystem system;
  TfmWalkthru walk;
  bool checked = false;
  QTimer::singleShot(0, &walk, [&] {
    checked = true;
    EXPECT_EQ(ClippedCaptions(&walk), std::vector<std::string>{}) << "walk-through start";
    QTest::mouseClick(FindNamed<QAbstractButton>(&walk, "btnWalkNext"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(ClippedCaptions(&walk), std::vector<std::string>{}) << "walk-through question";
    QTest::mouseClick(FindNamed<QAbstractButton>(&walk, "btnWalkCancel"), Qt::LeftButton);
  });
  walk.Execute(&system);
  EXPECT_TRUE(checked);
}
