// The exact quantiles and p-values against R's qt, qf and pt, pf
// (tests/data/statistics/quantiles.ref).

#include "distributions/Distributions.h"

#include "ReferenceFile.h"

#include <gtest/gtest.h>

using namespace orvanta;
using namespace orvanta::test;

TEST(DistributionsTest, AgreeWithR) {
    const auto lines = ReadReference(std::string(ORVAN_TEST_DATA) + "/statistics/quantiles.ref");
    ASSERT_GT(lines.size(), 100u);
    for (const TWordsLine& w : lines) {
        SCOPED_TRACE(w[0] + " " + w[1] + " " + w[2]);
        const double a = Figure(w[1]), b = Figure(w[2]);
        if (w[0] == "student")
            EXPECT_TRUE(Agrees(dist::StudentQuantile(1.0 - a / 2.0, b), Figure(w[3])));
        else if (w[0] == "fisher")
            EXPECT_TRUE(Agrees(dist::FisherQuantile(1.0 - a, b, Figure(w[3])), Figure(w[4])));
        else if (w[0] == "cochran")
            EXPECT_TRUE(Agrees(dist::CochranCritical(a, static_cast<std::int32_t>(b),
                                                     static_cast<std::int32_t>(Figure(w[3]))),
                               Figure(w[4])));
        else if (w[0] == "tp")
            EXPECT_TRUE(Agrees(dist::StudentTwoSidedP(a, b), Figure(w[3]), true));
        else if (w[0] == "fp")
            EXPECT_TRUE(Agrees(dist::FisherUpperP(a, b, Figure(w[3])), Figure(w[4]), true));
        else
            ADD_FAILURE() << "unknown line";
    }
    // Outside the domains there is no value, not an exception.
    EXPECT_TRUE(std::isnan(dist::StudentQuantile(0.975, 0.0)));
    EXPECT_TRUE(std::isnan(dist::FisherQuantile(1.5, 1.0, 2.0)));
    EXPECT_TRUE(std::isnan(dist::NormalQuantile(1.0)));
    EXPECT_TRUE(std::isnan(dist::CochranCritical(0.05, 1, 2)));
}
