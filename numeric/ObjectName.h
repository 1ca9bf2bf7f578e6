#pragma once

#include <cstdint>
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
// stay consumed) and the name. A negative length fails; a length above 254 is
// read whole and cut to 254; one longer than the rest of the stream is the
// stream's read error (RequireRecordBytes).
bool ReadObjectHeader(TStream& stream, const char* tag, std::string& name);

// A record whose contents run past the end of its stream was cut short: that
// is the stream's read error (EReadError), raised before anything is
// allocated for contents that are not there.
void RequireRecordBytes(const TStream& stream, std::int64_t bytes);

} // namespace orvanta
