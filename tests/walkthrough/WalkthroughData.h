#pragma once

// The data the person of the walkthrough brings: factor names, natural
// levels, responses of a known second-order polynomial with a small
// disturbance, and the levels at which the graphs hold the other factors;
// with the arithmetic the test checks the program's output by.

#include "mteditor/MTEditForm.h"

#include <array>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace orvanta::test {

inline const std::vector<std::string> FactorNames{"Температура", "Давление", "Время"};
inline constexpr std::array<double, 3> BaseLevels{150.0, 2.5, 40.0};
inline constexpr std::array<double, 3> Intervals{20.0, 0.5, 10.0};
inline constexpr std::array<double, 3> HeldLevels{0.5, 0.25, -0.4};

// 1; x1, x2, x3; x1x2, x1x3, x2x3; x1², x2², x3² — no x1x3, x2x3 or x3².
inline constexpr std::array<double, 10> TrueCoefficients{60.0, 4.0, -3.0, 2.0,  1.5,
                                                         0.0,  0.0, -2.5, -1.2, 0.0};

// The full quadratic model in three coded factors.
inline double Polynomial(const std::vector<double>& b, const std::vector<double>& x) {
    return b[0] + b[1] * x[0] + b[2] * x[1] + b[3] * x[2] + b[4] * x[0] * x[1] +
           b[5] * x[0] * x[2] + b[6] * x[1] * x[2] + b[7] * x[0] * x[0] + b[8] * x[1] * x[1] +
           b[9] * x[2] * x[2];
}

// Two repeats per run, rounded to three decimals as a person writes them.
inline std::vector<std::vector<double>> ResponsesAt(const TNamedMatrix& code) {
    const std::vector<double> b(TrueCoefficients.begin(), TrueCoefficients.end());
    std::vector<std::vector<double>> y;
    for (std::int32_t i = 0; i < code.RowCount(); ++i) {
        const double exact = Polynomial(b, {code.Get(i, 0), code.Get(i, 1), code.Get(i, 2)});
        std::vector<double> run;
        for (int j = 0; j < 2; ++j) {
            const double noise = ((i * 7 + j * 3) % 5 - 2) * 0.05;
            run.push_back(std::stod(QString::number(exact + noise, 'f', 3).toStdString()));
        }
        y.push_back(run);
    }
    return y;
}

// As copied from a spreadsheet: TAB between the repeats, a line per run.
inline std::string ResponsesText(const std::vector<std::vector<double>>& y) {
    std::ostringstream text;
    text.precision(17);
    for (const auto& run : y)
        text << run[0] << '\t' << run[1] << "\r\n";
    return text.str();
}

// Every number of a text, in order.
inline std::vector<double> Numbers(const std::string& text) {
    std::istringstream in(text);
    std::vector<double> values;
    for (double value; in >> value;)
        values.push_back(value);
    return values;
}

// The values of a vector or matrix in its text form: everything after the
// header line.
inline std::vector<double> TextFormValues(const std::string& text) {
    const std::size_t header = text.find('\n');
    return header == std::string::npos ? std::vector<double>{} : Numbers(text.substr(header));
}

} // namespace orvanta::test
