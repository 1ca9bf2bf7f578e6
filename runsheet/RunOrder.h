#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace orvanta {

// One line of a run sheet: a run of the plan and one of its repeats, both
// numbered from 1.
struct TSheetRun {
    std::int32_t Run = 0;
    std::int32_t Repeat = 0;
    bool operator==(const TSheetRun&) const = default;
};

// Every run x repeat in standard order: the runs in the plan's order, each
// with its parallel repeats one after another.
std::vector<TSheetRun> StandardRunOrder(std::int32_t runs, std::int32_t repeats);

// The standard order shuffled from `seed`. The same seed gives the same
// order with every compiler and library: the standard's mt19937 sequence is
// fixed, while std::shuffle and the distributions are not.
std::vector<TSheetRun> RandomRunOrder(std::int32_t runs, std::int32_t repeats, std::uint32_t seed);

// A number in [0, bound) from the generator, every one equally likely
// (bound > 0): draws in the last incomplete block of 2^32 are thrown away.
std::uint32_t BoundedDraw(std::mt19937& random, std::uint32_t bound);

// A new seed from the clock, 1 .. 999999: short enough to copy by hand from
// a printed sheet.
std::uint32_t ClockSeed();

} // namespace orvanta
