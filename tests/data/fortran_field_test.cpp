// The generator's fixed-width fields, as the engine's reader expects them.
#include "fortran_field.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

TEST(FortranField, ExponentFields)
{
    const struct {
        double value;
        int width, decimals;
        const char* text;
    } cases[] = {
        {0.005, 9, 3, "0.500E-02"},
        {0.0, 10, 3, " 0.000E+00"},
        {9.9996, 10, 3, " 0.100E+02"},
        {0.0304100, 15, 6, "   0.304100E-01"},
        {150.0, 10, 4, "0.1500E+03"},
        {-1.5, 10, 3, "-0.150E+01"},
        {3.3106e23, 12, 5, " 0.33106E+24"},
        {1.0, 9, 3, "0.100E+01"},
        {0.099949, 10, 3, " 0.999E-01"},
        {0.099951, 10, 3, " 0.100E+00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tablegen::FormatE(c.value, c.width, c.decimals), c.text) << c.value;
    }
}

TEST(FortranField, FixedAndIntegerFields)
{
    EXPECT_EQ(tablegen::FormatF(1.06, 9, 6), " 1.060000");
    EXPECT_EQ(tablegen::FormatF(0.5, 6, 1), "   0.5");
    EXPECT_EQ(tablegen::FormatF(150.0, 6, 1), " 150.0");
    EXPECT_EQ(tablegen::FormatI(25, 3), " 25");
}

// A value too wide for its column would shift every later field of the record.
TEST(FortranField, ValuesThatDoNotFitAreRefused)
{
    EXPECT_THROW(tablegen::FormatI(1000, 3), std::range_error);
    EXPECT_THROW(tablegen::FormatE(-1.5, 9, 3), std::range_error);
    EXPECT_THROW(tablegen::FormatE(1e120, 10, 3), std::range_error);
    EXPECT_THROW(tablegen::FormatF(12345.0, 6, 1), std::range_error);
}

} // namespace
