#pragma once

#include "plan/PlanHost.h"

#include <QObject>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;

namespace orvanta {

class TGraphForm;
class TMainForm;
class TPlanService;

// The graph holder's windows inside the main window: the diagram (and the
// surface). A window is made on the first showing after a build and
// destroyed when it closes; the holder keeps the points, so the window can
// be made again without a new build.
class TGraphWindows {
public:
    TGraphWindows(QMdiArea& area, TPlanService& service, TMainForm& main);
    ~TGraphWindows();

    void Show(TGraphWindow window);
    // Minimised first, as the person would see it go, then destroyed.
    void Close(TGraphWindow window);
    void ApplyOptions(TGraphWindow window);
    // Closes the windows without telling the holder (at the end of the run).
    void CloseAll();

    TGraphForm* Diagram() const;
    QMdiSubWindow* DiagramWindow() const;

private:
    TGraphForm* CreateDiagram();

    QMdiArea& Area;
    TPlanService& Service;
    TMainForm& Main;
    QPointer<QMdiSubWindow> DiagramSub;
    // The windows' notifications end with this object.
    QObject Guard;
};

} // namespace orvanta
