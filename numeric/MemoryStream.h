#pragma once

#include "numeric/Stream.h"

#include <string>
#include <string_view>

namespace orvanta {

// A stream over a growable buffer in memory.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    // Starts with a copy of the bytes, positioned at 0.
    explicit TMemoryStream(std::string_view bytes) : Buffer(bytes) {}

    std::size_t Read(void* buffer, std::size_t count) override;
    void Write(const void* buffer, std::size_t count) override;
    std::int64_t Position() const override { return Pos; }
    void SetPosition(std::int64_t position) override;
    std::int64_t Size() const override { return static_cast<std::int64_t>(Buffer.size()); }

    const std::string& Bytes() const { return Buffer; }
    void Clear();

private:
    std::string Buffer;
    std::int64_t Pos = 0;
};

} // namespace orvanta
