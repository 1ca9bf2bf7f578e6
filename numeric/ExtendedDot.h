#pragma once

// Sums of products in extended precision, the kernel of the matrix products.

#include <algorithm>
#include <cstdint>

namespace orvanta {

// The four sums of a[k] * b[j][k] over k < n, each in extended precision and
// in the order of k, as one sum at a time would give them; run side by side
// so that the floating-point unit does not wait for every addition.
inline void ExtendedDots(const double* a, const double* const b[4], std::int32_t n,
                         long double out[4]) {
    long double s0 = 0.0L, s1 = 0.0L, s2 = 0.0L, s3 = 0.0L;
    const double *b0 = b[0], *b1 = b[1], *b2 = b[2], *b3 = b[3];
    for (std::int32_t k = 0; k < n; ++k) {
        const long double ak = a[k];
        s0 += ak * b0[k];
        s1 += ak * b1[k];
        s2 += ak * b2[k];
        s3 += ak * b3[k];
    }
    out[0] = s0;
    out[1] = s1;
    out[2] = s2;
    out[3] = s3;
}

// store(j, a . rows[j]) for j in [first, last), four at a time; a short last
// group repeats its final row.
template <typename TRows, typename TStore>
void ExtendedDotRange(const double* a, const TRows& rows, std::int32_t first, std::int32_t last,
                      std::int32_t n, TStore store) {
    for (std::int32_t j = first; j < last; j += 4) {
        const double* group[4];
        for (std::int32_t g = 0; g < 4; ++g)
            group[g] = rows[std::min(j + g, last - 1)];
        long double sums[4];
        ExtendedDots(a, group, n, sums);
        for (std::int32_t g = 0; g < 4 && j + g < last; ++g)
            store(j + g, sums[g]);
    }
}

} // namespace orvanta
