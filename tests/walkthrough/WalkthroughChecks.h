#pragma once

// What the walkthrough checks the program's output by, worked out here and
// not by the program: the structure of the rotatable design, natural units
// from the typed levels, the pasted responses, the fitted polynomial along
// the diagram and over the surface grid; and how a report and a drawn
// surface are read.

#include "WalkthroughData.h"

#include "SessionScript.h"

#include <QImage>
#include <QStringList>
#include <QtTest>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace orvanta::test {

// The five data items by their batch names ("code", "natural", ...), all to
// the four or five significant digits of the text form.
inline void CheckTextExports(const std::map<std::string, std::string>& files,
                             const std::vector<std::vector<double>>& responses) {
    const std::vector<double> code = TextFormValues(files.at("code"));
    const std::vector<double> natural = TextFormValues(files.at("natural"));
    QCOMPARE(code.size(), std::size_t(45));
    QCOMPARE(natural.size(), std::size_t(45));
    // Eight corners at ±1, six star points at ±2^(3/4), the centre.
    std::map<double, int> levels;
    for (double v : code)
        ++levels[std::abs(v)];
    QCOMPARE(levels, (std::map<double, int>{{0.0, 15}, {1.0, 24}, {1.6818, 6}}));
    for (std::size_t i = 0; i < 45; ++i) {
        const double expected = BaseLevels[i % 3] + Intervals[i % 3] * code[i];
        QVERIFY2(std::abs(natural[i] - expected) <= 1e-4 * std::abs(expected),
                 qPrintable(QString::number(i)));
    }
    QCOMPARE(TextFormValues(files.at("levels")),
             std::vector<double>(BaseLevels.begin(), BaseLevels.end()));
    QCOMPARE(TextFormValues(files.at("intervals")),
             std::vector<double>(Intervals.begin(), Intervals.end()));
    const std::vector<double> y = TextFormValues(files.at("responses"));
    QCOMPARE(y.size(), std::size_t(30));
    for (std::size_t i = 0; i < 30; ++i)
        QVERIFY(std::abs(y[i] - responses[i / 2][i % 2]) <= 1e-4 * std::abs(y[i]));
}

// 21 predictions along the second factor from -1 to 1, the others held.
inline void CheckCurve(const std::string& diagram, const std::vector<double>& b) {
    const std::vector<double> curve = Numbers(diagram);
    QCOMPARE(curve.size(), std::size_t(21));
    for (int p = 0; p < 21; ++p) {
        std::vector<double> x(HeldLevels.begin(), HeldLevels.end());
        x[1] = -1.0 + p * 0.1;
        QVERIFY(std::abs(curve[p] - Polynomial(b, x)) < 1e-9);
    }
}

// The Surfer grid over the first factor (12 points on [-1, 1]) and the
// third (8 points on [-1.5, 1]): its header in natural units and the
// response's range, then a row per value of the third factor.
inline void CheckGrid(const std::string& grid, const std::vector<double>& b) {
    QVERIFY(grid.rfind("DSAA\n12\t8\n130\t170\n25\t50\n", 0) == 0);
    const std::vector<double> values = Numbers(grid.substr(grid.find('\n')));
    QCOMPARE(values.size(), std::size_t(8 + 96));
    double low = values[8], high = values[8];
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 12; ++col) {
            const std::vector<double> x{-1.0 + col * 2.0 / 11.0, HeldLevels[1],
                                        -1.5 + row * 2.5 / 7.0};
            const double z = values[8 + row * 12 + col];
            QVERIFY(std::abs(z - Polynomial(b, x)) < 1e-9);
            low = std::min(low, z);
            high = std::max(high, z);
        }
    QCOMPARE(values[6], low);
    QCOMPARE(values[7], high);
}

// The report's lines without the one that says when it was composed.
inline QStringList ReportLines(const std::string& text) {
    QStringList lines =
        QString::fromStdString(text).remove(QLatin1Char('\r')).trimmed().split(QLatin1Char('\n'));
    lines.removeIf(
        [](const QString& line) { return line.startsWith(QStringLiteral("Отчет составлен: ")); });
    return lines;
}

} // namespace orvanta::test
