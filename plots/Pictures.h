#pragma once

#include "plots/PlotData.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orvanta {

class TRaruRuro;

// A picture of response curves (interaction, trace): its title, its axes'
// titles and the labelled curves.
struct TCurvesPicture {
    std::string Title;
    std::string XTitle;
    std::string YTitle;
    std::vector<TCurve> Curves;
    // The horizontal axis spans exactly this range when set (a share of the
    // region, 0 .. 1), with no room for labels: the curves have none.
    std::optional<std::pair<double, double>> XRange;
};

// The interaction of factor `along` with factor `other` (indices from 0)
// about the coded point `reference`, along the factor's natural units when
// `natural` and the plan has them.
TCurvesPicture InteractionPicture(const TRaruRuro& plan, std::int32_t along, std::int32_t other,
                                  const std::vector<double>& reference, bool natural);
// The trace of every factor through the coded point `reference`.
TCurvesPicture TracePicture(const TRaruRuro& plan, const std::vector<double>& reference);

// The coded span the contour shows by default along a factor: its runs'
// span with a twentieth of it to spare on each side (-1 .. 1 when the runs
// do not spread), so that the runs on the edge are seen whole.
std::pair<double, double> RunSpan(const TRaruRuro& plan, std::int32_t factor);

// The picture's units: natural when asked and the plan has them.
bool NaturalPicture(const TRaruRuro& plan, bool asked);

} // namespace orvanta
