// The largest vectors and matrices the readers accept still load, and no
// size in a header makes a reader take more memory than the bytes behind it
// can fill.

#include "numeric/Errors.h"
#include "numeric/MemoryStream.h"
#include "numeric/NamedMatrix.h"
#include "numeric/NamedVector.h"
#include "numeric/Stream.h"
#include "numeric/StreamText.h"

#include "RecordingMessageHost.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// AddressSanitizer brings its own allocator. Elsewhere every block the
// program takes from the C library (operator new included) is seen here, so
// a reader that trusts a size field is caught on any machine, however much
// memory it has. A limit on the address space would not do: the allocator
// reuses memory freed by earlier tests without asking the system.
#if !defined(__SANITIZE_ADDRESS__)
#define ORVAN_COUNT_ALLOCATIONS 1
namespace {
std::size_t LargestAllocation = 0;
bool CountAllocations = false;

void Count(std::size_t size) {
    if (CountAllocations && size > LargestAllocation)
        LargestAllocation = size;
}
} // namespace

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);

void* malloc(std::size_t size) noexcept {
    Count(size);
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) noexcept {
    Count(count * size);
    return __libc_calloc(count, size);
}
}
#endif

using namespace orvanta;

namespace {

enum class TReader { TextVector, TextMatrix, BinaryVector, BinaryMatrix, LString };

std::string Le32(std::int32_t v) {
    std::string s(4, '\0');
    std::memcpy(s.data(), &v, 4);
    return s;
}

// Element i is the digit i % 10: one character and a separator each, the
// fewest bytes an element can take.
std::string Digits(std::int64_t count, const char* separator) {
    std::string text;
    for (std::int64_t i = 0; i < count; ++i)
        text += static_cast<char>('0' + i % 10) + std::string(separator);
    return text;
}

std::string TextVector(std::int32_t n, std::int64_t elements) {
    return "Vector \"big\" " + std::to_string(n) + "\n\n" + Digits(elements, "\t") + "\n\n";
}

std::string TextMatrix(std::int32_t rows, std::int32_t cols, std::int64_t elements) {
    return "Matrix \"big\" " + std::to_string(rows) + " " + std::to_string(cols) + "\n\n" +
           Digits(elements, cols == 1 ? "\t\n\n" : "\t") + "\n\n";
}

std::string BinaryVector(std::int32_t n, std::int64_t elements) {
    std::string bytes = "VTID" + Le32(3) + "big" + Le32(n);
    for (std::int64_t i = 0; i < elements; ++i) {
        const double x = static_cast<double>(i % 10);
        bytes.append(reinterpret_cast<const char*>(&x), sizeof x);
    }
    return bytes;
}

std::string BinaryMatrix(std::int32_t rows, std::int32_t cols, std::size_t dataBytes) {
    return "MTID" + Le32(3) + "big" + Le32(rows) + Le32(cols) + std::string(dataBytes, '\0');
}

// Reads the stream with the reader; the elements read, row by row, go to
// `elements`. No single block the reader asks for may
// outgrow the elements the bytes can hold: a text element takes at least two
// bytes, and a matrix keeps two copies of its elements with tables of row and
// column pointers, under 48 bytes of memory per element.
bool Read(TReader reader, TStream& stream, std::vector<double>& elements) {
    TNamedVector v;
    TNamedMatrix m;
    bool read = false;
#ifdef ORVAN_COUNT_ALLOCATIONS
    LargestAllocation = 0;
    CountAllocations = true;
#endif
    // A record or text longer than the bytes is a short file: refused.
    try {
        switch (reader) {
        case TReader::TextVector:
            read = v.ReadTextForm(stream);
            break;
        case TReader::BinaryVector:
            read = v.ReadBinary(stream);
            break;
        case TReader::TextMatrix:
            read = m.ReadTextForm(stream);
            break;
        case TReader::BinaryMatrix:
            read = m.ReadBinary(stream);
            break;
        case TReader::LString:
            read = !ReadLString(stream).empty();
            break;
        }
    } catch (const EStreamError&) {
        read = false;
    }
#ifdef ORVAN_COUNT_ALLOCATIONS
    CountAllocations = false;
    // A few hundred bytes go to messages and error objects whatever the input.
    EXPECT_LE(LargestAllocation, 24 * static_cast<std::size_t>(stream.Size()) + 1024);
#endif
    for (std::int32_t i = 0; i < v.Size(); ++i)
        elements.push_back(v.Get(i));
    for (std::int32_t i = 0; i < m.RowCount(); ++i)
        for (std::int32_t j = 0; j < m.ColCount(); ++j)
            elements.push_back(m.Get(i, j));
    return read;
}

TEST(LargeData, OnlySizesTheBytesCanHoldAreRead) {
    const std::int64_t largest = 1048575;
    const struct {
        const char* Case;
        TReader Reader;
        std::string Bytes;
        std::int64_t Loads; // elements read, or 0 when the record is refused
    } cases[] = {
        {"largest text vector", TReader::TextVector, TextVector(largest, largest), largest},
        {"largest text column", TReader::TextMatrix, TextMatrix(largest, 1, largest), largest},
        {"largest text row", TReader::TextMatrix, TextMatrix(1, largest, largest), largest},
        {"largest binary vector", TReader::BinaryVector, BinaryVector(largest + 1, largest + 1),
         largest + 1},
        {"text vector past the limit", TReader::TextVector, TextVector(largest + 1, largest + 1),
         0},
        {"text vector of two elements", TReader::TextVector, TextVector(largest, 2), 0},
        {"text column past the limit", TReader::TextMatrix, TextMatrix(largest + 1, 1, largest + 1),
         0},
        {"text matrix 1048575 x 1048575", TReader::TextMatrix, TextMatrix(largest, largest, 4), 0},
        {"text matrix of 2^32 elements", TReader::TextMatrix, TextMatrix(65536, 65536, 4), 0},
        {"binary vector with one element", TReader::BinaryVector, BinaryVector(largest + 1, 1), 0},
        {"binary vector of 2^31 - 1", TReader::BinaryVector, BinaryVector(0x7fffffff, 1), 0},
        {"binary matrix 1048575 x 1048575", TReader::BinaryMatrix,
         BinaryMatrix(largest, largest, 8), 0},
        {"binary matrix of 2^31 elements", TReader::BinaryMatrix, BinaryMatrix(65536, 32768, 8), 0},
        {"name longer than the record", TReader::BinaryVector,
         "VTID" + Le32(0x7fffffff) + "big" + Le32(1) + std::string(8, '\0'), 0},
        {"stored text longer than the file", TReader::LString, Le32(65533) + "big", 0},
    };
    TRecordingMessageHost host;
    TMessageHostScope scope(host);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        TMemoryStream stream(c.Bytes);
        std::vector<double> elements;
        EXPECT_EQ(Read(c.Reader, stream, elements), c.Loads != 0);
        if (c.Loads == 0)
            continue;
        ASSERT_EQ(static_cast<std::int64_t>(elements.size()), c.Loads);
        std::int64_t wrong = 0;
        for (std::size_t i = 0; i < elements.size(); ++i)
            wrong += elements[i] != static_cast<double>(i % 10);
        EXPECT_EQ(wrong, 0);
        EXPECT_TRUE(host.Messages.empty());
    }
}

} // namespace
