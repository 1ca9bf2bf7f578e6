#pragma once

#include "shell/SingleWindow.h"

#include <cstddef>

namespace orvanta {

class TEvaluationForm;
class TMainForm;

// "Оценка плана" inside the main window: one for the plan, judged afresh
// whenever the runs, the model or the repeats change, closed with the plan.
class TEvaluationWindow : public TSingleWindow {
public:
    TEvaluationWindow(QMdiArea& area, TMainForm& main);

    // Opens the window (or brings it forward) with the plan's evaluation.
    void Show();
    void Refresh();
    // After every command: the plan closed, or its runs or model changed.
    void Follow();
    TEvaluationForm* Form() const;

private:
    // What the evaluation depends on, folded into one number.
    std::size_t Fingerprint() const;

    TMainForm& Main;
    std::size_t Seen = 0;
};

} // namespace orvanta
