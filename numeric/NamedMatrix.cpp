#include "numeric/NamedMatrix.h"

#include "numeric/NamedVector.h"
#include "numeric/NumberText.h"
#include "numeric/ObjectName.h"
#include "numeric/Stream.h"
#include "numeric/StreamText.h"

namespace orvanta {

void TNamedMatrix::Create(std::int32_t rows, std::int32_t cols) {
    Name.clear();
    Init(rows, cols);
}

void TNamedMatrix::SetName(std::string_view name) {
    Name = LimitObjectName(name);
}

bool TNamedMatrix::Assign(const TNamedMatrix& other) {
    if (!AssignData(other))
        return false;
    Name = other.Name;
    return true;
}

void TNamedMatrix::WriteTextForm(TStream& stream) const {
    std::string text =
        "Matrix \"" + Name + "\" " + IntToStr(RowCount()) + " " + IntToStr(ColCount()) + "\n\n";
    for (std::int32_t i = 0; i < RowCount() && HasBlock(); ++i) {
        for (std::int32_t j = 0; j < ColCount(); ++j) {
            text += GetText(i, j);
            text += '\t';
        }
        text += "\n\n";
        // Large matrices go out in pieces rather than as one huge text.
        if (text.size() > (1u << 16)) {
            WriteText(stream, text);
            text.clear();
        }
    }
    text += "\n\n";
    WriteText(stream, text);
}

bool TNamedMatrix::ReadTextForm(TStream& stream) {
    if (ReadToken(stream) != "Matrix")
        return false;
    const std::string name = ReadToken(stream);
    std::int32_t rows = 0;
    std::int32_t cols = 0;
    if (!TextToInt(ReadToken(stream), rows) || !TextToInt(ReadToken(stream), cols))
        return false;
    if (rows < 0 || rows >= MaxTextDimension || cols < 0 || cols >= MaxTextDimension)
        return false;
    const std::int64_t count = static_cast<std::int64_t>(rows) * cols;
    // Every element takes at least one character and one separator.
    if (count * 2 > stream.Remaining())
        return false;
    SetSize(rows, cols);
    SetName(name);
    std::int64_t read = 0;
    for (std::int32_t i = 0; i < rows; ++i) {
        for (std::int32_t j = 0; j < cols; ++j) {
            const std::string token = ReadToken(stream);
            if (stream.AtEnd())
                return read == count;
            double value = 0.0;
            if (!TextToFloat(token, value)) {
                SetSize(0, 0);
                return false;
            }
            Set(i, j, value);
            ++read;
        }
    }
    return read == count;
}

void TNamedMatrix::WriteBinary(TStream& stream) const {
    WriteObjectHeader(stream, "MTID", Name);
    stream.WriteInt32(RowCount());
    stream.WriteInt32(ColCount());
    if (HasBlock())
        stream.Write(Contents(), static_cast<std::size_t>(GetDataBytes()));
}

bool TNamedMatrix::ReadBinary(TStream& stream) {
    std::string name;
    if (!ReadObjectHeader(stream, "MTID", name))
        return false;
    const std::int32_t rows = stream.ReadInt32();
    const std::int32_t cols = stream.ReadInt32();
    if (rows < 0 || rows >= MaxTextDimension || cols < 0 || cols >= MaxTextDimension)
        return false;
    const std::int64_t bytes = static_cast<std::int64_t>(rows) * cols * 8;
    RequireRecordBytes(stream, bytes);
    SetSize(rows, cols);
    SetName(name);
    if (HasBlock())
        stream.ReadBuffer(Contents(), static_cast<std::size_t>(bytes));
    return true;
}

} // namespace orvanta
