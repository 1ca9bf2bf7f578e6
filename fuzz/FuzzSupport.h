#pragma once

#include "numeric/MessageHost.h"
#include "plan/SilentPlanHost.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orvanta::fuzz {

// Messages are part of a reader's answer but not of what is fuzzed: they go
// nowhere, and questions and inputs are declined.
class TQuietHost : public TMessageHost {
public:
    void ShowMessage(TMessageKind, const std::string&) override {}
    TAnswer AskYesNo(const std::string&) override { return TAnswer::No; }
    TAnswer AskYesNoCancel(const std::string&) override { return TAnswer::Cancel; }
    std::optional<std::string> InputString(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<double> InputReal(const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

// A plan's host that keeps its messages to itself.
class TQuietPlanHost : public TSilentPlanHost {
public:
    void ShowMessage(TMessageKind, const std::string&) override {}
};

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace orvanta::fuzz
