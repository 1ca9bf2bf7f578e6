#include "diagrams/AxisScaleLogic.h"

#include "numeric/NumberText.h"

#include <algorithm>
#include <cmath>

namespace orvanta {

TAxisRange DataRange(const std::vector<double>& values) {
    bool any = false;
    TAxisRange range;
    for (double v : values) {
        if (!std::isfinite(v))
            continue;
        if (!any) {
            range.Min = range.Max = v;
            any = true;
        }
        range.Min = std::min(range.Min, v);
        range.Max = std::max(range.Max, v);
    }
    if (!any)
        return TAxisRange{};
    if (range.Max - range.Min <= 0.0) {
        range.Min -= 1.0;
        range.Max += 1.0;
    }
    return range;
}

TAxisRange WithMargin(const TAxisRange& range, double fraction) {
    const double margin = (range.Max - range.Min) * fraction;
    const TAxisRange wide{range.Min - margin, range.Max + margin};
    return std::isfinite(wide.Min) && std::isfinite(wide.Max) ? wide : range;
}

int LabelCapacity(double axisPixels, double pixelsPerLabel, int fallback) {
    if (!(axisPixels > 0.0) || !(pixelsPerLabel > 0.0))
        return std::max(fallback, 1);
    return std::max(1, static_cast<int>(std::min(axisPixels / pixelsPerLabel, 1.0e6)));
}

namespace {

// The smallest of 1, 2 or 5 times a power of ten not below least.
double NiceInterval(double least) {
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    for (double mantissa : {1.0, 2.0, 5.0})
        if (mantissa * power >= least)
            return mantissa * power;
    return 10.0 * power;
}

// Labels closer than this, relative to the values, would print alike.
constexpr double RelativeResolution = 1e-10;
// Twelve significant digits tell such labels apart.
constexpr int LabelDigits = 12;
// More labels than any axis has room for.
constexpr std::size_t MaxLabels = 10000;

} // namespace

double LabelInterval(double desired, double min, double max, int capacity) {
    const double span = max - min;
    if (!(span > 0.0) || !std::isfinite(span))
        return desired > 0.0 ? desired : 1.0;
    const double least = std::max(span / std::max(capacity, 1),
                                  std::max(std::abs(min), std::abs(max)) * RelativeResolution);
    if (!(desired > 0.0))
        return NiceInterval(least);
    if (desired >= least)
        return desired;
    // A step so small that the count overflows has no multiple worth
    // keeping.
    const double ratio = least / desired;
    const double multiple = std::isfinite(ratio) ? desired * NiceInterval(ratio) : 0.0;
    return std::isfinite(multiple) && multiple > 0.0 ? multiple : NiceInterval(least);
}

std::vector<double> LabelValues(double interval, double min, double max) {
    std::vector<double> values;
    if (!(interval > 0.0) || !std::isfinite(min) || !std::isfinite(max) || !(max >= min))
        return values;
    // A label at an end of the axis survives the rounding of k * interval.
    const double first = std::ceil(min / interval - 1e-9);
    const double last = std::floor(max / interval + 1e-9);
    for (double k = first; k <= last && values.size() < MaxLabels; k += 1.0)
        values.push_back(k == 0.0 ? 0.0 : k * interval);
    return values;
}

std::string LabelText(double value) {
    return FormatGeneral(value, LabelDigits);
}

bool IsValidLabelStep(double step) {
    return std::isfinite(step) && step >= 0.0;
}

} // namespace orvanta
