#pragma once

#include "dialogs/DialogClosing.h"

#include <vector>

class QGroupBox;
class QPushButton;
class QTableWidget;

namespace orvanta {

// "Средние значения": the mean response of every run, one column a run,
// with the run's number above its mean.
class TAverageDialog : public TSmallDialog {
    Q_OBJECT
public:
    explicit TAverageDialog(QWidget* parent = nullptr);

    // Fills the grid with the means and shows the dialog modally.
    void Run(const std::vector<double>& means);

    QGroupBox* GBAverage = nullptr;
    QTableWidget* SGAverage = nullptr;
    QPushButton* OkButton = nullptr;

private:
    void Fill(const std::vector<double>& means);
};

} // namespace orvanta
