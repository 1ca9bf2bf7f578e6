#pragma once

#include "numeric/Matrix.h"
#include "numeric/NumberText.h"
#include "numeric/Vector.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvanta::test {

inline std::vector<double> ValuesOf(const TVector& v) {
    return std::vector<double>(v.Elements(), v.Elements() + v.Size());
}

// The contents of the current view, row after row.
inline std::vector<double> ValuesOf(const TMatrix& m) {
    std::vector<double> values;
    for (std::int32_t r = 0; r < m.RowCount(); ++r)
        for (std::int32_t c = 0; c < m.ColCount(); ++c)
            values.push_back(m.Get(r, c));
    return values;
}

inline std::string Repeat(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// The decimal separator is process-wide; a test that changes it puts the
// point back, whatever the outcome.
class TSeparatorGuard {
public:
    explicit TSeparatorGuard(char separator) { SetDecimalSeparator(separator); }
    ~TSeparatorGuard() { SetDecimalSeparator('.'); }
    TSeparatorGuard(const TSeparatorGuard&) = delete;
    TSeparatorGuard& operator=(const TSeparatorGuard&) = delete;
};

} // namespace orvanta::test
