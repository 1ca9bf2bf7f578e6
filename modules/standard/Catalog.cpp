#include "Catalog.h"

#include "TextCodec.h"

namespace orvanta::stdmodule {

const TCatalog& TCatalog::Instance() {
    // Deliberately never destroyed: the program may still hold the objects
    // while static destructors run.
    static const TCatalog* const catalog = new TCatalog();
    return *catalog;
}

TCatalog::TCatalog() {
    AddAddens();
    AddModels();
    AddGenerators();
}

const char* TCatalog::Keep(std::string_view utf8) {
    return Texts.emplace_back(Utf8ToCp1251(utf8)).c_str();
}

} // namespace orvanta::stdmodule
