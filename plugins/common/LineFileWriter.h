#pragma once

#include <string>
#include <vector>

namespace orvanta {

// Where a plug-in's text file goes. Each line is written followed by CR LF.
// Write answers false when the file cannot be written; the dialog then
// reports that it could not be opened.
class TLineFileWriter {
public:
    virtual ~TLineFileWriter() = default;
    virtual bool Write(const std::string& path, const std::vector<std::string>& lines) = 0;
};

} // namespace orvanta
