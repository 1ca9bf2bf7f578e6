#pragma once

#include <string>
#include <vector>

namespace orvanta {

// The span an axis shows.
struct TAxisRange {
    double Min = 0.0;
    double Max = 1.0;
    bool operator==(const TAxisRange&) const = default;
};

// The axis over the data: the smallest and the largest finite value. Values
// that are not finite (a fitted response may overflow) are left out; an
// axis with no finite value shows 0 .. 1, and one with a single value v
// shows v - 1 .. v + 1 so that it keeps a length.
TAxisRange DataRange(const std::vector<double>& values);

// The range widened on both sides by the fraction of its span, so that a
// point marker at an end of the data is drawn whole inside the plot. A
// range whose widened ends would overflow stays as it is.
TAxisRange WithMargin(const TAxisRange& range, double fraction);

// How many label intervals fit along an axis of the given length in pixels
// when each label needs pixelsPerLabel; at least 1. Before the axis has been
// laid out (no length) fallback is used.
int LabelCapacity(double axisPixels, double pixelsPerLabel, int fallback);

// The interval between the labels of an axis over min .. max. The person's
// desired step is a wish, as the step of a chart axis always was: it holds
// while at most `capacity` intervals of it fit the span; otherwise the
// smallest multiple of it by 1, 2 or 5 times a power of ten that fits is taken, so a tiny step can
// neither crowd the labels nor leave the axis counting without end. A desired step of 0 leaves the
// choice to the axis: the smallest of 1, 2 or 5 times a power of ten that fits. Labels never come
// closer than the values can show (a ten-billionth of their size).
double LabelInterval(double desired, double min, double max, int capacity);

// The labelled values: every multiple of the interval within min .. max,
// each computed as k * interval, so that zero is exactly zero and the
// labels do not drift the way repeated addition does.
std::vector<double> LabelValues(double interval, double min, double max);
// A label's text: twelve significant digits with the decimal separator of
// every number the person reads.
std::string LabelText(double value);

// A step the person may ask for: a finite number, 0 (automatic) or more.
bool IsValidLabelStep(double step);

} // namespace orvanta
