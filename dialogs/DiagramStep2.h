#pragma once

#include "dialogs/DiagramWizardLogic.h"
#include "dialogs/WizardTemplateForm.h"

class QFocusEvent;
class QLineEdit;

namespace orvanta {

class TWizardSpinEdit;

// The second page of the diagram wizard: the interval of the swept factor
// and the number of points along it. Each field is checked when the focus
// leaves it for another control of the page; Forward checks all three and
// the order of the bounds; Back and Cancel put readable values into the
// fields instead, so that the next showing starts from numbers.
class TDiagramStep2 : public TWizardTemplateForm {
    Q_OBJECT
public:
    explicit TDiagramStep2(QWidget* parent = nullptr);

    // The interval and point count taken over by the last Forward (the
    // bounds are also read when the page is shown).
    const TDiagramRange& Range() const { return Answer; }

    bool PageBack() override;
    bool PageForward() override;

    QLineEdit* ELeftBound = nullptr;
    QLineEdit* ERightBound = nullptr;
    TWizardSpinEdit* SEPoints = nullptr;

protected:
    bool CloseQuery(int result) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TDiagramRangeTexts FieldTexts() const;
    void SetFieldTexts(const TDiagramRangeTexts& texts);
    void FocusField(TDiagramRangeField field);
    void Normalise();
    void BoundLeft(QLineEdit* edit, const QFocusEvent& event);

    TDiagramRange Answer;
    bool ForwardAllowed = false;
    bool Checking = false;
};

} // namespace orvanta
