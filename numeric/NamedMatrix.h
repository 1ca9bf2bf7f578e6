#pragma once

#include "numeric/Matrix.h"

#include <string>

namespace orvanta {

class TStream;

// A matrix with a name (UTF-8, up to 256 characters) and its file forms.
class TNamedMatrix : public TMatrix {
public:
    TNamedMatrix() = default;
    // Clears the name, then Init.
    void Create(std::int32_t rows, std::int32_t cols);

    void SetName(std::string_view name);
    const std::string& GetName() const { return Name; }
    // Copies the contents and the name; false when the shapes differ.
    bool Assign(const TNamedMatrix& other);

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
