#pragma once

// What the person of the walkthrough does in each modal window: the steps
// of the new-plan wizard, the factor names, the analysis forms and the
// model-change dialog, the diagram and surface wizards, the extremum.

#include "dialogs/ExtremumDialog.h"
#include "dialogs/ExtremumResultDialog.h"
#include "dialogs/KNamesForm.h"
#include "dialogs/ModelChangeDialog.h"
#include "dialogs/NewDialog.h"
#include "dialogs/ResultCompleteForm.h"
#include "dialogs/StepOneForm.h"
#include "dialogs/WizardSpinEdit.h"
#include "dialogs/YMparams.h"

#include "../dialogs/widgets/DialogScript.h"
#include "../dialogs/widgets/ModalPerson.h"
#include "GuiScript.h"
#include "SessionScript.h"
#include "WalkthroughData.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <map>

namespace orvanta::test {

inline void Forward(QWidget* page) {
    page->findChild<QPushButton*>(QStringLiteral("ForwardButton"))->click();
}

// Each factor chosen in the list and its name typed over the old one.
inline void AnswerTheFactorNames(TWindowPerson& person) {
    person.Acts[QStringLiteral("KNamesForm")] = [](QWidget* w) {
        auto* form = static_cast<TKNamesForm*>(w);
        form->activateWindow();
        for (int i = 0; i < 3; ++i) {
            form->LBFactors->setCurrentRow(i);
            TypeOver(form->EName, Q(FactorNames[i]));
        }
        form->OkButton->click();
    };
}

// The diagram along the second factor in 21 points over [-1, 1]; the
// surface over the first factor (12 points on [-1, 1]) and the third (8 on
// [-1.5, 1]); the factors not swept held at HeldLevels.
inline void AnswerTheGraphWizards(TWindowPerson& person) {
    person.Acts[QStringLiteral("DiagramStep1")] = [](QWidget* w) {
        w->activateWindow();
        ClickItem(w->findChild<QListWidget*>(QStringLiteral("LBFactors")), Q(FactorNames[1]));
        Forward(w);
    };
    person.Acts[QStringLiteral("DiagramStep2")] = [](QWidget* w) {
        w->activateWindow();
        TypeOver(w->findChild<QLineEdit*>(QStringLiteral("ELeftBound")), QStringLiteral("-1"));
        TypeOver(w->findChild<QLineEdit*>(QStringLiteral("ERightBound")), QStringLiteral("1"));
        w->findChild<TWizardSpinEdit*>(QStringLiteral("SEPoints"))->SetText(QStringLiteral("21"));
        Forward(w);
    };
    person.Acts[QStringLiteral("SurfaceStep1")] = [](QWidget* w) {
        w->activateWindow();
        ClickItem(w->findChild<QListWidget*>(QStringLiteral("LBSecondFactor")), Q(FactorNames[2]));
        Forward(w);
    };
    person.Acts[QStringLiteral("SurfaceStep2")] = [](QWidget* w) {
        w->activateWindow();
        const std::pair<const char*, const char*> fields[] = {{"EFirstLeft", "-1"},
                                                              {"EFirstRight", "1"},
                                                              {"ESecondLeft", "-1.5"},
                                                              {"ESecondRight", "1"}};
        for (const auto& [name, text] : fields)
            TypeOver(w->findChild<QLineEdit*>(QString::fromLatin1(name)),
                     QString::fromLatin1(text));
        w->findChild<TWizardSpinEdit*>(QStringLiteral("SEFirstPoints"))
            ->SetText(QStringLiteral("12"));
        w->findChild<TWizardSpinEdit*>(QStringLiteral("SESecondPoints"))
            ->SetText(QStringLiteral("8"));
        Forward(w);
    };
    // The levels page lists the factors that are held; each gets its level.
    person.Acts[QStringLiteral("DiagramStep3")] = [](QWidget* w) {
        w->activateWindow();
        auto* list = w->findChild<QListWidget*>(QStringLiteral("LBFactors"));
        auto* level = w->findChild<QLineEdit*>(QStringLiteral("ELevel"));
        for (int i = 0; i < 3; ++i)
            if (!list->findItems(Q(FactorNames[i]), Qt::MatchExactly).isEmpty()) {
                ClickItem(list, Q(FactorNames[i]));
                TypeOver(level, QString::number(HeldLevels[i]));
            }
        Forward(w);
    };
}

// The maximum over [-1, 1] for every factor by Gauss-Seidel in ten steps.
// What the result shows goes into `shown`: the value, then a factor's
// number and coordinate per row.
inline void AnswerTheExtremum(TWindowPerson& person, QStringList& shown) {
    person.Acts[QStringLiteral("ExtremumDialog")] = [](QWidget* w) {
        auto* dialog = static_cast<TExtremumDialog*>(w);
        for (int factor : {0, 1, 2}) {
            dialog->LBFactors->setCurrentRow(factor);
            dialog->EStart->setText(QStringLiteral("-1"));
            dialog->EEnd->setText(QStringLiteral("1"));
        }
        dialog->CBMethod->setCurrentIndex(1);
        dialog->RBMaximum->setChecked(true);
        dialog->SESteps->setText(QStringLiteral("10"));
        dialog->OkButton->click();
    };
    person.Acts[QStringLiteral("ExtremumResultDialog")] = [&shown](QWidget* w) {
        auto* dialog = static_cast<TExtremumResultDialog*>(w);
        shown = QStringList{dialog->EValue->text()};
        for (int row = 0; row < dialog->SGPoint->rowCount(); ++row)
            for (int col = 0; col < 2; ++col) {
                const QTableWidgetItem* cell = dialog->SGPoint->item(row, col);
                shown << (cell ? cell->text() : QString());
            }
        dialog->accept();
    };
}

} // namespace orvanta::test
