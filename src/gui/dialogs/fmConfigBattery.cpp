#include "dialogs/fmConfigBattery.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "common/ZMFormat.h"
#include "dialogs/fmConfigUpDown.h"

// The names grid's view of the battery table: column 0 the fixed battery
// number, column 1 the name, column 2 the battery's own number of strings.
class TBatteryNamesModel : public QAbstractTableModel {
 public:
  explicit TBatteryNamesModel(TBatteryNamesTable& table, QObject* parent)
      : QAbstractTableModel(parent), table_(table) {}

  void Reload() {
    beginResetModel();
    endResetModel();
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : table_.Count();
  }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
      case 0: return QStringLiteral("  #  ");
      case 1: return QStringLiteral("Name of battery");
      case 2: return QStringLiteral("Number of strings (Blank = Default)");
      default: return {};
    }
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const int row = index.row();
    switch (role) {
      case Qt::DisplayRole:
        if (index.column() == 0) return QString::number(row + 1);
        if (index.column() == 1) return QString::fromStdString(table_.NameCell(row));
        return QString::fromStdString(table_.StringsCell(row));
      case Qt::EditRole: return QString::fromStdString(table_.EditorText(row, index.column()));
      case Qt::BackgroundRole:
        if (index.column() == 0) return QApplication::palette().button();
        return {};
      case Qt::TextAlignmentRole:
        if (index.column() != 1) return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
      default: return {};
    }
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    if (!index.isValid()) return Qt::NoItemFlags;
    if (index.column() == 0) return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
  }

  bool setData(const QModelIndex& index, const QVariant& value, int role) override {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const std::string text = value.toString().toStdString();
    if (index.column() == 1) {
      if (!table_.EditName(index.row(), text)) return false;
    } else if (index.column() == 2) {
      table_.SetStringsCell(index.row(), text);
    } else {
      return false;
    }
    emit dataChanged(index, index);
    return true;
  }

 private:
  TBatteryNamesTable& table_;
};

TfmConfigureBatteries::TfmConfigureBatteries(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("fmConfigureBatteries"));
  setWindowTitle(QStringLiteral("Number of batteries"));

  auto* outer = new QVBoxLayout(this);
  auto* counts = new QGridLayout;
  auto addCount = [this, counts](int row, const char* caption, const char* editName,
                                 const char* updnName, int minimum, int maximum,
                                 QLineEdit*& edit, TDialogUpDown*& updn) {
    auto* label = new QLabel(QString::fromUtf8(caption), this);
    edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(editName));
    edit->setFixedWidth(48);
    edit->setAlignment(Qt::AlignRight);
    label->setBuddy(edit);
    updn = new TDialogUpDown(edit, minimum, maximum, 1, this);
    updn->setObjectName(QString::fromLatin1(updnName));
    updn->setFixedHeight(edit->sizeHint().height());
    counts->addWidget(label, row, 0);
    counts->addWidget(edit, row, 1);
    counts->addWidget(updn, row, 2);
  };
  addCount(0, "Total number of &batteries :", "ebNumberOfBatteries", "updnNumberOfBatteries",
           kMinBatteries, kMaxBatteries, ebNumberOfBatteries_, updnNumberOfBatteries_);
  addCount(1, "Default number of strings for batteries :", "ebStringsPerBattery",
           "updnStringsPerBattery", kMinDefaultStrings, kMaxDefaultStrings, ebStringsPerBattery_,
           updnStringsPerBattery_);
  counts->setColumnStretch(3, 1);
  outer->addLayout(counts);

  pnlNames_ = new QWidget(this);
  pnlNames_->setObjectName(QStringLiteral("pnlNames"));
  auto* names = new QVBoxLayout(pnlNames_);
  names->setContentsMargins(0, 4, 0, 0);
  lblNames_ = new QLabel(QStringLiteral("Battery names"), pnlNames_);
  lblNames_->setObjectName(QStringLiteral("lblNames"));
  names->addWidget(lblNames_);
  sgNames_ = new QTableView(pnlNames_);
  sgNames_->setObjectName(QStringLiteral("sgNames"));
  model_ = new TBatteryNamesModel(table_, this);
  sgNames_->setModel(model_);
  sgNames_->verticalHeader()->hide();
  sgNames_->verticalHeader()->setDefaultSectionSize(sgNames_->fontMetrics().height() + 6);
  sgNames_->horizontalHeader()->setMinimumSectionSize(0);
  sgNames_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  sgNames_->horizontalHeader()->setHighlightSections(false);
  sgNames_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  sgNames_->setSelectionBehavior(QAbstractItemView::SelectItems);
  sgNames_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
  sgNames_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  names->addWidget(sgNames_, 1);
  outer->addWidget(pnlNames_, 1);
  pnlNames_->installEventFilter(this);
  sgNames_->viewport()->installEventFilter(this);
  connect(model_, &QAbstractItemModel::dataChanged, this, &TfmConfigureBatteries::LayoutNames);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  Button1_ = new QPushButton(QStringLiteral("&OK"), this);
  Button1_->setObjectName(QStringLiteral("Button1"));
  Button1_->setDefault(true);
  Button2_ = new QPushButton(QStringLiteral("&Cancel"), this);
  Button2_->setObjectName(QStringLiteral("Button2"));
  buttons->addWidget(Button1_);
  buttons->addWidget(Button2_);
  outer->addLayout(buttons);
  connect(Button1_, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2_, &QPushButton::clicked, this, &QDialog::reject);

  connect(ebNumberOfBatteries_, &QLineEdit::textChanged, this,
          &TfmConfigureBatteries::ebNumberOfBatteriesChange);
  connect(ebStringsPerBattery_, &QLineEdit::textChanged, this,
          &TfmConfigureBatteries::ebStringsPerBatteryChange);

  // Wide enough for both column headers in full.
  const QFontMetrics header(sgNames_->horizontalHeader()->font());
  const int headerWidth = header.horizontalAdvance(QStringLiteral("Number of strings (Blank = Default)"));
  resize(std::max(480, header.horizontalAdvance(QStringLiteral("000")) + 2 * headerWidth + 80), 340);
  ApplyBatteryCount(updnNumberOfBatteries_->Position());
}

TfmConfigureBatteries::~TfmConfigureBatteries() = default;

int TfmConfigureBatteries::CheckedCount(QLineEdit* edit, TDialogUpDown* updn) {
  const QString text = edit->text();
  const int count = CountFromText(text.toStdString(), updn->Position(), updn->Min(), updn->Max());
  int typed = 0;
  if (!TryStrToInt(text.toStdString(), typed) || typed != count) {
    // Not an integer, or outside the range: the box shows the count instead.
    updating_ = true;
    updn->SetPosition(count);
    updating_ = false;
  }
  return count;
}

void TfmConfigureBatteries::ebNumberOfBatteriesChange() {
  if (updating_) return;
  ApplyBatteryCount(CheckedCount(ebNumberOfBatteries_, updnNumberOfBatteries_));
}

void TfmConfigureBatteries::ebStringsPerBatteryChange() {
  if (updating_) return;
  CheckedCount(ebStringsPerBattery_, updnStringsPerBattery_);
}

void TfmConfigureBatteries::ApplyBatteryCount(int count) {
  table_.SetCount(count);
  model_->Reload();
  LayoutNames();
}

void TfmConfigureBatteries::SetBatteryCount(int count) {
  updnNumberOfBatteries_->SetPosition(count);
  ApplyBatteryCount(updnNumberOfBatteries_->Position());
}

int TfmConfigureBatteries::BatteryCount() const { return updnNumberOfBatteries_->Position(); }

void TfmConfigureBatteries::SetDefaultStringCount(int strings) {
  updnStringsPerBattery_->SetPosition(strings);
}

int TfmConfigureBatteries::DefaultStringCount() const { return updnStringsPerBattery_->Position(); }

std::string TfmConfigureBatteries::BatteryName(int index) const { return table_.BatteryName(index); }

void TfmConfigureBatteries::SetBatteryName(int index, const std::string& name) {
  if (!table_.ValidIndex(index)) return;
  table_.SetBatteryName(index, name);
  const QModelIndex cell = model_->index(index, 1);
  emit model_->dataChanged(cell, cell);
}

int TfmConfigureBatteries::StringCount(int index) const {
  return table_.StringCount(index, DefaultStringCount());
}

void TfmConfigureBatteries::SetStringCount(int index, int strings) {
  if (!table_.ValidIndex(index)) return;
  table_.SetStringCount(index, strings);
  const QModelIndex cell = model_->index(index, 2);
  emit model_->dataChanged(cell, cell);
}

bool TfmConfigureBatteries::Execute() {
  ApplyBatteryCount(updnNumberOfBatteries_->Position());
  return exec() == QDialog::Accepted;
}

void TfmConfigureBatteries::LayoutNames() {
  // The number column holds three digits plus the cell's own text margins.
  const int textMargin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, sgNames_) + 1;
  const int numberWidth = sgNames_->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 2 * textMargin;
  const int gridLine = sgNames_->showGrid() ? 1 : 0;
  const int other = NamesColumnWidth(sgNames_->viewport()->width(), numberWidth, gridLine);
  sgNames_->setColumnWidth(0, numberWidth);
  sgNames_->setColumnWidth(1, other);
  sgNames_->setColumnWidth(2, other);
}

bool TfmConfigureBatteries::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && (watched == pnlNames_ || watched == sgNames_->viewport()))
    LayoutNames();
  return QDialog::eventFilter(watched, event);
}
