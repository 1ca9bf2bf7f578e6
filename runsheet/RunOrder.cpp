#include "runsheet/RunOrder.h"

#include <chrono>
#include <utility>

namespace orvanta {

std::vector<TSheetRun> StandardRunOrder(std::int32_t runs, std::int32_t repeats) {
    std::vector<TSheetRun> order;
    for (std::int32_t run = 1; run <= runs; ++run)
        for (std::int32_t repeat = 1; repeat <= repeats; ++repeat)
            order.push_back({run, repeat});
    return order;
}

std::uint32_t BoundedDraw(std::mt19937& random, std::uint32_t bound) {
    // 2^32 mod bound, computed without leaving 32 bits.
    const std::uint32_t excess = (0u - bound) % bound;
    for (;;) {
        const std::uint32_t x = static_cast<std::uint32_t>(random());
        if (x >= excess)
            return x % bound;
    }
}

std::vector<TSheetRun> RandomRunOrder(std::int32_t runs, std::int32_t repeats, std::uint32_t seed) {
    std::vector<TSheetRun> order = StandardRunOrder(runs, repeats);
    std::mt19937 random(seed);
    // Fisher and Yates, from the last place down.
    for (std::size_t i = order.size(); i > 1; --i) {
        const std::size_t j = BoundedDraw(random, static_cast<std::uint32_t>(i));
        std::swap(order[i - 1], order[j]);
    }
    return order;
}

std::uint32_t ClockSeed() {
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks) % 999999u) + 1u;
}

} // namespace orvanta
