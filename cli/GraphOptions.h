#pragma once

#include "Arguments.h"

#include "plan/RaruRuro.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvanta::cli {

// Factor numbers count from 1 on the command line, from 0 in the plan;
// false after the message when the number is not one of the plan's.
bool FactorOfPlan(const TRaruRuro& plan, std::int32_t number);
// At least two points along an axis; false after the message.
bool EnoughPoints(std::int32_t points);
// Two numbers of a pair option such as --from A1,A2; a usage error otherwise.
std::vector<double> Pair(const TArguments& arguments, const char* option);
// The valued options of the graph commands beside the command's own.
std::vector<std::string> GraphValued(std::vector<std::string> own);

// The values of all k factors (the fixed ones count): --at, or the centre.
// In natural units every number of the command line is natural.
class TGraphPoint {
public:
    // Natural units when the command line says --natural.
    TGraphPoint(const TRaruRuro& plan, const TArguments& arguments);
    TGraphPoint(const TRaruRuro& plan, const TArguments& arguments, bool natural);

    bool Fits() const;
    // The point in coded units.
    std::vector<double> Coded() const { return ToCoded(Values); }
    // Factor f's value v in coded units.
    double Coded(std::int32_t f, double v) const;

private:
    std::vector<double> ToCoded(const std::vector<double>& point) const;

    const TRaruRuro& Plan;
    bool Natural;
    std::vector<double> Values;
};

} // namespace orvanta::cli
