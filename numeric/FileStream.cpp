#include "numeric/FileStream.h"

#include "numeric/Errors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanta {

namespace {
constexpr std::size_t BufferSize = 64 * 1024;
}

TFileStream::TFileStream(const std::string& path)
    : FilePath(path), Buffer(new unsigned char[BufferSize]) {
    Fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (Fd < 0 || ::fstat(Fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        if (Fd >= 0)
            ::close(Fd);
        Fd = -1;
        throw EFOpenError("Ошибка открытия файла \"" + path + "\".", path);
    }
    FileSize = info.st_size;
}

TFileStream::~TFileStream() {
    if (Fd >= 0)
        ::close(Fd);
}

bool TFileStream::Fill() {
    BufferStart += static_cast<std::int64_t>(BufferLen);
    BufferPos = 0;
    BufferLen = 0;
    for (;;) {
        const ssize_t got = ::pread(Fd, Buffer.get(), BufferSize, BufferStart);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw EReadError("Ошибка чтения файла \"" + FilePath + "\".", FilePath);
        BufferLen = static_cast<std::size_t>(got);
        return got > 0;
    }
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        if (BufferPos >= BufferLen && !Fill())
            break;
        const std::size_t n = std::min(count - done, BufferLen - BufferPos);
        std::memcpy(out + done, Buffer.get() + BufferPos, n);
        BufferPos += n;
        done += n;
    }
    return done;
}

void TFileStream::Write(const void*, std::size_t) {
    throw EWriteError("Файл \"" + FilePath + "\" открыт только для чтения.", FilePath);
}

void TFileStream::SetPosition(std::int64_t position) {
    if (position < 0)
        throw EReadError("Ошибка позиционирования в файле \"" + FilePath + "\".", FilePath);
    if (position >= BufferStart && position <= BufferStart + static_cast<std::int64_t>(BufferLen)) {
        BufferPos = static_cast<std::size_t>(position - BufferStart);
        return;
    }
    BufferStart = position;
    BufferPos = 0;
    BufferLen = 0;
}

} // namespace orvanta
