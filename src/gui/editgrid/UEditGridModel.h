#pragma once
// The table model over the editable grid's cells. The first fixed row is shown as
// the view's column header; the other rows map one to one onto model rows.
#include <QAbstractTableModel>

#include "editgrid/UEditGrid.h"

class TEditGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TEditGridModel(TEditGrid& grid, QObject* parent = nullptr);
  // Shows another grid (the view resets).
  void SetGrid(TEditGrid& grid);

  // Grid rows shown in the header (0 or 1).
  int HeaderRows() const { return headerRows_; }
  int GridRow(int modelRow) const { return modelRow + HeaderRows(); }
  int ModelRow(int gridRow) const { return gridRow - HeaderRows(); }
  QModelIndex CellIndex(int col, int gridRow) const { return index(ModelRow(gridRow), col); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Called by the view when the grid reports changes.
  void CellsChanged(const TGridRect& rect);
  // A changed row count inserts or removes rows at the end (cheap for large
  // grids, and the view keeps its state); other size changes reset the model.
  void SizeChanged();

 private:
  void Reset();

  TEditGrid* grid_;
  // The shape the views know, brought up to date by SizeChanged.
  int rows_ = 0;
  int cols_ = 0;
  int headerRows_ = 0;
};
