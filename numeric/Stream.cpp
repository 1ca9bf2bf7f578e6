#include "numeric/Stream.h"

#include "numeric/Errors.h"

#include <bit>
#include <cstring>

namespace orvanta {

static_assert(std::endian::native == std::endian::little,
              "the stored formats are little-endian and are read by copying");

void TStream::ReadBuffer(void* buffer, std::size_t count) {
    auto* out = static_cast<unsigned char*>(buffer);
    while (count > 0) {
        const std::size_t got = Read(out, count);
        if (got == 0)
            throw EReadError("Ошибка чтения из потока.");
        out += got;
        count -= got;
    }
}

std::uint8_t TStream::ReadByte() {
    std::uint8_t value = 0;
    ReadBuffer(&value, 1);
    return value;
}

std::int32_t TStream::ReadInt32() {
    std::int32_t value = 0;
    ReadBuffer(&value, sizeof value);
    return value;
}

double TStream::ReadDouble() {
    double value = 0;
    ReadBuffer(&value, sizeof value);
    return value;
}

void TStream::WriteInt32(std::int32_t value) {
    Write(&value, sizeof value);
}

void TStream::WriteDouble(double value) {
    Write(&value, sizeof value);
}

} // namespace orvanta
