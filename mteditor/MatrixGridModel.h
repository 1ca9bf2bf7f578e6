#pragma once

#include "mteditor/MatrixGridLogic.h"

#include <QAbstractTableModel>

namespace orvanta {

// The grid's data cells as a table model over the editor's logic; the fixed
// row and column of the grid are the view's headers. Model (row, column) is
// grid cell (column + fixed columns, row + fixed rows).
class TMatrixGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TMatrixGridModel(TMatrixGridLogic& logic, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The editor hands back its text: when changed, it becomes the cell's
    // text and is committed when it is a number (the text is not rewritten).
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    TGridCell CellOf(const QModelIndex& index) const;
    QModelIndex IndexOf(TGridCell cell) const;
    void SetEditable(bool editable) { Editable = editable; }
    bool IsEditable() const { return Editable; }

    // The grid was rebuilt (new data) or its texts changed.
    void Rebuilt();
    void TextsChanged();

private:
    TMatrixGridLogic& Logic;
    bool Editable = true;
};

} // namespace orvanta
