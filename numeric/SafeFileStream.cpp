#include "numeric/SafeFileStream.h"

#include "numeric/Errors.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanta {

namespace {

constexpr std::size_t BufferSize = 64 * 1024;

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string CreateError(const std::string& path) {
    return "Ошибка создания файла \"" + path + "\". Извините.";
}

std::string WriteErrorText(const std::string& path) {
    return "Ошибка записи в файл \"" + path + "\".";
}

} // namespace

TSafeFileStream::TSafeFileStream(const std::string& path)
    : TargetPath(path), Buffer(new unsigned char[BufferSize]) {
    // A folder (or a device) at the target cannot be replaced by a file.
    struct stat target {};
    if (::stat(path.c_str(), &target) == 0 && !S_ISREG(target.st_mode))
        throw EFCreateError(CreateError(path), path);
    const auto slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string folder =
        slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string pattern = folder + "." + name + ".XXXXXX";
    Fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (Fd < 0)
        throw EFCreateError(CreateError(path), path);
    TempPath = pattern;
    // A new file gets the usual permissions; a replaced file keeps its own.
    struct stat info {};
    mode_t mode = 0;
    if (::stat(path.c_str(), &info) == 0) {
        mode = info.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(Fd, mode);
}

TSafeFileStream::~TSafeFileStream() {
    if (!Committed)
        Discard();
}

void TSafeFileStream::Discard() noexcept {
    if (Fd >= 0) {
        ::close(Fd);
        Fd = -1;
    }
    if (!TempPath.empty()) {
        ::unlink(TempPath.c_str());
        TempPath.clear();
    }
}

void TSafeFileStream::Flush() {
    std::size_t done = 0;
    while (done < BufferLen) {
        const ssize_t n = ::pwrite(Fd, Buffer.get() + done, BufferLen - done,
                                   BufferStart + static_cast<std::int64_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw EWriteError(WriteErrorText(TargetPath), TargetPath);
        done += static_cast<std::size_t>(n);
    }
    FileSize = std::max(FileSize, BufferStart + static_cast<std::int64_t>(BufferLen));
    BufferStart += static_cast<std::int64_t>(BufferLen);
    BufferLen = 0;
}

std::size_t TSafeFileStream::Read(void*, std::size_t) {
    throw EReadError("Файл \"" + TargetPath + "\" открыт только для записи.", TargetPath);
}

void TSafeFileStream::Write(const void* buffer, std::size_t count) {
    if (Fd < 0)
        throw EWriteError(WriteErrorText(TargetPath), TargetPath);
    const auto* in = static_cast<const unsigned char*>(buffer);
    while (count > 0) {
        if (BufferLen == BufferSize)
            Flush();
        const std::size_t n = std::min(count, BufferSize - BufferLen);
        std::memcpy(Buffer.get() + BufferLen, in, n);
        BufferLen += n;
        in += n;
        count -= n;
        Pos += static_cast<std::int64_t>(n);
    }
}

void TSafeFileStream::SetPosition(std::int64_t position) {
    if (position < 0)
        throw EWriteError(WriteErrorText(TargetPath), TargetPath);
    Flush();
    BufferStart = position;
    Pos = position;
}

void TSafeFileStream::Commit() {
    if (Committed)
        return;
    if (Fd < 0)
        throw EWriteError(WriteErrorText(TargetPath), TargetPath);
    try {
        Flush();
        if (::fsync(Fd) != 0)
            throw EWriteError(WriteErrorText(TargetPath), TargetPath);
        const int fd = Fd;
        Fd = -1;
        if (::close(fd) != 0)
            throw EWriteError(WriteErrorText(TargetPath), TargetPath);
        if (::rename(TempPath.c_str(), TargetPath.c_str()) != 0)
            throw EWriteError(WriteErrorText(TargetPath), TargetPath);
    } catch (...) {
        Discard();
        throw;
    }
    TempPath.clear();
    Committed = true;
    // The rename itself reaches the disk with the folder.
    const int dir = ::open(FolderOf(TargetPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace orvanta
