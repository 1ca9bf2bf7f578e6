#include "shell/StatusClock.h"

#include <chrono>

namespace orvanta {

std::int64_t MonotonicTicks() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace orvanta
