#pragma once

#include "plan/PlanHost.h"

#include <cstdint>
#include <vector>

namespace orvanta {

class TRaruRuro;

// The plan's diagram curve or surface grid (points as 32-bit floats) and
// the state of their windows, which the host shows.
class TGraphHolder {
public:
    explicit TGraphHolder(TPlanHost& host) : Host(host) {}

    // Query codes: 6 — never; 8 — a prepared diagram or surface can be shown
    // again; 9 — one of the windows is open.
    bool Query(std::int32_t code) const;
    void Show(bool visible);
    // Closes the windows and drops the points.
    void Clear();
    // Takes the stored options into account at the next drawing.
    void* ApplyOptions() { return this; }

    // The response along one factor: (x, y) pairs.
    bool NewDiagram(const TRaruRuro& plan);
    // The response over two factors: (x, y, z) triples, x outer.
    bool NewSurface(const TRaruRuro& plan);

    bool HasCurve = false;
    bool HasSurface = false;
    std::vector<float> Points;
    std::int32_t Columns = 0; // surface: points along x
    std::int32_t Rows = 0;    // surface: points along y

private:
    TPlanHost& Host;
    bool WindowsOpen = false;
};

} // namespace orvanta
