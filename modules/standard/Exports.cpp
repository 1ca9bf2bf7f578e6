// The four exports the program looks for. Nothing may escape them as an
// exception: a catalog that cannot be built simply offers nothing.

#include "Catalog.h"

#include <cstring>

using orvanta::stdmodule::TCatalog;

namespace {

// The program keeps this block without reading it: the module's version, 1.0,
// and a tag naming the module for anyone who looks at it in a debugger.
constexpr unsigned char VersionBlock[ORV_VERSION_INFO_SIZE] = {1, 0, 0, 0, 'O', 'S', 'T', 'D'};

// The program's callback takes the public object at the start of ours.
template <class TObject, class TCallback>
void Enumerate(const std::deque<TObject>& objects, TCallback callback) {
    using TPublic = decltype(TObject::Base);
    if (!callback)
        return;
    for (const TObject& object : objects)
        callback(const_cast<TPublic*>(&object.Base));
}

} // namespace

extern "C" {

ORV_EXPORT void GetModuleVersionInfo(void* block) {
    if (block)
        std::memcpy(block, VersionBlock, sizeof VersionBlock);
    // The program asks for this first: build the catalog now, once.
    try {
        TCatalog::Instance();
    } catch (...) {
    }
}

ORV_EXPORT void AddensEnumerate(OrvEnumAddenProc callback) {
    try {
        Enumerate(TCatalog::Instance().Addens(), callback);
    } catch (...) {
    }
}

ORV_EXPORT void ModelsEnumerate(OrvEnumModelProc callback) {
    try {
        Enumerate(TCatalog::Instance().Models(), callback);
    } catch (...) {
    }
}

ORV_EXPORT void GensEnumerate(OrvEnumGenProc callback) {
    try {
        Enumerate(TCatalog::Instance().Generators(), callback);
    } catch (...) {
    }
}

} // extern "C"
