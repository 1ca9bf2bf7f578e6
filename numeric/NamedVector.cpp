#include "numeric/NamedVector.h"

#include "numeric/Cp1251.h"
#include "numeric/Errors.h"
#include "numeric/NumberText.h"
#include "numeric/ObjectName.h"
#include "numeric/Stream.h"
#include "numeric/StreamText.h"

namespace orvanta {

void TNamedVector::Create(std::int32_t n) {
    Name.clear();
    Init(n);
}

void TNamedVector::SetName(std::string_view name) {
    Name = LimitObjectName(name);
}

bool TNamedVector::Assign(const TNamedVector& other) {
    if (!AssignData(other))
        return false;
    Name = other.Name;
    return true;
}

void TNamedVector::WriteTextForm(TStream& stream) const {
    std::string text = "Vector \"" + Name + "\" " + IntToStr(Size()) + "\n\n";
    for (std::int32_t i = 0; i < Size(); ++i) {
        text += GetText(i);
        text += '\t';
    }
    text += "\n\n";
    WriteText(stream, text);
}

bool TNamedVector::ReadTextForm(TStream& stream) {
    if (ReadToken(stream) != "Vector")
        return false;
    const std::string name = ReadToken(stream);
    std::int32_t n = 0;
    if (!TextToInt(ReadToken(stream), n) || n <= 0 || n >= MaxTextDimension)
        return false;
    // Every element takes at least one character and one separator.
    if (static_cast<std::int64_t>(n) * 2 > stream.Remaining())
        return false;
    SetSize(n);
    SetName(name);
    std::int32_t count = 0;
    for (std::int32_t i = 0; i < n; ++i) {
        const std::string token = ReadToken(stream);
        if (stream.AtEnd())
            break;
        double value = 0.0;
        if (!TextToFloat(token, value)) {
            SetSize(0);
            return false;
        }
        Set(i, value);
        ++count;
    }
    return count == n;
}

void TNamedVector::WriteBinary(TStream& stream) const {
    WriteObjectHeader(stream, "VTID", Name);
    stream.WriteInt32(Size());
    if (Size() > 0)
        stream.Write(Elements(), sizeof(double) * static_cast<std::size_t>(Size()));
}

bool TNamedVector::ReadBinary(TStream& stream) {
    std::string name;
    if (!ReadObjectHeader(stream, "VTID", name))
        return false;
    const std::int32_t n = stream.ReadInt32();
    if (n < 1 || n > MaxBinaryVectorSize)
        return false;
    RequireRecordBytes(stream, static_cast<std::int64_t>(n) * 8);
    SetSize(n);
    SetName(name);
    stream.ReadBuffer(Elements(), sizeof(double) * static_cast<std::size_t>(n));
    return true;
}

} // namespace orvanta
