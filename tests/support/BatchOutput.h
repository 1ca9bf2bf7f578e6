#pragma once

// The standard output of the batch tool beside the tests' programs (its
// messages go to the standard error, which the tests do not read).

#include <cstdio>
#include <memory>
#include <string>

namespace orvanta::test {

// `arguments` as a shell would read them after the tool's name.
inline std::string BatchOutput(const std::string& arguments) {
    const std::string command = "'" + std::string(ORVAN_BIN_DIR) + "/orvan' " + arguments;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    std::string out;
    char buffer[4096];
    for (std::size_t got; pipe && (got = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        out.append(buffer, got);
    return out;
}

} // namespace orvanta::test
