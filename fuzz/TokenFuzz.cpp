// The token readers over a stream and over a zero-terminated text.

#include "FuzzSupport.h"
#include "numeric/MemoryStream.h"
#include "numeric/StreamText.h"

#include <string>

using namespace orvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::TQuietHost host;
    SetMessageHost(&host);
    TMemoryStream stream(fuzz::Bytes(data, size));
    // Every call consumes at least one byte or ends at the end of the stream.
    for (std::size_t i = 0; i <= size && !stream.AtEnd(); ++i)
        ReadToken(stream);
    const std::string text(fuzz::Bytes(data, size));
    const char* position = text.c_str();
    for (std::size_t i = 0; i <= size && *position != '\0'; ++i)
        ReadTokenFromText(position);
    stream.SetPosition(0);
    try {
        ReadLString(stream);
    } catch (...) {
    }
    return 0;
}
