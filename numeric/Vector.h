#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace orvanta {

class TStream;

// A vector of doubles that owns its elements. Copies copy the elements.
// Indices are not checked: an index outside 0 .. Size()-1 is a caller error.
class TVector {
public:
    TVector() = default;
    explicit TVector(std::int32_t n) { Init(n); }
    TVector(const TVector& other);
    TVector& operator=(const TVector& other);
    TVector(TVector&& other) noexcept;
    TVector& operator=(TVector&& other) noexcept;
    ~TVector() = default;

    // Allocates n elements (zeroed); no storage when n < 1.
    void Init(std::int32_t n);
    void Done();
    // Old contents are not kept.
    void SetSize(std::int32_t n);
    // Keeps elements 0 .. min(old, n)-1; new elements are 0.0.
    void Resize(std::int32_t n);

    std::int32_t Size() const { return nSize; }
    double Get(std::int32_t i) const { return Data[i]; }
    void Set(std::int32_t i, double x) { Data[i] = x; }
    double* Elements() { return Data.get(); }
    const double* Elements() const { return Data.get(); }

    // "%.4g" with the decimal separator.
    std::string GetText(std::int32_t i) const;
    // Raises EConvertError when the text is not a number.
    void SetText(std::int32_t i, std::string_view text);

    void Clear();
    bool AssignData(const TVector& other);
    bool Add(const TVector& other);
    bool Sub(const TVector& other);
    void Scale(double x);
    // Accumulated in extended precision; 0.0 when the sizes differ.
    double Dot(const TVector& other) const;

    // Plain row output: every element "%.4g" and TAB, then LF.
    void WriteRow(TStream& stream) const;

private:
    std::int32_t nSize = 0;
    std::unique_ptr<double[]> Data;
};

} // namespace orvanta
