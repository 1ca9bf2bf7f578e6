#pragma once

#include "plugins/common/LineFileWriter.h"

#include <string>
#include <vector>

namespace orvanta::test {

// Keeps what would have been written; Fails makes it refuse like a file
// that cannot be opened.
class TRecordingWriter : public TLineFileWriter {
public:
    bool Write(const std::string& path, const std::vector<std::string>& lines) override {
        ++Calls;
        Path = path;
        Lines = lines;
        return !Fails;
    }

    bool Fails = false;
    int Calls = 0;
    std::string Path;
    std::vector<std::string> Lines;
};

} // namespace orvanta::test
