#pragma once

#include "numeric/Vector.h"

#include <string>

namespace orvanta {

class TStream;

// Longest name a vector or matrix keeps, in characters.
constexpr std::size_t MaxObjectName = 256;
// Longest name the binary records store, in bytes.
constexpr std::size_t MaxStoredName = 254;
// Largest element count of a binary vector record.
constexpr std::int32_t MaxBinaryVectorSize = 0x100000;
// Upper bound (exclusive) of the text vector size and of matrix rows and columns.
constexpr std::int32_t MaxTextDimension = 0x100000;

// A vector with a name (UTF-8, up to 256 characters) and its file forms.
class TNamedVector : public TVector {
public:
    TNamedVector() = default;
    // Clears the name, then Init(n).
    void Create(std::int32_t n);

    void SetName(std::string_view name);
    const std::string& GetName() const { return Name; }
    // As AssignData, and copies the name.
    bool Assign(const TNamedVector& other);

    void WriteTextForm(TStream& stream) const;
    bool ReadTextForm(TStream& stream);
    void WriteBinary(TStream& stream) const;
    // False when the bytes are no such record; a record cut short by the end
    // of the stream raises the stream's read error (EReadError).
    bool ReadBinary(TStream& stream);

private:
    std::string Name;
};

} // namespace orvanta
