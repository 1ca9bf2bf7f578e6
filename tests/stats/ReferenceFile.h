#pragma once

// The reference files of tests/data/statistics: one item a line, its words
// separated by blanks ("anova model 5 481.8 ..."); "NA" where R has no value.

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace orvanta::test {

using TWordsLine = std::vector<std::string>;

inline std::vector<TWordsLine> ReadReference(const std::string& path) {
    std::ifstream in(path);
    std::vector<TWordsLine> lines;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        TWordsLine& out = lines.emplace_back();
        for (std::string word; words >> word;)
            out.push_back(word);
        if (out.empty())
            lines.pop_back();
    }
    return lines;
}

inline double Figure(const std::string& word) {
    return word == "NA" ? std::numeric_limits<double>::quiet_NaN() : std::stod(word);
}

// Relative 1e-9, or 1e-9 absolute for probabilities; NaN only matches NaN.
inline bool Agrees(double got, double expected, bool probability = false) {
    if (std::isnan(expected) || std::isnan(got))
        return std::isnan(expected) && std::isnan(got);
    const double scale = probability ? 1.0 : std::max(std::fabs(got), std::fabs(expected));
    return std::fabs(got - expected) <= 1e-9 * scale;
}

} // namespace orvanta::test
