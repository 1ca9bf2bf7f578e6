#pragma once

#include "stats/ModelStatistics.h"

namespace orvanta {

// Reads the fitted equation in coded units as a polynomial: when it is of
// second order, fills the canonical analysis; when of first order, the path
// of steepest ascent. The equation is probed, not its term names: its
// coefficients come from exact differences around the centre and must
// reproduce the equation at further points.
void AnalyseResponseSurface(const TRaruRuro& plan, TModelStatistics& out);

} // namespace orvanta
