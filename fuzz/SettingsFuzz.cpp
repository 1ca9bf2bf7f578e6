// The settings record on any bytes.

#include "FuzzSupport.h"
#include "numeric/MemoryStream.h"
#include "plan/Settings.h"
#include "services/SettingsFile.h"

using namespace orvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::TQuietHost host;
    SetMessageHost(&host);
    TMemoryStream stream(fuzz::Bytes(data, size));
    TSettings settings;
    ReadSettings(stream, settings);
    if (size >= 732) {
        TSettings direct;
        DecodeSettings(data, direct);
        EncodeSettings(direct);
    }
    return 0;
}
