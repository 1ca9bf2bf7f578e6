#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvanta {

class TStream;

// Text primitives over byte streams. Texts are UTF-8 in the program and
// Windows-1251 in the stream.

// Writes the text's bytes (no terminator).
void WriteText(TStream& stream, std::string_view text);

// A signed 32-bit length N and N bytes. The reader accepts 0 < N < 65534 and
// otherwise returns an empty text having consumed only the length, so the
// writer never writes more than MaxLStringBytes: a longer text is cut there
// rather than stored in a form that reads back as nothing (and misplaces
// everything after it).
constexpr std::size_t MaxLStringBytes = 0xFFFD;
void WriteLString(TStream& stream, std::string_view text);
std::string ReadLString(TStream& stream);

// The next whitespace-separated or double-quoted token. A "//" comment line
// yields one empty token; a token is complete only when at least one byte
// follows it. A read past the end shows "Ошибка чтения из потока." and
// returns what was collected.
std::string ReadToken(TStream& stream);

// The same rules over a zero-terminated text, without comments; `pos` moves
// past the token (never past the terminating zero).
std::string ReadTokenFromText(const char*& pos);

// The separator line between report sections; an empty line writes nothing.
void SetSeparatorLine(std::string_view line);
const std::string& GetSeparatorLine();
void WriteSeparatorLine(TStream& stream);

// The default separator line.
extern const char* const DefaultSeparatorLine;

} // namespace orvanta
