// Placement of the walk-through window's controls: the text area fills the
// window above the heading; below the heading a row of check boxes, and at the
// bottom the buttons followed by the entry controls, Cancel at the right.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "walkthrough/fmWalkThrough.h"
#include "walkthrough/fmWalkThroughSpinEdit.h"
#include "walkthrough/fmWalkThroughTextArea.h"

namespace {
constexpr int kMargin = 8;
constexpr int kGap = 8;
constexpr int kTextBoxWidth = 240;
constexpr int kNumberBoxWidth = 110;

int HintWidth(const QWidget* w) { return w->sizeHint().width(); }

// Lays widgets out left to right from x on row y; returns the x after them.
int Place(QWidget* w, int x, int y, int rowHeight, int width = -1) {
  if (width < 0) width = HintWidth(w);
  const int h = std::min(rowHeight, std::max(w->sizeHint().height(), 0));
  w->setGeometry(x, y + (rowHeight - h) / 2, width, h);
  return x + width + kGap;
}
}  // namespace

void TfmWalkthru::Relayout() {
  if (!pnlWalkThru_) return;
  const int width = pnlWalkThru_->width();
  const int height = pnlWalkThru_->height();
  int rowHeight = 0;
  for (const QWidget* w : std::initializer_list<const QWidget*>{
           btnWalkNext_, ebWalkThru_, rxspinWalkThru_, cbxWalkThru_, btnCurrentScaling_})
    rowHeight = std::max(rowHeight, w->sizeHint().height());

  // Bottom row: Go back, Next, the entry controls; Print and Cancel at the right.
  const int bottom = height - kMargin - rowHeight;
  int x = Place(btnWalkPrev_, kMargin, bottom, rowHeight);
  x = Place(btnWalkNext_, x, bottom, rowHeight);
  const int cancelWidth = HintWidth(btnWalkCancel_);
  const int cancelLeft = width - kMargin - cancelWidth;
  Place(btnWalkCancel_, cancelLeft, bottom, rowHeight, cancelWidth);
  int right = cancelLeft - kGap;
  if (btnPrint_->isVisibleTo(pnlWalkThru_)) {
    const int w = HintWidth(btnPrint_);
    right -= w;
    Place(btnPrint_, right, bottom, rowHeight, w);
    right -= kGap;
  }
  if (lblBatStr_->isVisibleTo(pnlWalkThru_)) x = Place(lblBatStr_, x, bottom, rowHeight);
  if (ebWalkThru_->isVisibleTo(pnlWalkThru_))
    x = Place(ebWalkThru_, x, bottom, rowHeight, std::max(80, std::min(kTextBoxWidth, right - x)));
  const bool number = rxspinWalkThru_->isVisibleTo(pnlWalkThru_);
  const int numberLeft = x;
  if (number) x = Place(rxspinWalkThru_, x, bottom, rowHeight, kNumberBoxWidth);
  if (lblCelsius_->isVisibleTo(pnlWalkThru_)) x = Place(lblCelsius_, x, bottom, rowHeight);

  // The row above: the Fahrenheit box, the scaling button or the page's check
  // box over the number box; the other check boxes from the left; Voltage
  // only and Genset kit at the right, above Cancel.
  const int upper = bottom - kGap / 2 - rowHeight;
  int upperX = numberLeft;
  if (btnCurrentScaling_->isVisibleTo(pnlWalkThru_))
    upperX = Place(btnCurrentScaling_, numberLeft, upper, rowHeight);
  if (rxspinFarenheit_->isVisibleTo(pnlWalkThru_)) {
    upperX = Place(rxspinFarenheit_, upperX, upper, rowHeight, kNumberBoxWidth);
    upperX = Place(lblFarenheit_, upperX, upper, rowHeight);
  }
  if (cbxWalkThru_->isVisibleTo(pnlWalkThru_)) {
    if (number)
      Place(cbxWalkThru_, upperX, upper, rowHeight, std::max(40, cancelLeft - kGap - upperX));
    else
      Place(cbxWalkThru_, x, bottom, rowHeight, std::max(40, right - x));
  }

  int rightEdge = width - kMargin;
  for (QCheckBox* c : {cbxGenset_, cbxVoltageOnly_}) {
    if (!c->isVisibleTo(pnlWalkThru_)) continue;
    const int w = HintWidth(c);
    rightEdge -= w;
    Place(c, rightEdge, upper, rowHeight, w);
    rightEdge -= 2 * kGap;
  }
  // The left check boxes wrap onto a further row when they would meet the
  // boxes at the right.
  int rowTop = upper;
  int cx = kMargin;
  for (QCheckBox* c : {cbxSubString_, cbxForceNewCU_, cbxClone_}) {
    if (!c->isVisibleTo(pnlWalkThru_)) continue;
    const int w = HintWidth(c);
    const int limit = rowTop == upper ? rightEdge : width - kMargin;
    if (cx > kMargin && cx + w > limit) {
      rowTop -= rowHeight;
      cx = kMargin;
    }
    cx = Place(c, cx, rowTop, rowHeight, std::min(w, width - kMargin - cx)) + kGap;
  }

  // The heading above the rows; the text area fills the rest.
  const int headingHeight = lblHeading_->sizeHint().height();
  const int headingTop = rowTop - kGap - headingHeight;
  lblHeading_->setGeometry(kMargin, headingTop, width - 2 * kMargin, headingHeight);
  rchedtWalkThru_->setGeometry(kMargin, kMargin, width - 2 * kMargin,
                               std::max(40, headingTop - kGap - kMargin));
}
