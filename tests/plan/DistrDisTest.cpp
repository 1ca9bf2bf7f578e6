#include "plan/DistrDis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

using namespace orvanta;

namespace {

constexpr double Largest = std::numeric_limits<double>::max();
constexpr std::int32_t MaxInt = std::numeric_limits<std::int32_t>::max();

struct TCase {
    std::int32_t First;
    std::int32_t Second;
    double Expected;
};

// The expected values are worked out by hand from the printed tables (table
// units in the comments), then scaled, to 15 significant digits. The
// tolerance leaves room for the rounding of the scaling and for the
// cancellation near the zero row of Cochran's table, nothing more.
template <typename Quantile, std::size_t N>
void ExpectQuantiles(Quantile quantile, const TCase (&cases)[N]) {
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.First) + ", " + std::to_string(c.Second));
        const double actual = quantile(c.First, c.Second);
        if (c.Expected == Largest)
            EXPECT_EQ(actual, Largest);
        else
            EXPECT_NEAR(actual, c.Expected, 1e-12 * std::max(1.0, std::abs(c.Expected)));
    }
}

} // namespace

TEST(StudentQuantile, InterpolatesLinearlyBetweenTablePairs) {
    const TCase cases[] = {
        {1, 0, 12.71},
        {2, 0, 4.30},
        {20, 0, 2.09},  // 19 and 20 share 209
        {31, 0, 2.038}, // 2.04 + (2.02 - 2.04) / 10 * 1
        {35, 0, 2.03},  // 2.04 + (2.02 - 2.04) / 10 * 5
        {50, 0, 2.01},  // 2.02 + (2.00 - 2.02) / 20 * 10
        {90, 0, 1.99},  // 2.00 + (1.98 - 2.00) / 60 * 30
        {120, 0, 1.98},
        {1000, 0, 1.97821862348178}, // 1.98 - 0.02 * 880 / 9880 = 1.98 - 0.00178137651822
        {9999, 0, 1.9600020242915},  // 1.98 - 0.02 * 9879 / 9880 = 1.98 - 0.0199979757085
        {10000, 0, 1.96},
        {MaxInt, 0, 1.96},
        {0, 0, Largest}, // no degrees of freedom: no finite bound
        {-7, 0, Largest},
    };
    ExpectQuantiles([](std::int32_t f, std::int32_t) { return StudentQuantile(f); }, cases);
}

TEST(PearsonQuantile, ReadsTheRowOfTheSideWithoutInterpolation) {
    const TCase cases[] = {
        // side, f
        {0, 1, 3.8},                    // 38000
        {1, 1, 0.0039},                 // 39
        {1, 2, 0.103},                  // 1030
        {0, 10, 18.3},                  // 183000
        {1, 10, 3.94},                  // 39400
        {0, 30, 43.8},                  // 438000
        {1, 30, 18.5},                  // 185000
        {0, 45, 43.8},                  // read at f = 30
        {1, MaxInt, 18.5}, {2, 1, 3.8}, // an unknown side reads the upper point
        {-1, 10, 18.3},    {0, 0, 0.0}, {1, -5, 0.0},
    };
    ExpectQuantiles([](std::int32_t side, std::int32_t f) { return PearsonQuantile(side, f); },
                    cases);
}

TEST(CochranQuantile, InterpolatesBilinearlyInTheRawArguments) {
    const TCase cases[] = {
        // n (variances), f (degrees of freedom of each)
        {2, 1, 0.9985},
        {24, 144, 0.0567},
        {120, 144, 0.012},
        {11, 1, 0.5715}, // rows 10 and 12 at f = 1: (6020 + 5410) / 2
        // f between 10 and 16: u = 2/6; row 10: 2353 + (2032 - 2353) / 3 = 2246;
        // row 12: 2020 + (1737 - 2020) / 3 = 1925.6667; n halfway: 2085.8333
        {11, 12, 0.208583333333333},
        // u = (20 - 16) / 20 = 0.2; row 12: 1737 - 0.2 * 334 = 1670.2;
        // row 15: 1429 - 0.2 * 285 = 1372; n a third of the way: 1670.2 - 298.2 / 3 = 1570.8
        {13, 20, 0.15708},
        {100, 7, 0.0402333333333333}, // rows 60 and 120: 583 + (312 - 583) * 40 / 60 = 402.3333
        {5, 90, 0.27895},             // f halfway from 36 to 144: 3066 + (2513 - 3066) / 2
        // f read at 9999: u = 9855/9856; row 2: 5813 - 813 * 9855/9856 = 5000 + 813/9856
        {2, 10000, 0.500008248782468},
        {2, 50000, 0.500008248782468},
        // n read at 9999, towards the zero row: v = 9879/9880; 371 - 371 v = 371/9880
        {10000, 5, 3.75506072874494e-06},
        // both at 9999: row 120 gives 120 - 37 * 9855/9856 = 83 + 37/9856 = 83.0037541,
        // then 83.0037541 / 9880 = 0.00840119
        {10000, 10000, 8.4011896820285e-07},
        // outside the table the variances count as homogeneous
        {3, 0, 1.0},
        {1, 5, 1.0},
        {-4, -3, 1.0},
    };
    ExpectQuantiles([](std::int32_t n, std::int32_t f) { return CochranQuantile(n, f); }, cases);
}

TEST(FisherQuantile, InterpolatesBilinearlyInTheRawArguments) {
    const TCase cases[] = {
        // f2 (denominator), f1 (numerator)
        {1, 1, 164.4}, // 1644, as printed
        {1, 24, 249.0},
        {120, 24, 1.6},
        {3, 9, 8.8},   // f1 halfway from 6 to 12 in row 3: 89 + (87 - 89) / 2 = 88
        {50, 3, 2.85}, // rows 40 and 60: 29 + (28 - 29) * 10 / 20 = 28.5
        // f1 between 6 and 12: u = 2/6; row 20: 26 + (23 - 26) / 3 = 25;
        // row 22: 26 + (22 - 26) / 3 = 24.6667; f2 halfway: 24.8333
        {21, 8, 2.48333333333333},
        // u = 6/12; row 60: 19 - 1 = 18; row 120: 18 - 1 = 17; f2 halfway: 17.5
        {90, 18, 1.75},
        // f1 read at 9999: u = 9975/9976; row 1: 2490 + 53 u = 2543 - 53/9976
        {1, 10000, 254.29946872494},
        {2, 10000, 19.5}, // 195 at both 24 and 10000
        // f2 read at 9999: v = 9879/9880; 39 - v = 38 + 1/9880
        {10000, 1, 3.80001012145749},
        {99999, 1, 3.80001012145749},
        // both at 9999: row 120: 16 - 3u, row 10000: 15 - 5u; 16 - 3u + (-1 - 2u) v
        // = 10 + 5/9976 + 3/9880 - 2/(9976 * 9880) = 10.0008048, 1.00008 to five places
        {10000, 10000, 1.000080482632},
        {0, 5, Largest},
        {5, 0, Largest},
        {-3, -2, Largest},
    };
    ExpectQuantiles([](std::int32_t f2, std::int32_t f1) { return FisherQuantile(f2, f1); }, cases);
}
