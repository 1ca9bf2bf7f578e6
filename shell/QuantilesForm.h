#pragma once

#include "plan/QuantileWindowLogic.h"

#include <QDialog>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

namespace orvanta {

// The reference window of the 5 % quantiles of Pearson's chi-square,
// Cochran's G, Student's t and Fisher's F for degrees of freedom the user
// types in. Not modal: it stays open beside the plan's windows until
// "Возврат".
class TQuantilesForm : public QDialog {
    Q_OBJECT
public:
    using TInput = TQuantileWindowLogic::TInput;
    using TResult = TQuantileWindowLogic::TResult;

    explicit TQuantilesForm(QWidget* parent = nullptr);

    // Shows the window if hidden, brings it to the front and makes the field
    // the active control (the Service menu's four items).
    void ShowField(TInput field);

    QLineEdit* Edit(TInput field) const;
    QLineEdit* Edit(TResult field) const;

    QLineEdit* PirsonF = nullptr;
    QLineEdit* CohrenN = nullptr;
    QLineEdit* CohrenD = nullptr;
    QLineEdit* StudentF = nullptr;
    QLineEdit* FisherN = nullptr;
    QLineEdit* FisherD = nullptr;
    QLineEdit* PirsonL = nullptr;
    QLineEdit* PirsonR = nullptr;
    QLineEdit* Cohren = nullptr;
    QLineEdit* Student = nullptr;
    QLineEdit* Fisher = nullptr;
    QLabel* CaptionLabel = nullptr;
    QStatusBar* StatusBar = nullptr;
    QPushButton* BackButton = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildGroups();
    QLineEdit* NewInput(TInput field, const char* name);
    QLineEdit* NewResult(TResult field, const char* name);
    void InputChanged(TInput field);
    std::optional<TInput> FocusedInput() const;
    // Copies the logic's inputs, results and status into the widgets.
    void ShowLogic();

    TQuantileWindowLogic Logic;
    std::array<QLineEdit*, TQuantileWindowLogic::InputCount> Inputs{};
    std::array<QLineEdit*, TQuantileWindowLogic::ResultCount> Results{};
    // Set while ShowLogic writes inputs back, so that the rewrite is not
    // taken for the user's change.
    bool Showing = false;
    // The field ShowField selects once it has the focus.
    QLineEdit* SelectOnFocus = nullptr;
};

} // namespace orvanta
