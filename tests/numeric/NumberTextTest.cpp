#include "numeric/NumberText.h"
#include "numeric/Errors.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <string>

using namespace orvanta;

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();

// The C library's printf, in the C locale this test program runs in.
std::string Printf(const char* format, double value) {
    char text[512];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string WithSeparator(std::string text, char separator) {
    for (char& c : text) {
        if (c == '.') {
            c = separator;
        }
    }
    return text;
}

// The separator is process-wide; every test starts and ends with the point.
class NumberText : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_STREQ(std::localeconv()->decimal_point, ".");
        SetDecimalSeparator('.');
    }
    void TearDown() override { SetDecimalSeparator('.'); }
};

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// clang-format off
const double FormatValues[] = {
    0.0, -0.0, 1.0, -1.0, 0.5, -2.0, 0.125, 0.1, 0.3333333333333333, 3.14159265358979,
    -3.14159265358979, 1e-5, 0.0001, 0.00012345678, -0.000099995, 9.99995, 99995.0, 99999.5,
    123456.0, 1234567.0, -1234.5, 1e15, 123456789012345.0, 1e20, -1e20, 1e100,
    1.7976931348623157e308, 2.2250738585072014e-308, 1e-310, 4.9406564584124654e-324, Inf, -Inf, NaN};
// clang-format on

} // namespace

TEST_F(NumberText, FormsMatchPrintfWithTheProcessSeparator) {
    struct Form {
        const char* format;
        std::function<std::string(double)> apply;
    };
    const Form forms[] = {{"%.4g", FormatVectorCell},
                          {"%.5g", FormatMatrixCell},
                          {"%5.5g", FormatCoefficient},
                          {"%4.4g", FormatQuantile},
                          {"%.15g", FormatFull},
                          {"%.17g", [](double v) { return FormatGeneral(v, 17); }},
                          {"%12.3g", [](double v) { return FormatGeneral(v, 3, 12); }},
                          {"%.1g", [](double v) { return FormatGeneral(v, 1); }}};
    for (char separator : {'.', ','}) {
        SetDecimalSeparator(separator);
        for (const Form& form : forms) {
            for (double value : FormatValues) {
                SCOPED_TRACE(std::string(form.format) + " " + separator + " " +
                             Printf("%.17g", value));
                EXPECT_EQ(form.apply(value), WithSeparator(Printf(form.format, value), separator));
            }
        }
    }
}

TEST_F(NumberText, PointFormIgnoresTheProcessSeparator) {
    SetDecimalSeparator(',');
    for (double value : FormatValues) {
        SCOPED_TRACE(Printf("%.17g", value));
        EXPECT_EQ(FormatGeneralPoint(value, 5), Printf("%.5g", value));
        EXPECT_EQ(FormatGeneralPoint(value, 4, 9), Printf("%9.4g", value));
    }
    EXPECT_EQ(GetDecimalSeparator(), ',');
}

TEST_F(NumberText, ShortestPointFormReadsBackExactly) {
    SetDecimalSeparator(',');
    const struct {
        double Value;
        const char* Text;
    } cases[] = {
        {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
        {std::numeric_limits<double>::min(), "2.2250738585072014e-308"},
        {std::numeric_limits<double>::denorm_min(), "5e-324"},
        {0.1, "0.1"},
        {1.0 / 3.0, "0.3333333333333333"},
        {-2.03, "-2.03"},
        {1e22, "1e+22"},
        {-0.0, "-0"},
        {std::numeric_limits<double>::infinity(), "inf"},
    };
    for (const auto& c : cases) {
        const std::string text = FormatShortestPoint(c.Value);
        EXPECT_EQ(text, c.Text);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), c.Value) << text;
    }
}

TEST_F(NumberText, TextToFloatReadsTheProcessSeparator) {
    struct Case {
        const char* text;
        char separator;
        // The same number as the C library reads it; null when not a number.
        const char* reference;
    };
    // clang-format off
    const Case cases[] = {
        {"1.5", '.', "1.5"}, {"1,5", '.', nullptr}, {"1,5", ',', "1.5"}, {"1.5", ',', nullptr},
        {"  1.5  ", '.', "1.5"}, {" -2,25 ", ',', "-2.25"}, {"+1.5", '.', "1.5"},
        {"-1.5", '.', "-1.5"}, {"42", '.', "42"}, {"-0", '.', "-0"},
        {"1e3", '.', "1e3"}, {"1E3", '.', "1e3"}, {"1.5e-3", '.', "1.5e-3"},
        {"1,5e-3", ',', "1.5e-3"}, {"1e+3", '.', "1e3"}, {"-2.5E+2", '.', "-250"},
        {"1.", '.', "1"}, {".5", '.', "0.5"}, {",5", ',', "0.5"}, {"1,", ',', "1"},
        // correctly rounded, as the C library reads them
        {"0.1", '.', "0.1"}, {"0.30000000000000004", '.', "0.30000000000000004"},
        {"123456789012345678901234567890", '.', "123456789012345678901234567890"},
        {"2.2250738585072014e-308", '.', "2.2250738585072014e-308"},
        {"1.7976931348623157e308", '.', "1.7976931348623157e308"},
        // underflow is zero, overflow is not a number
        {"1e-400", '.', "0"}, {"-1e-400", '.', "0"}, {"1e400", '.', nullptr}, {"-1e400", '.', nullptr},
        {"", '.', nullptr}, {"   ", '.', nullptr}, {"abc", '.', nullptr}, {"1.2.3", '.', nullptr},
        {"1,2,3", ',', nullptr}, {"1e", '.', nullptr}, {"1e+", '.', nullptr}, {"e5", '.', nullptr},
        {".", '.', nullptr}, {"-", '.', nullptr}, {"+", '.', nullptr}, {"--1", '.', nullptr},
        {"1 2", '.', nullptr}, {"1.5abc", '.', nullptr}, {"1e5.5", '.', nullptr},
        {"0x10", '.', nullptr}, {"inf", '.', nullptr}, {"nan", '.', nullptr}};
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\" with " + c.separator);
        SetDecimalSeparator(c.separator);
        double value = -12345;
        const bool ok = TextToFloat(c.text, value);
        EXPECT_EQ(ok, c.reference != nullptr);
        if (ok && c.reference) {
            EXPECT_EQ(value, std::strtod(c.reference, nullptr));
        }
        if (c.reference) {
            EXPECT_EQ(StrToFloat(c.text), std::strtod(c.reference, nullptr));
        } else {
            EXPECT_THROW(StrToFloat(c.text), EConvertError);
        }
    }
}

TEST_F(NumberText, TextToIntReadsA32BitInteger) {
    struct Case {
        const char* text;
        bool ok;
        std::int32_t value;
    };
    // clang-format off
    const Case cases[] = {
        {"0", true, 0}, {"42", true, 42}, {"  42  ", true, 42}, {"+7", true, 7}, {"-7", true, -7},
        {"007", true, 7}, {"2147483647", true, 2147483647}, {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0}, {"-2147483649", false, 0}, {"4294967296", false, 0},
        {"99999999999999999999", false, 0}, {"", false, 0}, {"  ", false, 0}, {"-", false, 0},
        {"- 1", false, 0}, {"1 2", false, 0}, {"1.0", false, 0}, {"1,0", false, 0},
        {"1e3", false, 0}, {"0x10", false, 0}, {"12a", false, 0}};
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        std::int32_t value = -1;
        EXPECT_EQ(TextToInt(c.text, value), c.ok);
        if (c.ok) {
            EXPECT_EQ(value, c.value);
            EXPECT_EQ(StrToInt(c.text), c.value);
        } else {
            EXPECT_THROW(StrToInt(c.text), EConvertError);
        }
    }

    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-17), "-17");
    EXPECT_EQ(IntToStr(std::numeric_limits<std::int64_t>::max()), "9223372036854775807");
    EXPECT_EQ(IntToStr(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

TEST_F(NumberText, DetectionReadsTheEnvironmentWithoutTouchingTheLocale) {
    const char* savedAll = std::getenv("LC_ALL");
    const std::string savedAllText = savedAll ? savedAll : "";
    const char* savedNumeric = std::getenv("LC_NUMERIC");
    const std::string savedNumericText = savedNumeric ? savedNumeric : "";
    const std::string globalBefore = std::setlocale(LC_NUMERIC, nullptr);

    unsetenv("LC_ALL");
    setenv("LC_NUMERIC", "C", 1);
    SetDecimalSeparator(',');
    EXPECT_EQ(DetectDecimalSeparator(), '.');
    EXPECT_EQ(GetDecimalSeparator(), '.');
    EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), globalBefore);

    if (savedAll) {
        setenv("LC_ALL", savedAllText.c_str(), 1);
    }
    if (savedNumeric) {
        setenv("LC_NUMERIC", savedNumericText.c_str(), 1);
    } else {
        unsetenv("LC_NUMERIC");
    }
}
