#pragma once

#include <stdexcept>
#include <string>

namespace orvanta {

// A text that should hold a number does not. Raised by the element text
// setters and caught by the readers and the field checks.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Failures of the byte-stream layer. The path (when there is one) lets the
// command that catches the error name the file in its message.
class EStreamError : public std::runtime_error {
public:
    EStreamError(const std::string& what, std::string path = {})
        : std::runtime_error(what), Path(std::move(path)) {}
    std::string Path;
};

// A read asked for more bytes than the stream still holds, or the device failed.
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// A write could not be completed (disk full, device error).
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// A file could not be opened for reading.
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// A file could not be created for writing.
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

} // namespace orvanta
