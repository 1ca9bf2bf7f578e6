#pragma once

#include <string>
#include <vector>

namespace orvanta::test {

// What a finished program left behind.
struct TProcessResult {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

// Runs a program with arguments (no shell) and collects its exit code and
// both output streams; `input` goes to its standard input.
TProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& input = {});

} // namespace orvanta::test
