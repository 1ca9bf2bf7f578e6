#include "plots/Contour.h"

namespace orvanta {

double TContourGrid::X(std::int32_t i) const {
    return Nx > 1 ? X0 + (X1 - X0) * i / (Nx - 1) : X0;
}

double TContourGrid::Y(std::int32_t j) const {
    return Ny > 1 ? Y0 + (Y1 - Y0) * j / (Ny - 1) : Y0;
}

} // namespace orvanta
