// lsqfit: least-squares coefficients of a linear model from a matrix file.
//
// The file holds a matrix in the text or binary form; its last column is the
// response and the other columns are the model's terms at each run. The
// program prints the coefficients, the residual sum of squares and the
// determinant of the information matrix.

#include "lsq/LeastSquares.h"
#include "numeric/Errors.h"
#include "numeric/FileStream.h"
#include "numeric/NamedMatrix.h"
#include "numeric/NumberText.h"
#include "numeric/Vector.h"

#include <cstdio>

using namespace orvanta;

namespace {

bool ReadMatrix(const char* path, TNamedMatrix& data) {
    TFileStream stream(path);
    if (data.ReadTextForm(stream))
        return true;
    stream.SetPosition(0);
    return data.ReadBinary(stream);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: lsqfit MATRIX-FILE\n");
        return 2;
    }
    DetectDecimalSeparator();
    TNamedMatrix data;
    try {
        if (!ReadMatrix(argv[1], data)) {
            std::fprintf(stderr, "Файл \"%s\" не содержит матрицы.\n", argv[1]);
            return 1;
        }
    } catch (const EStreamError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    const std::int32_t n = data.RowCount();
    const std::int32_t p = data.ColCount() - 1;
    if (p < 1 || n < p) {
        std::fprintf(stderr, "Нужно не меньше строк, чем коэффициентов модели.\n");
        return 1;
    }
    TMatrix x(n, p);
    data.GetBlock(x, 0, 0);

    TVector y(n);
    for (std::int32_t i = 0; i < n; ++i)
        y.Set(i, data.Get(i, p));

    const TLeastSquares fit(x);
    if (!fit.FullRank()) {
        std::fprintf(stderr, "Информационная матрица вырождена.\n");
        return 1;
    }
    const double det = fit.InfoDeterminant();
    TVector b(p);
    fit.Solve(y, b);
    TVector fitted(n);
    x.MultiplyVector(b, fitted);
    long double rss = 0;
    for (std::int32_t i = 0; i < n; ++i) {
        const long double e = y.Get(i) - fitted.Get(i);
        rss += e * e;
    }

    std::printf("%s: %d опытов, %d коэффициентов\n", data.GetName().c_str(), n, p);
    std::printf("Определитель информационной матрицы: %s\n", FormatGeneral(det, 5).c_str());
    for (std::int32_t j = 0; j < p; ++j)
        std::printf("b%d = %s\n", j, FormatCoefficient(b.Get(j)).c_str());
    std::printf("Остаточная сумма квадратов: %s\n",
                FormatGeneral(static_cast<double>(rss), 5).c_str());
    return 0;
}
