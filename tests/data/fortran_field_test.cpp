// The generator's fixed-width fields, as the engine's reader expects them.
#include "fortran_field.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

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
    EXPECT_THROW(tablegen::FormatF(12345.0, 6, 1), std::range_error);
}

} // namespace
