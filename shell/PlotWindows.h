#pragma once

#include "plots/PlotData.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QMdiArea;
class QMdiSubWindow;

namespace orvanta {

class TMainForm;
class TPlotForm;

// The pictures of the fitted model beside the diagram and the surface.
enum class TPlotWindowKind { Contour, Residuals, Effects, Interaction, Trace };
constexpr std::size_t PlotWindowKinds = 5;

// The picture windows inside the main window: one of each kind for the
// plan, made on the first showing, drawn afresh after every analysis and
// when the options change, closed with the plan.
class TPlotWindows {
public:
    TPlotWindows(QMdiArea& area, TMainForm& main);
    ~TPlotWindows();

    // Asks what the picture needs (the surface's wizard pages for the
    // contour and the interaction; nothing for a mixture's triangle), then
    // opens the window or brings it forward with the picture.
    void Show(TPlotWindowKind kind);
    void Restore(TPlotWindowKind kind);
    void Minimize(TPlotWindowKind kind);
    void Close(TPlotWindowKind kind);
    void CloseAll();
    // After every command: the plan closed, an analysis ended.
    void Follow();
    // The look of the options page "График".
    void ApplyOptions();

    bool IsOpen(TPlotWindowKind kind) const;
    bool IsMinimized(TPlotWindowKind kind) const;
    QMdiSubWindow* Window(TPlotWindowKind kind) const;
    TPlotForm* Form(TPlotWindowKind kind) const;
    static const char* Caption(TPlotWindowKind kind);

    // A click on a residual point: its run and repeat (from 1).
    std::function<void(std::int32_t run, std::int32_t repeat)> OnObservation;

private:
    struct TState {
        QPointer<QMdiSubWindow> Sub;
        TContourRequest Contour;
        std::int32_t Along = 0;
        std::int32_t Other = 1;
        std::vector<double> Reference;
        bool Natural = true;
    };
    bool Ask(TPlotWindowKind kind);
    void Draw(TPlotWindowKind kind);
    void DrawContour(TPlotForm& form, TState& state);
    void DrawResiduals(TPlotForm& form);
    TPlotForm* MakeWindow(TPlotWindowKind kind);
    TState& State(TPlotWindowKind kind) { return States[static_cast<std::size_t>(kind)]; }
    const TState& State(TPlotWindowKind kind) const {
        return States[static_cast<std::size_t>(kind)];
    }

    QMdiArea& Area;
    TMainForm& Main;
    std::array<TState, PlotWindowKinds> States;
    std::uint64_t SeenAnalysis = 0;
    QObject Guard;
};

} // namespace orvanta
