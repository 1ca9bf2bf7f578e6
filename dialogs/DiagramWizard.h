#pragma once

#include "plan/PlanHost.h"

#include <QPointer>

#include <array>
#include <optional>
#include <string>
#include <vector>

class QDialog;
class QWidget;

namespace orvanta {

class TDiagramStep1;
class TDiagramStep2;
class TDiagramStep3;

// The diagram wizard: which factor, over which interval and in how many
// points, and at which levels the other factors are held. The three pages
// are made once, as children of `parent`, and keep what was typed into them
// from one run to the next; the surface wizard shares the last page.
class TDiagramWizard {
public:
    explicit TDiagramWizard(QWidget* parent);
    ~TDiagramWizard();
    TDiagramWizard(const TDiagramWizard&) = delete;
    TDiagramWizard& operator=(const TDiagramWizard&) = delete;

    // Runs the three pages over the plan's factor names; nullopt on Cancel.
    std::optional<TDiagramAnswer> Run(const std::vector<std::string>& factorNames);

    TDiagramStep1* Step1 = nullptr;
    TDiagramStep2* Step2 = nullptr;
    TDiagramStep3* Step3 = nullptr;

private:
    // The pages as the wizard owns them: a page its parent has already
    // destroyed is not destroyed again.
    std::array<QPointer<QDialog>, 3> Pages;
};

} // namespace orvanta
