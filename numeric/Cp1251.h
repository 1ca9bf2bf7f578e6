#pragma once

#include <string>
#include <string_view>

namespace orvanta {

// The program keeps text in UTF-8; every file format and the module and
// plug-in interfaces carry Windows-1251. These two functions are the only
// crossing between the two.

// Every one of the 256 codes has a character (0x98, unassigned in the code
// page, maps to U+0098 so that any byte string survives a round trip).
std::string Cp1251ToUtf8(std::string_view bytes);

// Characters without a Windows-1251 code, and malformed UTF-8 sequences,
// become '?'.
std::string Utf8ToCp1251(std::string_view text);

// Number of characters (code points) in a UTF-8 text; a malformed byte counts
// as one character.
std::size_t Utf8Length(std::string_view text);

// The first `count` characters of a UTF-8 text.
std::string Utf8Prefix(std::string_view text, std::size_t count);

} // namespace orvanta
