#include "distributions/Distributions.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/non_central_t.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>

#include <cmath>
#include <limits>

namespace orvanta::dist {

namespace {

// Domain and range errors come back as NaN or infinity instead of
// exceptions: the callers print "no value" for them.
using TPolicy = boost::math::policies::policy<
    boost::math::policies::domain_error<boost::math::policies::ignore_error>,
    boost::math::policies::overflow_error<boost::math::policies::ignore_error>,
    boost::math::policies::evaluation_error<boost::math::policies::ignore_error>>;
using TNormal = boost::math::normal_distribution<double, TPolicy>;
using TStudent = boost::math::students_t_distribution<double, TPolicy>;
using TNoncentralT = boost::math::non_central_t_distribution<double, TPolicy>;
using TFisher = boost::math::fisher_f_distribution<double, TPolicy>;
using TChiSquare = boost::math::chi_squared_distribution<double, TPolicy>;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

bool Degrees(double df) {
    return std::isfinite(df) && df > 0.0;
}

bool Probability(double p) {
    return p > 0.0 && p < 1.0;
}

} // namespace

double NormalQuantile(double probability) {
    if (!Probability(probability))
        return NaN;
    return boost::math::quantile(TNormal(), probability);
}

double StudentQuantile(double probability, double df) {
    if (!Degrees(df) || !Probability(probability))
        return NaN;
    return boost::math::quantile(TStudent(df), probability);
}

double FisherQuantile(double probability, double df1, double df2) {
    if (!Degrees(df1) || !Degrees(df2) || !Probability(probability))
        return NaN;
    return boost::math::quantile(TFisher(df1, df2), probability);
}

double ChiSquareQuantile(double probability, double df) {
    if (!Degrees(df) || !Probability(probability))
        return NaN;
    return boost::math::quantile(TChiSquare(df), probability);
}

double StudentTwoSidedP(double t, double df) {
    if (!Degrees(df) || std::isnan(t))
        return NaN;
    return 2.0 * boost::math::cdf(boost::math::complement(TStudent(df), std::fabs(t)));
}

double StudentPower(double alpha, double ncp, double df) {
    if (!Degrees(df) || !Probability(alpha) || !std::isfinite(ncp))
        return NaN;
    const double t = StudentQuantile(1.0 - alpha / 2.0, df);
    const TNoncentralT shifted(df, ncp);
    // Both tails: the far one matters for a small ncp.
    return boost::math::cdf(boost::math::complement(shifted, t)) + boost::math::cdf(shifted, -t);
}

double FisherUpperP(double f, double df1, double df2) {
    if (!Degrees(df1) || !Degrees(df2) || std::isnan(f))
        return NaN;
    if (f <= 0.0)
        return 1.0;
    return boost::math::cdf(boost::math::complement(TFisher(df1, df2), f));
}

double CochranCritical(double alpha, std::int32_t n, std::int32_t f) {
    if (n < 2 || f < 1 || !Probability(alpha))
        return NaN;
    const double fisher = FisherQuantile(1.0 - alpha / n, f, static_cast<double>(n - 1) * f);
    return 1.0 / (1.0 + (n - 1) / fisher);
}

} // namespace orvanta::dist
