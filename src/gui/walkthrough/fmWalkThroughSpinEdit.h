#pragma once
// TWalkSpinEdit: the number boxes of the walk-through window (rxspinWalkThru,
// rxspinFarenheit). A box may be blank (an alarm limit that is not used); its
// range and whole-number or decimal mode are those of the page on display.
// Only what the user does (typing, the arrow buttons, the arrow keys) is
// signalled; texts the window puts in are not.
#include <QAbstractSpinBox>

#include "walkthrough/fmWalkThroughPage.h"

class TWalkSpinEdit : public QAbstractSpinBox {
  Q_OBJECT
 public:
  explicit TWalkSpinEdit(QWidget* parent = nullptr);

  // Takes range, mode and text of the page's box; the text is replaced only
  // when it differs, so typing is not disturbed.
  void SetBox(const TWalkNumberBox& box);
  // The box as shown, with the text in the edit line.
  const TWalkNumberBox& Box() const { return box_; }

  // Writes a typed value within the range the way the box shows values; a
  // blank box, a text that is no number and a value outside the range stay as
  // typed. Signals UserChanged when the text changed.
  void FinishEdit();

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;

 signals:
  void UserChanged(const QString& text);

 protected:
  StepEnabled stepEnabled() const override;

 private:
  void UserSetText(const QString& text);

  TWalkNumberBox box_;
};
