#include "plan/CriticalValues.h"

#include "distributions/Distributions.h"
#include "plan/DistrDis.h"
#include "plan/Settings.h"

#include <cmath>

namespace orvanta {

namespace {

double Chosen(double exact, double table) {
    return Settings().ExactQuantiles && std::isfinite(exact) ? exact : table;
}

double Alpha() {
    return Settings().QuantileAlpha;
}

} // namespace

double StudentCritical(std::int32_t f) {
    const bool exact = Settings().ExactQuantiles;
    return Chosen(exact ? dist::StudentQuantile(1.0 - Alpha() / 2.0, f) : 0.0, StudentQuantile(f));
}

double FisherCritical(std::int32_t f2, std::int32_t f1) {
    const bool exact = Settings().ExactQuantiles;
    return Chosen(exact ? dist::FisherQuantile(1.0 - Alpha(), f1, f2) : 0.0,
                  FisherQuantile(f2, f1));
}

double CochranCritical(std::int32_t n, std::int32_t f) {
    const bool exact = Settings().ExactQuantiles;
    return Chosen(exact ? dist::CochranCritical(Alpha(), n, f) : 0.0, CochranQuantile(n, f));
}

} // namespace orvanta
