#pragma once

#include "numeric/NamedVector.h"

#include <QDialog>

#include <functional>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace orvanta {

// "Перевод / значение": one point in natural factor units and in coded
// units, converted either way, with the model's predicted response there.
//
// The plan hands over its base levels and intervals (kept by reference, the
// plan owns them) and, when coefficients exist, the prediction at a coded
// point; then it shows the dialog modally. Every opening starts from the zero
// point; the order and recompute choices stay as the person left them.
class TTranslateDialog : public QDialog {
    Q_OBJECT
public:
    // The predicted response at a point of k coded values.
    using TValueFunction = std::function<double(const double* coded)>;
    enum class TDirection { NaturalToCoded, CodedToNatural };

    explicit TTranslateDialog(QWidget* parent = nullptr);

    // Both are used until the dialog closes, then forgotten; the grids are
    // rebuilt for their length once both are known.
    void SetBaseLevels(const TNamedVector& levels);
    void SetIntervals(const TNamedVector& intervals);
    // An empty function means there is no model to predict with. Closing
    // the dialog forgets the function.
    void SetValueFunction(TValueFunction value);

    // Opens at this coded point instead of the zero point (this once): both
    // grids and the value are filled when the dialog shows. Call it after
    // the vectors and the value function are handed over.
    void StartAt(const std::vector<double>& coded);

    // Which grid the next recompute reads.
    TDirection Direction() const { return CurrentDirection; }

    QGroupBox* GBCodePoint = nullptr;
    QTableWidget* GCodePoint = nullptr;
    QGroupBox* GBNaturalPoint = nullptr;
    QTableWidget* GNaturalPoint = nullptr;
    QGroupBox* RGOrder = nullptr;
    QRadioButton* RBAutoOrder = nullptr;
    QRadioButton* RBCodedByNatural = nullptr;
    QRadioButton* RBNaturalByCoded = nullptr;
    QGroupBox* RGProceed = nullptr;
    QRadioButton* RBAutomatic = nullptr;
    QRadioButton* RBOnCommand = nullptr;
    QPushButton* ProcessButton = nullptr;
    QCheckBox* CBValueInPoint = nullptr;
    QLabel* LValue = nullptr;
    QLineEdit* EValue = nullptr;
    QPushButton* OKBtn = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableWidget* CreateGrid(QGroupBox* group, const QString& name);
    QGroupBox* CreateOrderGroup();
    QGroupBox* CreateProceedGroup();
    // Zero point, k columns, "0" in every value cell.
    void AdjustGrids();
    void FitHeight(QTableWidget* grid);
    // Recomputes the target grid and the value from the source grid.
    void Update();
    bool ReadSource(QTableWidget* grid, TNamedVector& point);
    void WriteTarget(QTableWidget* grid, const TNamedVector& point);
    void ShowValue();
    // The grids and the direction that the chosen order allows.
    void ApplyOrder();
    void ApplyProceed();
    void GridItemChanged(QTableWidget* grid);
    void PaintGrid(QTableWidget* grid, bool enabled);
    bool Automatic() const;
    QTableWidget* SourceGrid() const;

    const TNamedVector* BaseLevels = nullptr;
    const TNamedVector* Intervals = nullptr;
    TNamedVector Coded;
    TNamedVector Natural;
    TValueFunction ValueFunction;
    TDirection CurrentDirection = TDirection::NaturalToCoded;
    // Our own writes into the grids are not edits.
    bool Writing = false;
};

} // namespace orvanta
