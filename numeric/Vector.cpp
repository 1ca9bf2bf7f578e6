#include "numeric/Vector.h"

#include "numeric/NumberText.h"
#include "numeric/Stream.h"
#include "numeric/StreamText.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace orvanta {

TVector::TVector(const TVector& other) {
    Init(other.nSize);
    if (nSize > 0)
        std::memcpy(Data.get(), other.Data.get(), sizeof(double) * static_cast<std::size_t>(nSize));
}

TVector& TVector::operator=(const TVector& other) {
    if (this != &other) {
        if (nSize != other.nSize)
            SetSize(other.nSize);
        AssignData(other);
    }
    return *this;
}

TVector::TVector(TVector&& other) noexcept
    : nSize(std::exchange(other.nSize, 0)), Data(std::move(other.Data)) {}

TVector& TVector::operator=(TVector&& other) noexcept {
    if (this != &other) {
        nSize = std::exchange(other.nSize, 0);
        Data = std::move(other.Data);
    }
    return *this;
}

void TVector::Init(std::int32_t n) {
    nSize = n > 0 ? n : 0;
    Data.reset(nSize > 0 ? new double[static_cast<std::size_t>(nSize)]() : nullptr);
}

void TVector::Done() {
    Data.reset();
    nSize = 0;
}

void TVector::SetSize(std::int32_t n) {
    Done();
    Init(n);
}

void TVector::Resize(std::int32_t n) {
    if (n < 0)
        n = 0;
    if (n == nSize)
        return;
    TVector old(std::move(*this));
    Init(n);
    const std::int32_t keep = std::min(n, old.nSize);
    if (keep > 0)
        std::memcpy(Data.get(), old.Data.get(), sizeof(double) * static_cast<std::size_t>(keep));
}

std::string TVector::GetText(std::int32_t i) const {
    return FormatVectorCell(Data[i]);
}

void TVector::SetText(std::int32_t i, std::string_view text) {
    Data[i] = StrToFloat(text);
}

void TVector::Clear() {
    std::fill_n(Data.get(), nSize, 0.0);
}

bool TVector::AssignData(const TVector& other) {
    if (other.nSize != nSize)
        return false;
    if (nSize > 0 && this != &other)
        std::memcpy(Data.get(), other.Data.get(), sizeof(double) * static_cast<std::size_t>(nSize));
    return true;
}

bool TVector::Add(const TVector& other) {
    if (other.nSize != nSize)
        return false;
    for (std::int32_t i = 0; i < nSize; ++i)
        Data[i] += other.Data[i];
    return true;
}

bool TVector::Sub(const TVector& other) {
    if (other.nSize != nSize)
        return false;
    for (std::int32_t i = 0; i < nSize; ++i)
        Data[i] -= other.Data[i];
    return true;
}

void TVector::Scale(double x) {
    for (std::int32_t i = 0; i < nSize; ++i)
        Data[i] *= x;
}

double TVector::Dot(const TVector& other) const {
    if (other.nSize != nSize)
        return 0.0;
    long double sum = 0.0L;
    for (std::int32_t i = 0; i < nSize; ++i)
        sum += static_cast<long double>(Data[i]) * other.Data[i];
    return static_cast<double>(sum);
}

void TVector::WriteRow(TStream& stream) const {
    std::string line;
    for (std::int32_t i = 0; i < nSize; ++i) {
        line += GetText(i);
        line += '\t';
    }
    line += '\n';
    WriteText(stream, line);
}

} // namespace orvanta
