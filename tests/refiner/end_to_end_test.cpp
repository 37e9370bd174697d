#include "work_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kRecordBytes = 381 * 11 + 2;
// Records compared verbatim: first, second, beam axis, edges and the records around the
// empty and negative cells of the sample.
constexpr int kExcerptRecords[] = {1, 2, 300, 601, 602, 1502, 2405, 3104, 3606};

std::string Record(const std::string& text, int n)
{
    return text.substr((n - 1) * kRecordBytes, kRecordBytes);
}

std::string Digest(const std::string& bytes)
{
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a, 64 bit
    for (const unsigned char byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
    std::ostringstream text;
    text << std::hex << hash << "\r\n";
    return text.str();
}

std::vector<double> Fields(const std::string& record, int width, int count)
{
    std::vector<double> values;
    for (int k = 0; k < count; ++k)
        values.push_back(std::strtod(record.substr(k * width, width).c_str(), nullptr));
    return values;
}

class EndToEnd : public InWorkDir {
protected:
    void SetUp() override
    {
        InWorkDir::SetUp();
        WriteBytes("sample.dsr5", SampleResult());
        WriteBytes("FLname.txt", "sample.dsr5\r\n");
        status = std::system(MCREFINE " > console.txt 2> errors.txt");
        grid = ReadBytes("F2B.dat");
    }
    int status = -1;
    std::string grid;
};

// The stored expectation is refreshed only on purpose: BRISCA_UPDATE_EXPECTED=1.
TEST_F(EndToEnd, SampleResultGivesTheStoredGridByteForByte)
{
    ASSERT_EQ(status, 0);
    EXPECT_EQ(ReadBytes("console.txt"), " ***\nStop - Program terminated.\n");
    EXPECT_EQ(ReadBytes("errors.txt"), "");
    EXPECT_EQ(Entries(), 5); // nothing left behind under a temporary name
    ASSERT_EQ(grid.size(), 3606 * kRecordBytes);
    std::string excerpt;
    for (const int n : kExcerptRecords) excerpt += Record(grid, n);
    const std::string data = BRISCA_REFINER_DATA;
    if (std::getenv("BRISCA_UPDATE_EXPECTED") != nullptr) {
        WriteBytes(data + "/sample_F2B.excerpt", excerpt);
        WriteBytes(data + "/sample_F2B.digest", Digest(grid));
    }
    EXPECT_EQ(excerpt, ReadBytes(data + "/sample_F2B.excerpt"));
    EXPECT_EQ(Digest(grid), ReadBytes(data + "/sample_F2B.digest"));
}

// At every coarse grid point the printed fine value is the printed coarse value times 10^6
// (negative rates count as none).
TEST_F(EndToEnd, FineValuesAtCoarsePointsAreTheCoarseValuesInMicroUnits)
{
    ASSERT_EQ(status, 0);
    std::istringstream coarse(SampleResult());
    std::string line;
    for (int k = 0; k < 12; ++k) std::getline(coarse, line);
    for (int block = 0; block < 6; ++block) {
        std::getline(coarse, line);
        if (block % 2 == 0) std::getline(coarse, line);
        for (int b = 0; b < 61; ++b) {
            std::getline(coarse, line);
            if (b == 0) continue; // -300 cm is not written
            const auto fine = Fields(Record(grid, block * 601 + 10 * b), 11, 381);
            const auto rates = Fields(line, 11, 41);
            for (int i = 3; i <= 40; ++i) {
                const double expected = rates[i] > 0 ? rates[i] * 1e6 : 0.0;
                EXPECT_NEAR(fine[10 * i - 21], expected, 1e-9 * expected) << block << ", " << b << ", " << i;
            }
        }
    }
}

} // namespace
