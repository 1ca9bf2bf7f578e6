#pragma once

#include "design/Evaluation.h"
#include "stats/StatisticsTables.h"

#include <QWidget>

#include <functional>
#include <vector>

class QCustomPlot;
class QDoubleSpinBox;

namespace orvanta {

class TStatisticsForm;

// The evaluation of the plan before any response: efficiencies, the
// coefficients' errors and power, the runs' leverage, the prediction
// variance over the region with its fraction-of-design-space picture, and
// the alias structure of a two-level fraction. The size of the coefficient
// to detect and the level of the test are set in the window; the tables
// copy and save as the statistics window's do.
class TEvaluationForm : public QWidget {
    Q_OBJECT
public:
    explicit TEvaluationForm(QWidget* parent = nullptr);

    void SetEvaluation(std::vector<TStatSection> sections, const std::vector<TSpvFraction>& fds);
    // Shows why the plan cannot be judged instead of the tables.
    void ShowMessage(const QString& text);

    double Delta() const;
    double Alpha() const;
    // The coefficient's size or the level changed: the owner evaluates anew.
    std::function<void()> OnOptionsChanged;

    QDoubleSpinBox* DeltaEdit = nullptr;
    QDoubleSpinBox* AlphaEdit = nullptr;
    TStatisticsForm* Tables = nullptr;
    // The fraction-of-design-space picture on the tab of the prediction
    // variance (none while the plan cannot be judged).
    QCustomPlot* FdsPlot = nullptr;
};

} // namespace orvanta
