#pragma once

#include <string>
#include <string_view>

namespace orvanta {

class TStream;

// The name of a vector or matrix: at most 256 characters.
std::string LimitObjectName(std::string_view name);

// The start of a binary record: the four tag bytes, the name length and at
// most 254 name bytes.
void WriteObjectHeader(TStream& stream, const char* tag, const std::string& name);

// Reads the tag byte by byte (false at the first mismatch, the bytes read
// stay consumed) and the name. A negative length, or one longer than the rest
// of the stream, fails; a length above 254 is read whole and cut to 254.
bool ReadObjectHeader(TStream& stream, const char* tag, std::string& name);

} // namespace orvanta
