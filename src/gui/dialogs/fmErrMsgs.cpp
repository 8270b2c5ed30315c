#include "dialogs/fmErrMsgs.h"

#include <QListWidget>
#include <QPushButton>

#include "app/QtUserInterface.h"
#include "dialogs/ZMValuePrompts.h"

namespace {
constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
}  // namespace

TfmErrorMessages::TfmErrorMessages(QWidget* owner)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint), FOwner(owner) {
  setObjectName("fmErrorMessages");
  setWindowTitle("fmErrorMessages");
  setSizeGripEnabled(true);
  setMinimumSize(120, 100);

  lbxErrors = new QListWidget(this);
  lbxErrors->setObjectName("lbxErrors");
  btnOK = new QPushButton("&OK", this);
  btnOK->setObjectName("btnOK");
  btnOK->setFixedSize(kButtonWidth, kButtonHeight);
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

  resize(420, 260);
}

void TfmErrorMessages::Clear() { lbxErrors->clear(); }

void TfmErrorMessages::Add(const std::string& message) { lbxErrors->addItem(ToQString(message)); }

int TfmErrorMessages::Count() const { return lbxErrors->count(); }

void TfmErrorMessages::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  const int w = width();
  const int h = height();
  lbxErrors->setGeometry(kMargin, kMargin, w - 2 * kMargin, h - 3 * kMargin - kButtonHeight);
  // Centred: half the client width less half the button width, both truncated.
  btnOK->move(w / 2 - btnOK->width() / 2, h - kMargin - kButtonHeight);
}

void TfmErrorMessages::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreWindow(this, FOwner.data());
}
