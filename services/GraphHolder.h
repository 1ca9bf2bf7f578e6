#pragma once

#include "plan/PlanHost.h"
#include "services/PointList.h"

#include <cstdint>
#include <string>

namespace orvanta {

class TRaruRuro;

// Axis titles: of a diagram (x, middle, y) or of a surface (first factor,
// second factor, response).
struct TGraphTitles {
    std::string First;
    std::string Middle;
    std::string Last;
};

// The plan's diagram or surface: the computed points as 32-bit floats, the
// experimental points, the axis titles and whether their windows are open.
// It keeps either a diagram or a surface, never both: starting one clears
// the other and closes its window. The windows themselves belong to the
// host, which tells the holder when one of them closes.
class TGraphHolder {
public:
    explicit TGraphHolder(TPlanHost& host) : Host(host) {}
    ~TGraphHolder();
    TGraphHolder(const TGraphHolder&) = delete;
    TGraphHolder& operator=(const TGraphHolder&) = delete;

    // ---- The call table, in its order ----
    // 0: appends to the list being filled, if any.
    void AddPoint2D(double x, double y);
    // 1: appends (x1, y, x2): the response is the vertical coordinate.
    void AddPoint3D(double x1, double x2, double y);
    // 2, 3: clear, then start the curve (or the surface grid).
    void BeginCurve(std::int32_t count, std::int32_t secondCount);
    void BeginSurface(std::int32_t secondCount, std::int32_t firstCount);
    // 4: copies the given titles; null leaves them.
    void SetTitles(const TGraphTitles* titles2D, const TGraphTitles* titles3D);
    // 5, 6: a diagram (surface) has been built and can be shown.
    void Enable2D() { CurveReady = true; }
    void Enable3D() { SurfaceReady = true; }
    // 7: shows what was built (creating the windows), or minimises and
    // closes the open windows keeping the points.
    void Show(bool visible);
    // 9: closes the windows and empties the four lists.
    void Clear();
    // 10: restyles the open windows from the stored options.
    void* ApplyOptions();
    // 11: codes 0-5 and 7 yes; 8 a built diagram or surface whose window is
    // closed; 9 a window is open; others no.
    bool Query(std::int32_t code) const;
    // 13-16: the experimental points.
    void BeginPoints2D(std::int32_t count);
    void BeginPoints3D(std::int32_t count);
    void EndPoints2D() { EndPoints(); }
    void EndPoints3D() { EndPoints(); }

    // ---- The windows' notifications ----
    void DiagramClosed() { DiagramOpen = false; }
    void SurfaceClosed() { SurfaceOpen = false; }

    // ---- The plan's operations ----
    // The response along one factor (the diagram wizard's choice).
    bool NewDiagram(const TRaruRuro& plan);
    // The response over two factors (the surface wizard's choice).
    bool NewSurface(const TRaruRuro& plan);

    bool CurveReady = false;
    bool SurfaceReady = false;
    TPointList2D Curve;
    TPointList2D Points2D;
    bool DiagramOpen = false;
    std::int32_t GridRows = 0;
    std::int32_t GridCols = 0;
    std::int32_t PointCount = 0;
    TPointList3D SurfaceVertices;
    TPointList3D Points3D;
    bool SurfaceOpen = false;
    TGraphTitles Titles2D{"Фактор", "", "Отклик системы"};
    TGraphTitles Titles3D{"Фактор", "Фактор", "Отклик системы"};

private:
    void EndPoints();
    void ShowDiagram();
    void ShowSurface();

    TPlanHost& Host;
    TPointList2D* Current2D = nullptr;
    TPointList3D* Current3D = nullptr;
};

// Sorts the points by x, ascending, by selection: among equal x the one
// found first comes first, so runs with the same level keep their order.
void SortByX(TPointList2D& points);

} // namespace orvanta
