#pragma once

#include <QObject>
#include <QPointer>

#include <cstdint>

class QMdiArea;
class QMdiSubWindow;

namespace orvanta {

class TMainForm;
class TStatisticsForm;

// The statistics window of the plan's model inside the main window: one
// for the plan, made on its first showing, computed afresh after every
// analysis and when the options change, closed with the plan. After an
// analysis it opens by itself when the options say so.
class TStatisticsWindow {
public:
    TStatisticsWindow(QMdiArea& area, TMainForm& main);
    ~TStatisticsWindow();

    // Opens the window (or brings it forward) with the plan's statistics.
    void Show();
    // Recomputes what the open window shows.
    void Refresh();
    // After every command: the plan closed, an analysis ended, the model
    // went away.
    void Follow();
    void Restore();
    // Opens the window on its diagnostics with the observation's row
    // selected.
    void ShowObservation(std::int32_t run, std::int32_t repeat);
    void Minimize();
    void Close();

    bool IsOpen() const { return !Sub.isNull(); }
    bool IsMinimized() const;
    QMdiSubWindow* Window() const;
    TStatisticsForm* Form() const;

private:
    void GoToStationaryPoint();

    QMdiArea& Area;
    TMainForm& Main;
    QPointer<QMdiSubWindow> Sub;
    // What the last look at the plan saw: its analysis count and whether it
    // had coefficients.
    std::uint64_t SeenAnalysis = 0;
    bool SeenModel = false;
    QObject Guard;
};

} // namespace orvanta
