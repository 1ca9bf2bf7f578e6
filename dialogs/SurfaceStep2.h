#pragma once

#include "dialogs/SurfaceWizardLogic.h"
#include "dialogs/WizardTemplateForm.h"

#include <array>

class QFocusEvent;
class QLineEdit;

namespace orvanta {

class TWizardSpinEdit;

// The second page of the surface wizard: the interval and the number of grid
// points along each of the two factors. Each field is checked when the focus
// leaves it for another control of the page; Forward checks all six and then
// the order of each interval's bounds. Cancel puts readable values into the
// fields so that the next run starts from numbers; Back leaves them as typed,
// since the page is seen again before anything is taken from it.
class TSurfaceStep2 : public TWizardTemplateForm {
    Q_OBJECT
public:
    explicit TSurfaceStep2(QWidget* parent = nullptr);

    // The two intervals and point counts taken over by the last Forward (the
    // bounds are also read when the page is shown).
    const TSurfaceRanges& Ranges() const { return Answer; }

    bool PageBack() override;
    bool PageForward() override;

    QLineEdit* EFirstLeft = nullptr;
    QLineEdit* EFirstRight = nullptr;
    TWizardSpinEdit* SEFirstPoints = nullptr;
    QLineEdit* ESecondLeft = nullptr;
    QLineEdit* ESecondRight = nullptr;
    TWizardSpinEdit* SESecondPoints = nullptr;

protected:
    bool CloseQuery(int result) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One interval's fields.
    struct TIntervalFields {
        QLineEdit* Left = nullptr;
        QLineEdit* Right = nullptr;
        TWizardSpinEdit* Points = nullptr;
    };

    QWidget* IntervalGroup(const QString& title, const char* prefix, TIntervalFields& fields);
    TSurfaceTexts FieldTexts() const;
    void SetFieldTexts(const TSurfaceTexts& texts);
    QWidget* FieldWidget(TSurfaceField field) const;
    void FocusField(TSurfaceField field);
    void BoundLeft(QLineEdit* edit, const QFocusEvent& event);
    TSurfaceField BoundField(const QLineEdit* edit) const;

    std::array<TIntervalFields, 2> Intervals;
    TSurfaceRanges Answer;
    bool ForwardAllowed = false;
    bool Checking = false;
};

} // namespace orvanta
