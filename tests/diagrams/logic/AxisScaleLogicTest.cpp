// How far apart the axis labels of the diagram stand and what span the axes
// show. The expected intervals are worked out by hand.
#include "diagrams/AxisScaleLogic.h"

#include "numeric/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>

#include <limits>
#include <string>
#include <vector>

namespace orvanta {
namespace {

TEST(AxisScale, DataRangeSpansTheFiniteValues) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct TCase {
        std::vector<double> Values;
        TAxisRange Range;
    };
    const TCase cases[] = {
        {{-1.0, 0.5, 1.0}, {-1.0, 1.0}},
        {{12.0, 8.0, 10.0}, {8.0, 12.0}},
        {{nan, 3.0, inf, -inf, 5.0}, {3.0, 5.0}},
        {{4.0, 4.0}, {3.0, 5.0}},
        {{}, {0.0, 1.0}},
        {{nan, inf}, {0.0, 1.0}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(DataRange(c.Values), c.Range) << c.Values.size();
}

TEST(AxisScale, MarginWidensBothEnds) {
    const double max = std::numeric_limits<double>::max();
    struct TCase {
        TAxisRange Range;
        double Fraction;
        TAxisRange Widened;
    };
    const TCase cases[] = {
        {{-1.0, 1.0}, 0.05, {-1.1, 1.1}},
        {{8.0, 12.0}, 0.05, {7.8, 12.2}},
        {{3.0, 5.0}, 0.0, {3.0, 5.0}},
        {{-max, max}, 0.05, {-max, max}}, // no room beyond the largest numbers
    };
    for (const TCase& c : cases) {
        const TAxisRange widened = WithMargin(c.Range, c.Fraction);
        EXPECT_DOUBLE_EQ(widened.Min, c.Widened.Min) << c.Range.Min << " .. " << c.Range.Max;
        EXPECT_DOUBLE_EQ(widened.Max, c.Widened.Max) << c.Range.Min << " .. " << c.Range.Max;
    }
}

TEST(AxisScale, DesiredStepHoldsWhileItsLabelsFit) {
    struct TCase {
        double Desired, Min, Max;
        int Capacity;
        double Interval;
    };
    const TCase cases[] = {
        {0.1, -1.0, 1.0, 20, 0.1},    // 20 intervals fit exactly
        {0.1, -1.0, 1.0, 10, 0.2},    // every second label
        {0.1, -1.0, 1.0, 7, 0.5},     // 2.9 steps needed: the next round multiple, 5
        {0.5, 8.0, 12.0, 50, 0.5},    // natural units
        {1e-300, -1.0, 1.0, 10, 0.2}, // a step too small to count
        {5e-324, -1.0, 1.0, 10, 0.2}, // its count overflows: the axis chooses
        {3.0, -1.0, 1.0, 10, 3.0},    // larger than the span: kept
        {0.0, -1.0, 1.0, 10, 0.2},    // automatic: 2 x 0.1
        {0.0, 0.0, 7.0, 10, 1.0},     // automatic: 0.7 rounds up to 1
        {0.0, 0.0, 0.03, 5, 0.01},    // automatic: 0.006 rounds up to 0.01
        {0.0, 100.0, 400.0, 10, 50.0},
    };
    for (const TCase& c : cases)
        EXPECT_NEAR(LabelInterval(c.Desired, c.Min, c.Max, c.Capacity), c.Interval,
                    1e-12 * c.Interval)
            << c.Desired << " over " << c.Min << " .. " << c.Max << " in " << c.Capacity;
}

TEST(AxisScale, CapacityFollowsTheAxisLength) {
    EXPECT_EQ(LabelCapacity(440.0, 40.0, 50), 11);
    EXPECT_EQ(LabelCapacity(10.0, 40.0, 50), 1);
    EXPECT_EQ(LabelCapacity(0.0, 40.0, 50), 50); // not laid out yet
}

// Far from zero, labels closer than the values can show would print alike.
TEST(AxisScale, LabelsStayApartFarFromZero) {
    const double interval = LabelInterval(0.0, 1e6, 1e6 + 1e-6, 10);
    EXPECT_GE(interval, 1e-4 * (1 - 1e-12));
    EXPECT_LE(interval, 2e-4 * (1 + 1e-12));
}

TEST(AxisScale, LabelsSitOnMultiplesOfTheInterval) {
    struct TCase {
        double Interval, Min, Max;
        std::vector<std::string> Texts;
    };
    const TCase cases[] = {
        {0.2,
         -1.0,
         1.0,
         {"-1", "-0.8", "-0.6", "-0.4", "-0.2", "0", "0.2", "0.4", "0.6", "0.8", "1"}},
        {0.1, 0.3, 0.7, {"0.3", "0.4", "0.5", "0.6", "0.7"}}, // 0.3 / 0.1 is 2.9999999999999996
        {0.5, 8.2, 11.9, {"8.5", "9", "9.5", "10", "10.5", "11", "11.5"}},
        {0.1, 1e9 + 0.05, 1e9 + 0.25, {"1000000000.1", "1000000000.2"}},
        {2.0, 0.5, 1.5, {}},
        {0.0, -1.0, 1.0, {}},
    };
    for (const TCase& c : cases) {
        std::vector<std::string> texts;
        for (double value : LabelValues(c.Interval, c.Min, c.Max))
            texts.push_back(LabelText(value));
        EXPECT_EQ(texts, c.Texts) << c.Interval << " over " << c.Min << " .. " << c.Max;
    }
    // Zero is a plain zero, not the remainder of adding up the steps.
    const std::vector<double> values = LabelValues(0.1, -1.0, 1.0);
    ASSERT_EQ(values.size(), 21u);
    EXPECT_EQ(values[10], 0.0);
    EXPECT_FALSE(std::signbit(values[10]));
}

TEST(AxisScale, LabelsUseTheDecimalSeparator) {
    const char separator = GetDecimalSeparator();
    SetDecimalSeparator(',');
    EXPECT_EQ(LabelText(3 * 0.1), "0,3");
    EXPECT_EQ(LabelText(-12.5), "-12,5");
    SetDecimalSeparator(separator);
}

TEST(AxisScale, StepsThePersonMayAskFor) {
    EXPECT_TRUE(IsValidLabelStep(0.1));
    EXPECT_TRUE(IsValidLabelStep(0.0));
    EXPECT_TRUE(IsValidLabelStep(1e300));
    EXPECT_FALSE(IsValidLabelStep(-0.1));
    EXPECT_FALSE(IsValidLabelStep(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(IsValidLabelStep(std::numeric_limits<double>::quiet_NaN()));
}

} // namespace
} // namespace orvanta
