#pragma once

#include "numeric/NamedMatrix.h"
#include "numeric/NamedVector.h"

#include <optional>
#include <string>
#include <string_view>

namespace orvanta::cli {

// A plain table: one run a line, numbers separated by blanks, tabs, commas
// or semicolons; on a line with a semicolon the comma is the decimal
// separator. Empty lines are skipped and every row must be as long as the
// first. False (the matrix emptied) for anything else.
bool ParsePlainTable(std::string_view text, TNamedMatrix& matrix);

// A matrix file in the program's text form, its binary form or a plain
// table, tried in that order. Nullopt after the open error was shown; an
// empty matrix when the file holds none of the three.
std::optional<TNamedMatrix> ReadMatrixTable(const std::string& path);

// A vector file in the program's text or binary form, or a plain table of
// one row or one column. Same results as ReadMatrixTable.
std::optional<TNamedVector> ReadVectorTable(const std::string& path);

} // namespace orvanta::cli
