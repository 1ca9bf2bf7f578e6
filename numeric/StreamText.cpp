#include "numeric/StreamText.h"

#include "numeric/Cp1251.h"
#include "numeric/Errors.h"
#include "numeric/Messages.h"
#include "numeric/Stream.h"

#include <cstdint>

namespace orvanta {

const char* const DefaultSeparatorLine =
    "// =================  * * * ======================= * * * ================";

namespace {

std::string& SeparatorLine() {
    static std::string line = DefaultSeparatorLine;
    return line;
}

bool IsSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

constexpr std::int32_t MaxLStringLength = MaxLStringBytes + 1;

} // namespace

void WriteText(TStream& stream, std::string_view text) {
    const std::string bytes = Utf8ToCp1251(text);
    stream.Write(bytes.data(), bytes.size());
}

void WriteLString(TStream& stream, std::string_view text) {
    std::string bytes = Utf8ToCp1251(text);
    if (bytes.size() > MaxLStringBytes)
        bytes.resize(MaxLStringBytes);
    stream.WriteInt32(static_cast<std::int32_t>(bytes.size()));
    stream.Write(bytes.data(), bytes.size());
}

std::string ReadLString(TStream& stream) {
    const std::int32_t length = stream.ReadInt32();
    if (length <= 0 || length >= MaxLStringLength)
        return {};
    // A text longer than the rest of the stream is a short read; nothing is
    // reserved for it.
    if (length > stream.Remaining())
        throw EReadError("Ошибка чтения из потока.");
    std::string bytes(static_cast<std::size_t>(length), '\0');
    stream.ReadBuffer(bytes.data(), bytes.size());
    return Cp1251ToUtf8(bytes);
}

std::string ReadToken(TStream& stream) {
    std::string token;
    // The byte that brings the stream to its end never joins the token; at
    // the end the loops stop with it still in `c`.
    try {
        unsigned char c = stream.ReadByte();
        while (!stream.AtEnd() && IsSpace(c))
            c = stream.ReadByte();
        if (c == '/') {
            const unsigned char d = stream.ReadByte();
            if (d == '/') {
                while (!stream.AtEnd()) {
                    const unsigned char e = stream.ReadByte();
                    if (e == '\r' || e == '\n')
                        break;
                }
                return {};
            }
            stream.SetPosition(stream.Position() - 1);
        }
        if (c == '"') {
            c = stream.ReadByte();
            while (!stream.AtEnd() && c != '"') {
                token.push_back(static_cast<char>(c));
                c = stream.ReadByte();
            }
        } else {
            while (!stream.AtEnd() && !IsSpace(c)) {
                token.push_back(static_cast<char>(c));
                c = stream.ReadByte();
            }
        }
    } catch (const EReadError&) {
        ShowError("Ошибка чтения из потока.");
    }
    return Cp1251ToUtf8(token);
}

std::string ReadTokenFromText(const char*& pos) {
    std::string token;
    const char* p = pos;
    while (*p != '\0' && IsSpace(static_cast<unsigned char>(*p)))
        ++p;
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"')
            token.push_back(*p++);
        if (*p == '"')
            ++p;
    } else {
        while (*p != '\0' && !IsSpace(static_cast<unsigned char>(*p)))
            token.push_back(*p++);
        if (*p != '\0')
            ++p;
    }
    pos = p;
    return token;
}

void SetSeparatorLine(std::string_view line) {
    SeparatorLine() = std::string(line);
}

const std::string& GetSeparatorLine() {
    return SeparatorLine();
}

void WriteSeparatorLine(TStream& stream) {
    const std::string& line = SeparatorLine();
    if (line.empty())
        return;
    WriteText(stream, line);
    stream.WriteByte('\n');
}

} // namespace orvanta
