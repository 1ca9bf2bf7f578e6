#pragma once

#include "Catalog.h"

#include <cstdint>
#include <initializer_list>

namespace orvanta::stdmodule {

// The code matrices of the standard designs. Two-level columns are at -1 and
// +1 in standard order: the first factor alternates fastest.

// 2^k runs.
TDesign FullFactorial(std::int32_t k);
// A full factorial of `base` factors with one added column per generator;
// a generator is the set of base factors multiplied, bit j for factor j
// (D = ABC over A, B, C is 0b111).
TDesign FractionalFactorial(std::int32_t base, std::initializer_list<unsigned> generators);
// Eleven factors in twelve runs.
TDesign PlackettBurman12();
// For every pair of factors the 2^2 factorial with the others at 0, then the
// centre runs.
TDesign BoxBehnken(std::int32_t k, std::int32_t centreRuns);
// The full factorial, the axial runs at -1 and +1 of every factor, one centre run.
TDesign FaceCentredComposite(std::int32_t k);
// 3^k runs at -1, 0, 1.
TDesign ThreeLevelFactorial(std::int32_t k);
// The {3, degree} simplex lattice: every mixture of three components whose
// fractions are multiples of 1 / degree.
TDesign SimplexLattice3(std::int32_t degree);
// The vertices, the binary midpoints and the centroid of three components.
TDesign SimplexCentroid3();
// n points evenly spaced on [-1, 1].
TDesign UniformPoints(std::int32_t n);

} // namespace orvanta::stdmodule
