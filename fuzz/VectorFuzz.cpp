// The vector readers, text and binary, on any bytes.

#include "FuzzSupport.h"
#include "numeric/Errors.h"
#include "numeric/MemoryStream.h"
#include "numeric/NamedVector.h"

using namespace orvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::TQuietHost host;
    SetMessageHost(&host);
    TMemoryStream stream(fuzz::Bytes(data, size));
    TNamedVector vector;
    try {
        if (!vector.ReadTextForm(stream)) {
            stream.SetPosition(0);
            vector.ReadBinary(stream);
        }
    } catch (const EStreamError&) {
        // A short record is the caller's read error.
    }
    return 0;
}
