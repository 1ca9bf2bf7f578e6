#pragma once

#include <cstdint>
#include <functional>

namespace orvanta {

// A monotonic millisecond clock (the system's uptime counter).
using TTickSource = std::function<std::int64_t()>;
std::int64_t MonotonicTicks();

// When the status line is cleared: more than 10 s after the last refresh of
// the commands. The moment is not reset by clearing, so the clock clears the
// (empty) text again every tick until the next refresh.
class TStatusClock {
public:
    static constexpr std::int64_t ClearAfterMs = 10000;
    static constexpr int FirstIntervalMs = 10;
    static constexpr int IntervalMs = 1000;

    void Refreshed(std::int64_t now) { LastRefresh = now; }
    std::int64_t LastRefreshTick() const { return LastRefresh; }
    bool ShouldClear(std::int64_t now) const {
        return LastRefresh != -1 && now - LastRefresh > ClearAfterMs;
    }

private:
    std::int64_t LastRefresh = -1;
};

} // namespace orvanta
