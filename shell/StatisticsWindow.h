#pragma once

#include "shell/SingleWindow.h"

#include <cstdint>

namespace orvanta {

class TMainForm;
class TStatisticsForm;

// The statistics window of the plan's model inside the main window: one
// for the plan, made on its first showing, computed afresh after every
// analysis and when the options change, closed with the plan. After an
// analysis it opens by itself when the options say so.
class TStatisticsWindow : public TSingleWindow {
public:
    TStatisticsWindow(QMdiArea& area, TMainForm& main);

    // Opens the window (or brings it forward) with the plan's statistics.
    void Show();
    // Recomputes what the open window shows.
    void Refresh();
    // After every command: the plan closed, an analysis ended, the model
    // went away.
    void Follow();
    // Opens the window on its diagnostics with the observation's row
    // selected.
    void ShowObservation(std::int32_t run, std::int32_t repeat);
    TStatisticsForm* Form() const;

private:
    void GoToStationaryPoint();

    TMainForm& Main;
    // What the last look at the plan saw: its analysis count and whether it
    // had coefficients.
    std::uint64_t SeenAnalysis = 0;
    bool SeenModel = false;
};

} // namespace orvanta
