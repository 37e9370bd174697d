#include "engine/input_files.h"
#include "engine/scoring.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using engine::Grids;
using enginetest::JobFolder;
using enginetest::ReadBytes;

const char* const kResultName = "e2e-結果.dsr5";

std::vector<std::string> Records(const std::string& text)
{
    std::vector<std::string> records;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        records.push_back(line);
    }
    return records;
}

// A scattered photon at (x, y, z) flying along the (not necessarily unit) vector (u, v, w).
engine::Photon Escaping(float x, float y, float z, float u, float v, float w, float E)
{
    const float norm = std::sqrt(u * u + v * v + w * w);
    const float horizontal = std::sqrt(u * u + v * v);
    engine::Photon p;
    p.x = x;
    p.y = y;
    p.z = z;
    p.direction = {w / norm, horizontal / norm, u / horizontal, v / horizontal};
    p.energy = E;
    p.scattered = true;
    return p;
}

TEST(SupineTest, EscapesMapToTheBlockAboveOrBelowAtTheLateralDistanceTravelled)
{
    JobFolder folder;
    const engine::Tables tables = engine::LoadTables(folder.Path());
    auto up = std::make_unique<Grids>();
    auto mirrored = std::make_unique<Grids>();
    auto down = std::make_unique<Grids>();
    engine::GridScorer upScorer(tables, engine::kSupineGeometry, *up);
    engine::GridScorer mirroredScorer(tables, engine::kSupineGeometry, *mirrored);
    engine::GridScorer downScorer(tables, engine::kSupineGeometry, *down);

    // From the centre, sideways and upwards at 45°, drifting 0.2 cm along y per cm: the path
    // meets z = +50 on the plane x = 50 at y = 10, and no other scoring height within reach.
    upScorer.Score(Escaping(0, 0, 0, 1, 0.2f, 1, 40));
    mirroredScorer.Score(Escaping(0, 0, 0, -1, 0.2f, 1, 40));
    downScorer.Score(Escaping(0, 0, 0, 1, 0.2f, -1, 40));

    const int above = Grids::Index(0, 31, 5); // block shown 50 cm above the centre, y = 10, |x| = 50
    const int below = Grids::Index(2, 31, 5);
    EXPECT_GT(up->kerma[above], 0.0f);
    EXPECT_GT(up->dose[above], 0.0f);
    EXPECT_GT(down->kerma[below], 0.0f);
    int upCells = 0;
    int downCells = 0;
    for (int cell = 0; cell < Grids::kCells; ++cell) {
        upCells += up->kerma[cell] != 0.0f ? 1 : 0;
        downCells += down->kerma[cell] != 0.0f ? 1 : 0;
    }
    EXPECT_EQ(upCells, 1);
    EXPECT_EQ(downCells, 1);
    EXPECT_EQ(down->kerma[below], up->kerma[above]);
    EXPECT_TRUE(mirrored->kerma == up->kerma && mirrored->dose == up->dose); // folded about x = 0
}

TEST(SupineTest, RunWritesCodeOneHeightsAboveFirstAndIsSymmetricAlongTheCouch)
{
    JobFolder folder;
    folder.SetRecord("B2F.txt", 5, "5.000E+05");
    const enginetest::RunOutcome outcome = enginetest::RunEngineIn(folder, engine::kSupineGeometry);
    ASSERT_EQ(outcome.status, 0) << outcome.console;
    EXPECT_NE(outcome.console.find("\n               臥位（Ｘ線：垂直方向）\n"), std::string::npos);

    const std::vector<std::string> records = Records(ReadBytes(folder.File(kResultName)));
    ASSERT_EQ(records.size(), 387u);
    EXPECT_EQ(records[0], "  1");
    EXPECT_EQ(records[12], "  50.0 cm");
    EXPECT_EQ(records[12 + 125], "   0.0 cm");
    EXPECT_EQ(records[12 + 250], " -50.0 cm");

    // Kerma summed over each half of the long axis (y < 0 and y > 0) and over each height.
    // The phantom and the field are symmetric in y, the halves agree within statistics;
    // the tube side below the couch gets the backscatter and more than the side above.
    double half[2] = {0, 0};
    double block[3] = {0, 0, 0};
    for (int h = 0; h < Grids::kHeights; ++h) {
        for (int b = 0; b < Grids::kAlong; ++b) {
            std::istringstream values(records[static_cast<std::size_t>(12 + 125 * h + 2 + b)]);
            double sum = 0;
            for (double v = 0; values >> v;) sum += v;
            block[h] += sum;
            if (b != 30) half[b < 30 ? 0 : 1] += sum;
        }
    }
    ASSERT_GT(half[0], 0.0);
    EXPECT_NEAR(half[0] / half[1], 1.0, 0.05);
    EXPECT_GT(block[2], 1.5 * block[0]);
}

TEST(SupineTest, ProgramRunsInTheWorkingDirectory)
{
    JobFolder folder;
    folder.SetRecord("B2F.txt", 5, "2.000E+04");
    const std::string command =
        "cd '" + folder.Path() + "' && '" + BRISCA_MCSUPINE + "' </dev/null >console.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::vector<std::string> records = Records(ReadBytes(folder.File(kResultName)));
    ASSERT_EQ(records.size(), 387u);
    EXPECT_EQ(records[0], "  1");
    for (const std::string& record : records) EXPECT_EQ(record.find("NaN"), std::string::npos);
    const std::string console = ReadBytes(folder.File("console.txt"));
    EXPECT_NE(console.find("臥位（Ｘ線：垂直方向）"), std::string::npos);
    EXPECT_NE(console.find("Stop - Program terminated."), std::string::npos);
}

} // namespace
