#pragma once

#include "numeric/Stream.h"

#include <algorithm>
#include <memory>
#include <string>

namespace orvanta {

// A buffered write stream that never harms the file it replaces: the bytes go
// to a temporary file in the same folder, and only Commit() flushes them to
// the disk and renames the temporary over the target. A stream destroyed
// without Commit() (an error in between) removes its temporary and leaves the
// old file as it was. Raises EFCreateError when the temporary cannot be made.
class TSafeFileStream : public TStream {
public:
    explicit TSafeFileStream(const std::string& path);
    ~TSafeFileStream() override;
    TSafeFileStream(const TSafeFileStream&) = delete;
    TSafeFileStream& operator=(const TSafeFileStream&) = delete;

    // Raises EReadError: the stream is write-only.
    std::size_t Read(void* buffer, std::size_t count) override;
    void Write(const void* buffer, std::size_t count) override;
    std::int64_t Position() const override { return Pos; }
    void SetPosition(std::int64_t position) override;
    std::int64_t Size() const override { return std::max(FileSize, Pos); }
    const std::string& Path() const { return TargetPath; }

    // Makes the written bytes the file's contents; raises EWriteError (and
    // keeps the old file) when that fails.
    void Commit();

private:
    void Flush();
    void Discard() noexcept;

    std::string TargetPath;
    std::string TempPath;
    int Fd = -1;
    std::unique_ptr<unsigned char[]> Buffer;
    std::size_t BufferLen = 0;
    std::int64_t BufferStart = 0; // file offset of Buffer[0]
    std::int64_t Pos = 0;
    std::int64_t FileSize = 0;
    bool Committed = false;
};

} // namespace orvanta
