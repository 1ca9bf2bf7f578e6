#pragma once

// Error-free transformations of doubles (Knuth's TwoSum, Dekker's product with
// Veltkamp's split), for sums carried in twice the double precision as a pair
// (High + Low). No fused multiply-add is needed, so they hold on any x86-64;
// they assume no overflow (operands below 2^996 in magnitude).

namespace orvanta::exact {

struct TPair {
    double High;
    double Low;
};

// a + b = High + Low exactly.
inline TPair TwoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// a = High + Low with both halves of 26 bits or fewer.
inline TPair Split(double a) {
    const double c = 134217729.0 * a; // 2^27 + 1
    const double high = c - (c - a);
    return {high, a - high};
}

// a * b = High + Low exactly; as and bs are the split halves of a and b.
inline TPair TwoProduct(double a, double b, TPair as, TPair bs) {
    const double p = a * b;
    const double e =
        ((as.High * bs.High - p) + as.High * bs.Low + as.Low * bs.High) + as.Low * bs.Low;
    return {p, e};
}

// sum += a * b, carried in twice the precision (the compensated dot product
// of Ogita, Rump and Oishi).
inline void AddProduct(TPair& sum, double a, double b, TPair as, TPair bs) {
    const TPair product = TwoProduct(a, b, as, bs);
    const TPair s = TwoSum(sum.High, product.High);
    sum.High = s.High;
    sum.Low += s.Low + product.Low;
}

} // namespace orvanta::exact
