#pragma once

#include <cstdint>

namespace orvanta {

// Runs a tool operation for the host: its result, or 0 when it throws, since
// no C++ exception may cross into the program that loaded the plug-in.
template <class TBody> std::int32_t NoThrow(TBody body) noexcept {
    try {
        return body();
    } catch (...) {
        return 0;
    }
}

} // namespace orvanta
