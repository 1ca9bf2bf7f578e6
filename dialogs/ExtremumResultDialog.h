#pragma once

#include "dialogs/DialogClosing.h"

#include <vector>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace orvanta {

// "Экстремум": where the search ended, in coded units, one line a factor
// with its number, and the model's value there.
class TExtremumResultDialog : public TSmallDialog {
    Q_OBJECT
public:
    explicit TExtremumResultDialog(QWidget* parent = nullptr);

    // Fills the dialog with the point and the value and shows it modally.
    void Run(const std::vector<double>& point, double value);

    QGroupBox* GBPoint = nullptr;
    QTableWidget* SGPoint = nullptr;
    QGroupBox* GBValue = nullptr;
    QLineEdit* EValue = nullptr;
    QPushButton* OkButton = nullptr;

private:
    void Fill(const std::vector<double>& point, double value);
};

} // namespace orvanta
