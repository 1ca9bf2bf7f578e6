#pragma once

#include <QDialog>

#include <cstdint>
#include <optional>

class QCheckBox;
class QPushButton;
class QSpinBox;

namespace orvanta {

// The order the person chose: random from the seed, or standard.
struct TSheetOrderChoice {
    bool Random = false;
    std::uint32_t Seed = 0;
};

// "Рабочий лист": the order of the runs on the sheet - standard, or random
// from a seed the person may type or draw anew.
class TRunSheetDialog : public QDialog {
    Q_OBJECT
public:
    explicit TRunSheetDialog(QWidget* parent = nullptr);

    // Nullopt when the person cancels.
    std::optional<TSheetOrderChoice> Run();

    QCheckBox* RandomBox = nullptr;
    QSpinBox* SeedEdit = nullptr;
    QPushButton* NewSeedButton = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;
};

} // namespace orvanta
