#pragma once

#include <string>
#include <string_view>

namespace orvanta::stdmodule {

// The module keeps its texts as UTF-8 in the source; the program expects
// Windows-1251 across the module interface. Only what the module's own texts
// need is converted: ASCII, the Russian alphabet with Ё and ё, the middle dot
// and the numero sign. Anything else becomes '?'.
std::string Utf8ToCp1251(std::string_view utf8);

} // namespace orvanta::stdmodule
