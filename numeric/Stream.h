#pragma once

#include <cstddef>
#include <cstdint>

namespace orvanta {

// A seekable byte stream (a file or a memory buffer). Numbers are
// little-endian. Short reads and failed writes raise EReadError / EWriteError.
class TStream {
public:
    virtual ~TStream() = default;

    // Reads up to count bytes; returns how many were read (0 at the end).
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // Writes all count bytes or raises EWriteError.
    virtual void Write(const void* buffer, std::size_t count) = 0;
    virtual std::int64_t Position() const = 0;
    virtual void SetPosition(std::int64_t position) = 0;
    virtual std::int64_t Size() const = 0;

    std::int64_t Remaining() const { return Size() - Position(); }
    bool AtEnd() const { return Position() >= Size(); }

    // Reads exactly count bytes or raises EReadError.
    void ReadBuffer(void* buffer, std::size_t count);
    std::uint8_t ReadByte();
    std::int32_t ReadInt32();
    double ReadDouble();
    void WriteByte(std::uint8_t value) { Write(&value, 1); }
    void WriteInt32(std::int32_t value);
    void WriteDouble(double value);
};

} // namespace orvanta
