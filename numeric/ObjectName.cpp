#include "numeric/ObjectName.h"

#include "numeric/Cp1251.h"
#include "numeric/Errors.h"
#include "numeric/NamedVector.h"
#include "numeric/Stream.h"

#include <cstdint>

namespace orvanta {

std::string LimitObjectName(std::string_view name) {
    return Utf8Prefix(name, MaxObjectName);
}

void WriteObjectHeader(TStream& stream, const char* tag, const std::string& name) {
    std::string bytes = Utf8ToCp1251(name);
    if (bytes.size() > MaxStoredName)
        bytes.resize(MaxStoredName);
    stream.Write(tag, 4);
    stream.WriteInt32(static_cast<std::int32_t>(bytes.size()));
    stream.Write(bytes.data(), bytes.size());
}

bool ReadObjectHeader(TStream& stream, const char* tag, std::string& name) {
    for (int i = 0; i < 4; ++i)
        if (stream.ReadByte() != static_cast<std::uint8_t>(tag[i]))
            return false;
    const std::int32_t length = stream.ReadInt32();
    if (length < 0)
        return false;
    RequireRecordBytes(stream, length);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    stream.ReadBuffer(bytes.data(), bytes.size());
    if (bytes.size() > MaxStoredName)
        bytes.resize(MaxStoredName);
    name = Cp1251ToUtf8(bytes);
    return true;
}

void RequireRecordBytes(const TStream& stream, std::int64_t bytes) {
    if (bytes > stream.Remaining())
        throw EReadError("Ошибка чтения из потока.");
}

} // namespace orvanta
