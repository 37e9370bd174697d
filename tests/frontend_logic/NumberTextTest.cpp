#include "logic/text/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <stdexcept>

using namespace brisca;

namespace {

struct ValCase {
    const char* text;
    double expected;
};

TEST(LeadingNumber, TakesTheNumberAtTheStartOfTheText)
{
    const ValCase cases[] = {
        {"80", 80.0},
        {"  12", 12.0},
        {"\t2.5mm", 2.5},
        {"1.5 mm", 1.5},
        {"-3.25", -3.25},
        {"+7", 7.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"1.50E-02", 0.015},
        {"0.1234E-01", 0.01234},
        {"5e8", 5e8},
        {"2D3", 2000.0},
        {"1e", 1.0},
        {"1e+", 1.0},
        {"3E-x", 3.0},
        {"12abc", 12.0},
        {"", 0.0},
        {"abc", 0.0},
        {"-", 0.0},
        {".", 0.0},
        {"nan", 0.0},
        {"inf", 0.0},
        {"1,5", 1.0},
        {"0x10", 0.0},
        {"00042", 42.0},
        {"500000000", 5e8},
        {"1e-400", 0.0},
        {"99999999", 99999999.0},
    };
    for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.expected) << "text \"" << c.text << "\"";
}

TEST(LeadingNumber, BeyondTheDoubleRangeIsInfinite)
{
    EXPECT_EQ(LeadingNumber("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("-1e99999999999999999999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("0.000001e-99999999999"), 0.0);
}

TEST(ReadsAsNumber, OnlyTextsThatAreOneNumberThroughout)
{
    for (const char* text : {"80", " 2.5 ", "-3", "+.5", "5.", "1e9", "1.5E-02", "2D3", "1e999"})
        EXPECT_TRUE(ReadsAsNumber(text)) << text;
    for (const char* text :
        {"", "  ", "2,5", "80kV", "1.5.2", "1e", "3E-x", ".", "-", "inf", "0x10", "1 2", "２．５"})
        EXPECT_FALSE(ReadsAsNumber(text)) << text;
}

TEST(LeadingNumber, IgnoresTheProcessLocale)
{
    // A windowed program takes its locale from the environment; a comma locale must not
    // change how a typed full stop reads.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no German locale";
    EXPECT_EQ(LeadingNumber("2.5"), 2.5);
    EXPECT_EQ(FormatNumber(2.5, "00.000"), "02.500");
    EXPECT_EQ(PlainNumberText(0.75), "0.75");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

struct PlainCase {
    double value;
    const char* expected;
};

TEST(PlainNumberText, ShortestDecimalUpToFifteenDigits)
{
    const PlainCase cases[] = {
        {3000.0, "3000"},
        {0.75, "0.75"},
        {22.5, "22.5"},
        {2.0 * 15.0 * 5.0 * 0.001, "0.15"}, // pulsed current 2 mA x 15 fps x 5 ms
        {0.1 + 0.2, "0.3"},
        {0.0, "0"},
        {-0.0, "0"},
        {-12.5, "-12.5"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"},
        {1.5e15, "1.5E+15"},
        {0.00001, "0.00001"},
        {0.000001, "1E-06"},
        {-2.5e-7, "-2.5E-07"},
        {1e100, "1E+100"},
        {0.015, "0.015"},
        {500000000.0, "500000000"},
    };
    for (const auto& c : cases) EXPECT_EQ(PlainNumberText(c.value), c.expected) << "value " << c.value;
}

TEST(PlainNumberText, ReadsBackThroughVal)
{
    for (const double value : {0.015, 1234.5678, 1e-9, 6.02e23, -0.001})
        EXPECT_EQ(LeadingNumber(PlainNumberText(value)), value);
}

struct PatternCase {
    double value;
    const char* pattern;
    const char* expected;
};

TEST(FormatNumber, FixedPatterns)
{
    const PatternCase cases[] = {
        // Energy column of the spectrum file.
        {0.5, "0000.0", "0000.5"},
        {150.0, "0000.0", "0150.0"},
        {12345.0, "0000.0", "12345.0"},
        // Relative intensities: five decimals, half away from zero.
        {1.0, "0.00000", "1.00000"},
        {0.0, "0.00000", "0.00000"},
        {0.000004, "0.00000", "0.00000"},
        {0.000005, "0.00000", "0.00001"},
        {0.999995, "0.00000", "1.00000"},
        {0.1234549, "0.00000", "0.12345"},
        // Voltage, current, angle, filters.
        {80.0, "000.0", "080.0"},
        {149.5, "000.0", "149.5"},
        {30.0, "000.0", "030.0"},
        {99.96, "000.0", "100.0"},
        {1.0, "##0.00", "1.00"},
        {0.0, "##0.00", "0.00"},
        {0.15, "##0.00", "0.15"},
        {0.005, "##0.00", "0.01"},
        {0.125, "##0.00", "0.13"},
        {1234.567, "##0.00", "1234.57"},
        {12.0, "00.0", "12.0"},
        {2.5, "00.0", "02.5"},
        {2.5, "00.000", "02.500"},
        {1.0, "00.000", "01.000"},
        {0.0, "00.000", "00.000"},
        {1.2345, "00.000", "01.235"},
        {10.0 * (1.2345 * 0.1), "00.000", "01.235"}, // binary noise does not tip the half
        // Job file distances.
        {90.0, "#00.0", "90.0"},
        {5.0, "#00.0", "05.0"},
        {120.0, "#00.0", "120.0"},
        {0.0, "#00.0", "00.0"},
        {20.0, "#0.0", "20.0"},
        {5.0, "#0.0", "5.0"},
        {0.25, "#0.0", "0.3"},
        {9.95, "#0.0", "10.0"},
        {30.0, "#0.0", "30.0"},
        // Layout read-out in metres.
        {8.5, "0.0", "8.5"},
        {-0.3, "0.0", "-0.3"},
        {-0.04, "0.0", "0.0"},
        {-0.05, "0.0", "-0.1"},
        {0.04, "0.0", "0.0"},
        {-12.25, "0.0", "-12.3"},
        {1e20, "0.0", "100000000000000000000.0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatNumber(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
}

TEST(FormatNumber, ExponentPatterns)
{
    const PatternCase cases[] = {
        {500000000.0, "0.000E+00", "5.000E+08"}, {100000000.0, "0.000E+00", "1.000E+08"},
        {0.01234, "0.000E+00", "1.234E-02"}, {2.468e-2, "0.000E+00", "2.468E-02"},
        {0.0, "0.000E+00", "0.000E+00"}, {9.9996e-3, "0.000E+00", "1.000E-02"},
        {9.9994e-3, "0.000E+00", "9.999E-03"}, {1.2345e-3, "0.000E+00", "1.235E-03"},
        {-4.5e-5, "0.000E+00", "-4.500E-05"}, {1e100, "0.000E+00", "1.000E+100"},
        {1.5e-300, "0.000E+00", "1.500E-300"}, {12.3, "0.00E+00", "1.23E+01"}, {0.0, "0.00E+00", "0.00E+00"},
        {999.5, "0.00E+00", "1.00E+03"}, {100000000.0, "#.0E+00", "1.0E+08"},
        {500000000.0, "#.0E+00", "5.0E+08"}, {99999999.0, "#.0E+00", "1.0E+08"}, {1.25, "#.0E+00", "1.3E+00"},
        {0.0, "#.0E+00", ".0E+00"}, // the "#" place prints nothing for zero
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatNumber(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
}

TEST(FormatNumber, NonFiniteValuesAreNamedNotFormatted)
{
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), "0.000E+00"), "inf");
    EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity(), "0.0"), "-inf");
    EXPECT_EQ(FormatNumber(std::nan(""), "00.000"), "nan");
}

TEST(FormatNumber, RejectsPatternsOutsideTheFamily)
{
    for (const char* pattern : {"", "abc", "0.#0", "0#.0", "00.0E00", "00.0E+00", "0.0E+", ".00"})
        EXPECT_THROW(FormatNumber(1.0, pattern), std::invalid_argument) << pattern;
}

} // namespace
