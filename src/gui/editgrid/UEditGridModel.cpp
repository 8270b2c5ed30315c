#include "editgrid/UEditGridModel.h"

#include <QBrush>
#include <QPalette>
#include <QApplication>

TEditGridModel::TEditGridModel(TEditGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(&grid) {
  Reset();
}

void TEditGridModel::SetGrid(TEditGrid& grid) {
  grid_ = &grid;
  Reset();
}

int TEditGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TEditGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : cols_;
}

QVariant TEditGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = GridRow(index.row()), col = index.column();
  if (role == Qt::DisplayRole || role == Qt::EditRole)
    return QString::fromStdString(grid_->Cells(col, row));
  if (role == Qt::BackgroundRole && grid_->IsFixed(col, row))
    return QApplication::palette().brush(QPalette::Button);
  return {};
}

bool TEditGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  grid_->SetCellText(index.column(), GridRow(index.row()), value.toString().toStdString());
  return true;
}

QVariant TEditGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  if (orientation == Qt::Horizontal && HeaderRows() > 0 && section >= 0 && section < grid_->ColCount() &&
      grid_->RowCount() > 0)
    return QString::fromStdString(grid_->Cells(section, 0));
  if (orientation == Qt::Vertical) return GridRow(section);
  return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags TEditGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  if (grid_->IsFixed(index.column(), GridRow(index.row()))) return Qt::ItemIsEnabled;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (grid_->CanEditCurrent() || (grid_->Options() & goEditing)) f |= Qt::ItemIsEditable;
  return f;
}

void TEditGridModel::CellsChanged(const TGridRect& rect) {
  const int top = std::max(ModelRow(rect.Top), 0), bottom = ModelRow(rect.Bottom);
  if (bottom >= top && bottom < rowCount())
    emit dataChanged(index(top, rect.Left), index(bottom, rect.Right), {Qt::DisplayRole, Qt::EditRole});
  if (HeaderRows() > 0 && rect.Top == 0) emit headerDataChanged(Qt::Horizontal, rect.Left, rect.Right);
}

void TEditGridModel::Reset() {
  beginResetModel();
  headerRows_ = grid_->FixedRows() > 0 ? 1 : 0;
  rows_ = std::max(0, grid_->RowCount() - headerRows_);
  cols_ = grid_->ColCount();
  endResetModel();
}

void TEditGridModel::SizeChanged() {
  const int headerRows = grid_->FixedRows() > 0 ? 1 : 0;
  const int rows = std::max(0, grid_->RowCount() - headerRows);
  if (headerRows != headerRows_ || grid_->ColCount() != cols_) {
    Reset();
  } else if (rows > rows_) {
    beginInsertRows({}, rows_, rows - 1);
    rows_ = rows;
    endInsertRows();
  } else if (rows < rows_) {
    beginRemoveRows({}, rows, rows_ - 1);
    rows_ = rows;
    endRemoveRows();
  }
}
