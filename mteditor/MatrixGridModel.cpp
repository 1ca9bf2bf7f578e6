#include "mteditor/MatrixGridModel.h"

#include <utility>

namespace orvanta {

TMatrixGridModel::TMatrixGridModel(TMatrixGridLogic& logic, QObject* parent)
    : QAbstractTableModel(parent), Logic(logic) {}

int TMatrixGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Logic.RowCount() - Logic.FixedRows();
}

int TMatrixGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Logic.ColCount() - Logic.FixedCols();
}

TGridCell TMatrixGridModel::CellOf(const QModelIndex& index) const {
    return {index.column() + Logic.FixedCols(), index.row() + Logic.FixedRows()};
}

QModelIndex TMatrixGridModel::IndexOf(TGridCell cell) const {
    return index(cell.Row - Logic.FixedRows(), cell.Col - Logic.FixedCols());
}

QVariant TMatrixGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return QString::fromStdString(Logic.Text(CellOf(index)));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant TMatrixGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal && Logic.FixedRows() > 0)
        return QString::fromStdString(Logic.Text({section + Logic.FixedCols(), 0}));
    if (orientation == Qt::Vertical && Logic.FixedCols() > 0)
        return QString::fromStdString(Logic.Text({0, section + Logic.FixedRows()}));
    return {};
}

Qt::ItemFlags TMatrixGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (Editable)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool TMatrixGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !Editable)
        return false;
    // Typing has handed every change back already; an editor left as it was
    // opened must not put its shorter text ("%.5g") over the stored value.
    const TGridCell cell = CellOf(index);
    std::string text = value.toString().toStdString();
    if (text == Logic.Text(cell))
        return true;
    // The same commit as typing: within an edit it adds no undo step.
    Logic.TypeText(cell, std::move(text));
    emit dataChanged(index, index);
    return true;
}

void TMatrixGridModel::Rebuilt() {
    beginResetModel();
    endResetModel();
}

void TMatrixGridModel::TextsChanged() {
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

} // namespace orvanta
