#pragma once

#include "plugins/common/LineFileWriter.h"

namespace orvanta {

// Writes the lines into a temporary file beside the target and renames it
// over the target only when every byte reached the disk, so that a full disk
// or a vanished folder never leaves a half-written file in place of the old
// one.
class TSafeLineFileWriter : public TLineFileWriter {
public:
    bool Write(const std::string& path, const std::vector<std::string>& lines) override;
};

} // namespace orvanta
