// The committed tables must be exactly what the generator writes today.
#include "table_reader.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tabletest {
namespace {

namespace fs = std::filesystem;

TEST(Regeneration, GeneratorReproducesTheShippedTablesByteForByte)
{
    const testsupport::TempFolder temp("brisca-tables");
    const fs::path& folder = temp.Path();
    const std::string command = "cd '" + folder.string() + "' && '" + MKTABLES_PATH + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    for (const char* name : {"ICRUSoft.dat", "Air.eac", "Ak2Sv.dat", "MUs.dat", "default-output.op"}) {
        const std::string fresh = testsupport::ReadBytes(folder / name);
        const std::string shipped = testsupport::ReadBytes(DataPath(name));
        EXPECT_FALSE(fresh.empty()) << name;
        EXPECT_TRUE(fresh == shipped) << name << " differs from the generator's output; rerun "
                                      << "mktables in data/ and commit the result";
    }
    std::size_t leftovers = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".part") ++leftovers;
    }
    EXPECT_EQ(leftovers, 0u);
}

} // namespace
} // namespace tabletest
