#pragma once

#include "numeric/Stream.h"

#include <memory>
#include <string>

namespace orvanta {

// A buffered read-only stream over a file. Raises EFOpenError when the file
// cannot be opened.
class TFileStream : public TStream {
public:
    explicit TFileStream(const std::string& path);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::size_t Read(void* buffer, std::size_t count) override;
    // Raises EWriteError: the stream is read-only.
    void Write(const void* buffer, std::size_t count) override;
    std::int64_t Position() const override { return BufferStart + BufferPos; }
    void SetPosition(std::int64_t position) override;
    std::int64_t Size() const override { return FileSize; }
    const std::string& Path() const { return FilePath; }

private:
    bool Fill();

    std::string FilePath;
    int Fd = -1;
    std::int64_t FileSize = 0;
    std::unique_ptr<unsigned char[]> Buffer;
    std::int64_t BufferStart = 0; // file offset of Buffer[0]
    std::size_t BufferPos = 0;
    std::size_t BufferLen = 0;
};

} // namespace orvanta
