#pragma once

// What a person does in the program's windows during a whole session: the
// new-plan wizard for a built-in plan, the analysis with its forms; and how
// a test sees a drawn surface.

#include "GuiScript.h"
#include "dialogs/ModelChangeDialog.h"
#include "dialogs/NewDialog.h"
#include "dialogs/ResultCompleteForm.h"
#include "dialogs/StepOneForm.h"
#include "dialogs/WizardSpinEdit.h"
#include "dialogs/YMparams.h"

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstdlib>
#include <map>

namespace orvanta::test {

// A built-in plan of the kind whose button `kind` names, for `factors`
// factors with `repeats` repeats per run.
inline void AnswerBuiltinPlanWizard(TWindowPerson& person, QRadioButton* TNewDialog::*kind,
                                    int factors, int repeats) {
    person.Acts[QStringLiteral("StepOneForm")] = [](QWidget* w) {
        auto* step = static_cast<TStepOneForm*>(w);
        step->RBOld->setChecked(true);
        step->ForwardButton->click();
    };
    person.Acts[QStringLiteral("NewDialog")] = [kind, factors](QWidget* w) {
        auto* dialog = static_cast<TNewDialog*>(w);
        (dialog->*kind)->click();
        dialog->EDegree->SetText(QString::number(factors));
        dialog->OKButton->click();
    };
    person.Acts[QStringLiteral("YMparams")] = [repeats](QWidget* w) {
        auto* dialog = static_cast<TYMparams*>(w);
        dialog->ERepeats->setText(QString::number(repeats));
        dialog->OkButton->click();
    };
}

// The result forms' fields go into `fields` ("form.field"); the person
// switches the regression form off from the form itself, so a second
// analysis goes without it. Insignificant coefficients are zeroed.
inline void AnswerTheAnalysis(TWindowPerson& person, std::map<QString, QString>& fields) {
    const auto readForm = [&fields](QWidget* w) {
        auto* form = static_cast<TResultCompleteForm*>(w);
        for (const QLineEdit* field : form->Fields)
            fields[form->objectName() + QLatin1Char('.') + field->objectName()] = field->text();
        if (form->Kind() == TResultFormKind::Student)
            form->CBShowAlways->setChecked(false);
        form->OkButton->click();
    };
    for (const char* form : {"CohrenCompleteForm", "StudentCompleteForm", "FisherCompleteForm"})
        person.Acts[QString::fromLatin1(form)] = readForm;
    person.Acts[QStringLiteral("ModelChangeDialog")] = [](QWidget* w) {
        auto* dialog = static_cast<TModelChangeDialog*>(w);
        dialog->RBZero->setChecked(true);
        dialog->OkButton->click();
    };
}

// Pixels that are neither the black background nor the grey room lines:
// the coloured surface.
inline int ColouredPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            count += std::abs(qRed(p) - qBlue(p)) + std::abs(qGreen(p) - qBlue(p)) > 60;
        }
    return count;
}

} // namespace orvanta::test
