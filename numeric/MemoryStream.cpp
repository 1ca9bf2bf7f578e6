#include "numeric/MemoryStream.h"

#include "numeric/Errors.h"

#include <algorithm>
#include <cstring>

namespace orvanta {

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
    if (Pos >= Size())
        return 0;
    const auto n = std::min<std::size_t>(count, static_cast<std::size_t>(Size() - Pos));
    std::memcpy(buffer, Buffer.data() + Pos, n);
    Pos += static_cast<std::int64_t>(n);
    return n;
}

void TMemoryStream::Write(const void* buffer, std::size_t count) {
    const auto end = static_cast<std::size_t>(Pos) + count;
    if (end > Buffer.size())
        Buffer.resize(end);
    std::memcpy(Buffer.data() + Pos, buffer, count);
    Pos = static_cast<std::int64_t>(end);
}

void TMemoryStream::SetPosition(std::int64_t position) {
    if (position < 0)
        throw EReadError("Ошибка позиционирования в потоке.");
    Pos = position;
}

void TMemoryStream::Clear() {
    Buffer.clear();
    Pos = 0;
}

} // namespace orvanta
