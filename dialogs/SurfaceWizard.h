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

class TDiagramStep3;
class TSurfaceStep1;
class TSurfaceStep2;

// The surface wizard: which two factors, over which intervals and in how
// many grid points, and at which levels the other factors are held. Its two
// own pages are made once, as children of `parent`, and keep what was typed
// into them from one run to the next. The levels page is the diagram
// wizard's, shared as it stands: it must outlive this wizard.
class TSurfaceWizard {
public:
    TSurfaceWizard(QWidget* parent, TDiagramStep3& levelsPage);
    ~TSurfaceWizard();
    TSurfaceWizard(const TSurfaceWizard&) = delete;
    TSurfaceWizard& operator=(const TSurfaceWizard&) = delete;

    // Runs the three pages over the plan's factor names; nullopt on Cancel.
    std::optional<TSurfaceAnswer> Run(const std::vector<std::string>& factorNames);

    TSurfaceStep1* Step1 = nullptr;
    TSurfaceStep2* Step2 = nullptr;

private:
    TDiagramStep3& Step3;
    // The pages as the wizard owns them: a page its parent has already
    // destroyed is not destroyed again.
    std::array<QPointer<QDialog>, 2> Pages;
};

} // namespace orvanta
