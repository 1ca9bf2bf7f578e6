// The batch tool's plain-table reader on any bytes.

#include "FuzzSupport.h"
#include "PlainTable.h"

#include <cstdio>
#include <string>
#include <unistd.h>

using namespace orvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::TQuietHost host;
    SetMessageHost(&host);
    static const std::string path = [] {
        char name[] = "/tmp/orvan-fuzz-table-XXXXXX";
        const int fd = ::mkstemp(name);
        if (fd >= 0)
            ::close(fd);
        return std::string(name);
    }();
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    // The table as the tool reads a file (its own forms first), and the plain
    // form alone.
    cli::ReadMatrixTable(path);
    cli::ReadVectorTable(path);
    TNamedMatrix matrix;
    cli::ParsePlainTable(fuzz::Bytes(data, size), matrix);
    return 0;
}
