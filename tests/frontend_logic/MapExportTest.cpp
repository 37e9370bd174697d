// brisca-map and the exports it shares with the windows: the result refined in memory against
// the refiner's own file, the CSV read back, the export names, and the program's pictures and
// exit statuses.
#include <QGuiApplication>
#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "drawing/DistributionMap.h"
#include "logic/exports/GridCsv.h"
#include "logic/exports/PictureNames.h"
#include "logic/result/ColourBands.h"
#include "logic/result/DataProcessing.h"
#include "logic/room/RoomFile.h"
#include "mapjob/RefinedResult.h"
#include "refiner/run.h"

using namespace brisca;
namespace fs = std::filesystem;

namespace {

class MapExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::path(::testing::TempDir()) / ("map-export-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::copy_file(BRISCA_ENGINE_RESULT, dir_ / "real.dsr5");
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Exit status of brisca-map with `arguments`, run in the test's folder.
    int Map(const std::string& arguments)
    {
        const std::string command = "cd '" + dir_.string() + "' && '" BRISCA_MAP_PROGRAM "' " + arguments +
                                    " > stdout.txt 2> stderr.txt";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Read(const std::string& name) const
    {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // The real result refined in memory.
    ProcessedResult InMemory() const
    {
        ProcessedResult result;
        EXPECT_EQ(RefineResultInMemory(dir_ / "real.dsr5", result), "");
        return result;
    }

    fs::path dir_;
};

QRgb Qrgb(const Rgb& c) { return qRgb(c.r, c.g, c.b); }

TEST_F(MapExport, InMemoryGridsAreTheNumbersDataProcessingReadsFromTheRefinersFile)
{
    const fs::path previous = fs::current_path();
    fs::current_path(dir_);
    std::ofstream("FLname.txt") << "real.dsr5\r\n";
    std::ostringstream console, errors;
    ASSERT_EQ(refiner::RunRefiner(console, errors), 0) << errors.str();
    const ProcessedResult file = ProcessRefinedGrids("F2B.dat");
    fs::current_path(previous);
    ASSERT_EQ(file.outcome, ProcessingOutcome::Complete) << file.detail;

    const ProcessedResult memory = InMemory();
    ASSERT_EQ(memory.outcome, ProcessingOutcome::Complete);
    // Every value, including the cells beyond the engine's grid, bit for bit.
    EXPECT_TRUE(memory.kermaGrid.values.size() == file.kermaGrid.values.size());
    for (std::size_t n = 0; n < file.kermaGrid.values.size(); ++n) {
        const double a = file.kermaGrid.values[n], b = memory.kermaGrid.values[n];
        const double c = file.doseGrid.values[n], d = memory.doseGrid.values[n];
        ASSERT_TRUE(
            (a == b || (std::isnan(a) && std::isnan(b))) && (c == d || (std::isnan(c) && std::isnan(d))))
            << "entry " << n;
    }
    EXPECT_EQ(memory.kermaMax, file.kermaMax);
    EXPECT_EQ(memory.doseScale, file.doseScale);
}

TEST_F(MapExport, TheCsvReadsBackToEveryValueOfTheLayerAtItsPositions)
{
    const ProcessedResult result = InMemory();
    const std::string csv =
        GridCsvText(result.doseGrid, HeightLayer::Below, {"real.dsr5", "実効線量 (H1cm) 率 μSv/min"});
    std::istringstream in(csv);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "# real.dsr5\r");
    std::getline(in, line);
    std::getline(in, line);
    EXPECT_EQ(line.substr(0, 10), "cm,21,22,2");
    EXPECT_EQ(line.substr(line.size() - 5), ",401\r");
    int rows = 0;
    while (std::getline(in, line)) {
        ++rows;
        std::istringstream fields(line);
        std::string field;
        std::getline(fields, field, ',');
        ASSERT_EQ(std::stoi(field), -300 + rows);
        for (int c = 1; c <= DisplayGrid::Columns; ++c) {
            ASSERT_TRUE(std::getline(fields, field, ','));
            ASSERT_EQ(std::strtod(field.c_str(), nullptr), result.doseGrid.At(3, c, rows))
                << rows << "," << c;
        }
        EXPECT_FALSE(std::getline(fields, field, ','));
    }
    EXPECT_EQ(rows, DisplayGrid::Rows);
}

TEST(ExportNames, NameTheResultTheQuantityTheHeightAndTheRoom)
{
    const struct {
        const char* result;
        Quantity quantity;
        HeightLayer layer;
        bool room;
        const char* ext;
        const char* name;
    } cases[] = {
        {"stand.dsr5", Quantity::Kerma, HeightLayer::Centre, false, ".png", "stand_kerma_center.png"},
        {"stand.dsr5", Quantity::Dose, HeightLayer::Above, true, ".png", "stand_dose_above_room.png"},
        {"dir/a.b.dsrC", Quantity::Kerma, HeightLayer::Below, false, ".csv", "a.b_corrected_kerma_below.csv"},
        {"noext", Quantity::Dose, HeightLayer::Centre, false, ".csv", "noext_dose_center.csv"}};
    for (const auto& c : cases)
        EXPECT_EQ(ExportFileName(c.result, c.quantity, c.layer, c.room, c.ext), c.name);
}

TEST_F(MapExport, RefusalsAndFileFaultsEndWithTheirStatusAndLeaveNoOutput)
{
    std::ofstream(dir_ / "malformed.dsr5") << Read("real.dsr5").substr(0, 3000) << "  x.1E-03\r\n";
    std::ofstream(dir_ / "bad.Room") << "600\r\n";
    const struct {
        std::string arguments;
        int status;
        const char* named; // in the error output
    } cases[] = {{"malformed.dsr5 --quantity kerma --height center --out o.png", 3, "malformed.dsr5"},
        {"missing.dsr5 --quantity kerma --height center --out o.png", 3, "missing.dsr5"},
        {"real.dsr5 --quantity kerma --height center --room bad.Room --out o.png", 3, "bad.Room"},
        {"real.dsr5 --quantity kerma --height center --out o.gif", 2, "--out"},
        {"real.dsr5 --quantity kerma --height middle --out o.png", 2, "--height"},
        {"real.dsr5 --quantity kerma --height center --thresholds 1,2,3 --out o.png", 2, "--thresholds"},
        {"real.dsr5 --quantity kerma --height center --both-sides --out o.png", 2, "--room"},
        {"real.dsr5 --quantity kerma --height center --room r.Room --out o.csv", 2, "--room"},
        {"real.dsr5 --height center --out o.png", 2, "--quantity"},
        {"real.dsr5 --quantity dose --height below --out nofolder/o.png", 3, "o.png"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Map(c.arguments), c.status) << c.arguments;
        EXPECT_NE(Read("stderr.txt").find(c.named), std::string::npos) << c.arguments << "\n"
                                                                       << Read("stderr.txt");
        EXPECT_FALSE(fs::exists(dir_ / "o.png") || fs::exists(dir_ / "o.csv")) << c.arguments;
    }
    EXPECT_EQ(Map("--help"), 0);
    EXPECT_NE(Read("stdout.txt").find("--thresholds"), std::string::npos);
}

TEST_F(MapExport, ThePictureHasTheLegendColoursAndEachElementInItsBand)
{
    ASSERT_EQ(Map("real.dsr5 --quantity dose --height above --thresholds 90,80,70,60,50,40,30,20,10,5,1 "
                  "--out m.png"),
        0)
        << Read("stderr.txt");
    QImage picture;
    ASSERT_TRUE(picture.load(QString::fromStdString((dir_ / "m.png").string())));
    const ProcessedResult result = InMemory();
    Thresholds thresholds{0, 90, 80, 70, 60, 50, 40, 30, 20, 10, 5, 1};
    for (const auto& [i, j] : {std::pair{30, 150}, {150, 450}, {250, 250}, {60, 520}, {350, 40}, {5, 300}}) {
        const int band = ColourBand(result.doseGrid.At(1, i, j), thresholds);
        EXPECT_EQ(picture.pixel(MapPixelOfElement(i, j)), Qrgb(MapColour(band))) << i << "," << j;
    }
    // The legend strip stands beside the map, below the title, quantity and unit lines.
    const int legendLeft = MapImageWidth + 16, legendTop = 12 + 28 + 24 + 24;
    for (int band = 1; band <= 11; ++band) {
        const int y = legendTop + LegendImageHeight * (2 * band - 1) / 22;
        EXPECT_EQ(picture.pixel(legendLeft + LegendImageWidth / 2, y), Qrgb(LegendColour(band))) << band;
    }

    // Over a room the picture is the overlay window's size beside the same caption.
    ASSERT_EQ(WriteRoomFile(dir_ / "r.Room", RoomLayout{}), "");
    ASSERT_EQ(Map("real.dsr5 --quantity kerma --height center --room r.Room --both-sides --out o.png"), 0)
        << Read("stderr.txt");
    ASSERT_TRUE(picture.load(QString::fromStdString((dir_ / "o.png").string())));
    EXPECT_GT(picture.width(), 861);
    EXPECT_GE(picture.height(), 861);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
