#include "plan/DistrDis.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace orvanta {

namespace {

constexpr double LargestDouble = std::numeric_limits<double>::max();

// The last argument any two-argument table is read at; 10000 stands for
// "infinitely many" in the header row and first column.
constexpr std::int32_t InfiniteDf = 10000;
constexpr std::int32_t LastFiniteDf = InfiniteDf - 1;

// Student's t: pairs (f, 100 t).
constexpr std::size_t StudentCount = 34;
constexpr std::int32_t StudentF[StudentCount] = {1,  2,  3,  4,  5,  6,  7,  8,  9,   10,   11, 12,
                                                 13, 14, 15, 16, 17, 18, 19, 20, 21,  22,   23, 24,
                                                 25, 26, 27, 28, 29, 30, 40, 60, 120, 10000};
constexpr std::int32_t StudentT[StudentCount] = {
    1271, 430, 318, 278, 257, 245, 237, 231, 226, 223, 220, 218, 216, 215, 213, 212, 211,
    210,  209, 209, 208, 207, 207, 206, 206, 206, 205, 205, 204, 204, 202, 200, 198, 196};

// Chi-square, 10000 times the quantile for f = 1 .. 30: upper 5 % point, then
// lower 5 % point.
constexpr std::int32_t PearsonDfCount = 30;
constexpr std::int32_t Pearson[2][PearsonDfCount] = {
    {38000,  60000,  78000,  95000,  111000, 126000, 141000, 155000, 169000, 183000,
     197000, 210000, 224000, 237000, 250000, 263000, 276000, 289000, 301000, 314000,
     327000, 339000, 352000, 364000, 377000, 389000, 401000, 413000, 426000, 438000},
    {39,     1030,   3520,   7100,   11400,  16300,  21700,  27300,  33200,  39400,
     46000,  52000,  59000,  66000,  73000,  80000,  87000,  94000,  101000, 109000,
     116000, 123000, 131000, 138000, 146000, 154000, 162000, 169000, 177000, 185000}};

// Cochran's G, 10000 G. Row 0 holds f, column 0 holds the number of
// variances; the corner -1 keeps both searchable from index 0.
constexpr std::size_t CochranRows = 19;
constexpr std::size_t CochranCols = 15;
// clang-format off
constexpr std::int32_t Cochran[CochranRows][CochranCols] = {
    {   -1,    1,    2,    3,    4,    5,    6,    7,    8,    9,   10,   16,   36,  144, 10000},
    {    2, 9985, 9750, 9392, 9057, 8772, 8534, 8332, 8159, 8010, 7880, 7341, 6602, 5813, 5000},
    {    3, 9669, 8709, 7977, 7457, 7071, 6771, 6530, 6333, 6167, 6025, 5644, 4748, 4031, 3333},
    {    4, 9065, 7679, 6841, 6287, 5895, 5598, 5365, 5157, 5017, 4884, 4366, 3720, 3093, 2500},
    {    5, 8412, 6838, 5981, 5441, 5065, 4783, 4564, 4387, 4241, 4118, 3645, 3066, 2513, 2000},
    {    6, 7808, 6161, 5321, 4803, 4447, 4184, 3980, 3817, 3682, 3568, 3135, 2612, 2119, 1667},
    {    7, 7271, 5612, 4800, 4307, 3974, 3726, 3535, 3384, 3259, 3154, 2756, 2278, 1833, 1429},
    {    8, 6798, 5157, 4377, 3910, 3595, 3362, 3185, 3043, 2926, 2829, 2462, 2022, 1616, 1250},
    {    9, 6385, 4775, 4027, 3584, 3286, 3067, 2901, 2768, 2659, 2568, 2226, 1820, 1446, 1111},
    {   10, 6020, 4450, 3733, 3311, 3029, 2823, 2666, 2541, 2439, 2353, 2032, 1655, 1308, 1000},
    {   12, 5410, 3924, 3264, 2880, 2624, 2439, 2299, 2187, 2098, 2020, 1737, 1403, 1100,  833},
    {   15, 4709, 3346, 2758, 2419, 2195, 2034, 1911, 1815, 1736, 1671, 1429, 1144,  889,  667},
    {   20, 3894, 2705, 2205, 1921, 1735, 1602, 1501, 1422, 1357, 1303, 1108,  879,  675,  500},
    {   24, 3434, 2354, 1907, 1656, 1493, 1374, 1286, 1216, 1160, 1113,  942,  743,  567,  417},
    {   30, 2929, 1980, 1593, 1377, 1237, 1137, 1061, 1002,  958,  921,  771,  604,  457,  333},
    {   40, 2370, 1576, 1259, 1082,  968,  887,  827,  780,  745,  713,  595,  462,  347,  250},
    {   60, 1737, 1131,  895,  765,  682,  623,  583,  552,  520,  497,  411,  316,  234,  167},
    {  120,  998,  632,  495,  419,  371,  337,  312,  292,  279,  266,  218,  165,  120,   83},
    {10000,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0}};
// clang-format on

// Fisher's F, 10 F. Row 0 holds f1 (numerator), column 0 holds f2
// (denominator), with the same corner.
constexpr std::size_t FisherRows = 30;
constexpr std::size_t FisherCols = 10;
// clang-format off
constexpr std::int32_t Fisher[FisherRows][FisherCols] = {
    {   -1,    1,    2,    3,    4,    5,    6,   12,   24, 10000},
    {    1, 1644, 1995, 2157, 2246, 2302, 2340, 2449, 2490, 2543},
    {    2,  185,  192,  192,  193,  193,  193,  194,  195,  195},
    {    3,  101,   96,   93,   91,   90,   89,   87,   86,   85},
    {    4,   77,   69,   66,   64,   63,   62,   59,   58,   56},
    {    5,   66,   58,   54,   52,   51,   50,   47,   45,   44},
    {    6,   60,   51,   48,   45,   44,   43,   40,   38,   37},
    {    7,   56,   47,   44,   41,   40,   39,   36,   34,   32},
    {    8,   53,   45,   41,   38,   37,   36,   33,   31,   29},
    {    9,   51,   43,   39,   36,   35,   34,   31,   29,   27},
    {   10,   50,   41,   37,   35,   33,   32,   29,   27,   25},
    {   11,   48,   40,   36,   34,   32,   31,   28,   26,   24},
    {   12,   48,   39,   35,   33,   31,   30,   27,   25,   23},
    {   13,   47,   38,   34,   32,   30,   29,   26,   24,   22},
    {   14,   46,   37,   33,   31,   30,   29,   25,   23,   21},
    {   15,   45,   37,   33,   31,   29,   28,   25,   23,   21},
    {   16,   45,   36,   32,   30,   29,   27,   24,   22,   20},
    {   17,   45,   36,   32,   30,   28,   27,   24,   22,   20},
    {   18,   44,   36,   32,   29,   28,   27,   23,   21,   19},
    {   19,   44,   35,   31,   29,   27,   26,   23,   21,   18},
    {   20,   44,   35,   31,   29,   27,   26,   23,   21,   18},
    {   22,   43,   34,   31,   28,   27,   26,   22,   20,   18},
    {   24,   43,   34,   30,   28,   26,   25,   22,   20,   17},
    {   26,   42,   34,   30,   27,   26,   24,   21,   19,   17},
    {   28,   42,   33,   29,   27,   26,   24,   21,   19,   16},
    {   30,   42,   33,   29,   27,   25,   24,   21,   19,   16},
    {   40,   41,   32,   29,   26,   25,   23,   20,   18,   15},
    {   60,   40,   32,   28,   25,   24,   23,   19,   17,   14},
    {  120,   39,   31,   27,   25,   23,   22,   18,   16,   13},
    {10000,   38,   30,   26,   24,   22,   21,   18,   15,   10}};
// clang-format on

// Index c of the interval header(c) <= x < header(c + 1) among the ascending
// header(0 .. last). Outside the range the search ends at an end interval.
template <typename Header>
std::size_t FindInterval(Header header, std::size_t last, std::int32_t x) {
    std::size_t lo = 0;
    std::size_t hi = last;
    for (;;) {
        const std::size_t mid = (lo + hi) / 2;
        if (mid == lo)
            return lo;
        if (header(lo) <= x && x < header(mid))
            hi = mid;
        else
            lo = mid;
    }
}

// Bilinear interpolation in a table whose row 0 and column 0 are its headers,
// linear in the raw arguments; the result is still in table units.
template <std::size_t Rows, std::size_t Cols>
double InterpolateTable(const std::int32_t (&table)[Rows][Cols], std::int32_t row,
                        std::int32_t col) {
    const std::size_t c = FindInterval([&](std::size_t i) { return table[0][i]; }, Cols - 1, col);
    const std::size_t r = FindInterval([&](std::size_t i) { return table[i][0]; }, Rows - 1, row);
    const double u =
        static_cast<double>(col - table[0][c]) / static_cast<double>(table[0][c + 1] - table[0][c]);
    const double a = table[r][c] + u * (table[r][c + 1] - table[r][c]);
    const double b = table[r + 1][c] + u * (table[r + 1][c + 1] - table[r + 1][c]);
    return a + (b - a) * (row - table[r][0]) / static_cast<double>(table[r + 1][0] - table[r][0]);
}

} // namespace

double StudentQuantile(std::int32_t f) {
    if (f >= InfiniteDf)
        return StudentT[StudentCount - 1] / 100.0;
    if (f <= 0)
        return LargestDouble;
    const std::size_t c =
        FindInterval([](std::size_t i) { return StudentF[i]; }, StudentCount - 1, f);
    const double t0 = StudentT[c] / 100.0;
    const double t1 = StudentT[c + 1] / 100.0;
    return t0 + (t1 - t0) / (StudentF[c + 1] - StudentF[c]) * (f - StudentF[c]);
}

double PearsonQuantile(std::int32_t side, std::int32_t f) {
    if (f <= 0)
        return 0.0;
    f = std::min(f, PearsonDfCount);
    if (side != 1)
        side = 0;
    return Pearson[side][f - 1] * 0.0001;
}

double CochranQuantile(std::int32_t n, std::int32_t f) {
    if (f < 1 || n < 2)
        return 1.0;
    n = std::min(n, LastFiniteDf);
    f = std::min(f, LastFiniteDf);
    return InterpolateTable(Cochran, n, f) * 0.0001;
}

double FisherQuantile(std::int32_t f2, std::int32_t f1) {
    if (f2 < 1 || f1 < 1)
        return LargestDouble;
    f2 = std::min(f2, LastFiniteDf);
    f1 = std::min(f1, LastFiniteDf);
    return InterpolateTable(Fisher, f2, f1) * 0.1;
}

void StudentQuantile(std::int32_t f, double& result) {
    result = StudentQuantile(f);
}

void PearsonQuantile(std::int32_t side, std::int32_t f, double& result) {
    result = PearsonQuantile(side, f);
}

void CochranQuantile(std::int32_t n, std::int32_t f, double& result) {
    result = CochranQuantile(n, f);
}

void FisherQuantile(std::int32_t f2, std::int32_t f1, double& result) {
    result = FisherQuantile(f2, f1);
}

} // namespace orvanta
