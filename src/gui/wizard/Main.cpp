#include "wizard/Main.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

TfmConfigWizard::TfmConfigWizard(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("fmConfigWizard"));
  setWindowTitle(QStringLiteral("Configuration Builder"));
  resize(613, 452);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  pnlMain_ = new QWidget(central);
  pnlMain_->setObjectName(QStringLiteral("pnlMain"));
  layout->addWidget(pnlMain_, 1);
  BuildDirectionPanel();
  layout->addWidget(pnlDirection_);
  setCentralWidget(central);

  statusLine_ = new QStatusBar(this);
  statusLine_->setObjectName(QStringLiteral("StatusLine"));
  setStatusBar(statusLine_);
}

void TfmConfigWizard::BuildDirectionPanel() {
  pnlDirection_ = new QWidget(this);
  pnlDirection_->setObjectName(QStringLiteral("pnlDirection"));
  pnlDirection_->setFixedHeight(41);
  auto* row = new QHBoxLayout(pnlDirection_);
  row->setContentsMargins(8, 8, 8, 8);
  auto makeButton = [this](const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), pnlDirection_);
    b->setObjectName(QString::fromUtf8(name));
    b->setFixedSize(75, 25);
    return b;
  };
  btnBack_ = makeButton("btnBack", "<< &Back");
  btnNext_ = makeButton("btnNext", "&Next >>");
  btnCancel_ = makeButton("btnCancel", "&Cancel");
  btnBack_->setEnabled(false);
  btnNext_->setEnabled(false);
  row->addStretch(1);
  row->addWidget(btnBack_);
  row->addWidget(btnNext_);
  row->addSpacing(12);
  row->addWidget(btnCancel_);
  connect(btnCancel_, &QPushButton::clicked, this, &QWidget::close);
}
