// brisca-map and the exports it shares with the windows: the result refined in memory against
// the refiner's own file, the CSV read back, the export names, and the program's pictures and
// exit statuses.
#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "MapFolder.h"
#include "drawing/DistributionMap.h"
#include "drawing/PlanAnnotations.h"
#include "drawing/RoomOverlay.h"
#include "drawing/UserScaleCanvas.h"
#include "logic/exports/GridCsv.h"
#include "logic/exports/PictureNames.h"
#include "logic/result/ColourBands.h"
#include "logic/result/DataProcessing.h"
#include "logic/room/DosesCsv.h"
#include "logic/room/PointDoses.h"
#include "logic/room/PointsFile.h"
#include "logic/room/RoomFile.h"
#include "logic/room/ShieldTransmission.h"
#include "logic/text/CsvText.h"
#include "mapjob/RefinedResult.h"
#include "refiner/run.h"

using namespace brisca;
namespace fs = std::filesystem;

namespace {

// brisca-map's folder, named for these tests.
class MapExport : public MapFolder { };

QRgb Qrgb(const Rgb& c) { return qRgb(c.r, c.g, c.b); }

TEST_F(MapExport, InMemoryGridsAreTheNumbersDataProcessingReadsFromTheRefinersFile)
{
    const fs::path previous = fs::current_path();
    fs::current_path(dir_);
    std::ofstream("FLname.txt") << "real.dsr5\r\n";
    std::ostringstream console, errors;
    ASSERT_EQ(refiner::RunRefiner(console, errors), 0) << errors.str();
    const Expected<ProcessedResult> processed = ProcessRefinedGrids("F2B.dat");
    fs::current_path(previous);
    ASSERT_TRUE(processed);
    const ProcessedResult& file = *processed;
    ASSERT_FALSE(file.noDose);

    const ProcessedResult memory = InMemory();
    ASSERT_FALSE(memory.noDose);
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
    EXPECT_EQ(line, std::string(Utf8ByteOrderMark) + "# real.dsr5\r");
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
    // The report takes the same stem.
    EXPECT_EQ(ReportFileName("stand.dsr5"), "stand_report.pdf");
    EXPECT_EQ(ReportFileName("dir/a.b.dsrC"), "a.b_corrected_report.pdf");
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
    ASSERT_FALSE(WriteRoomFile(dir_ / "r.Room", RoomLayout{}));
    ASSERT_EQ(Map("real.dsr5 --quantity kerma --height center --room r.Room --both-sides --out o.png"), 0)
        << Read("stderr.txt");
    ASSERT_TRUE(picture.load(QString::fromStdString((dir_ / "o.png").string())));
    EXPECT_GT(picture.width(), 861);
    EXPECT_GE(picture.height(), 861);
    EXPECT_EQ(Read("stderr.txt").find("scored range"), std::string::npos);

    // A room reaching beyond the scored range is drawn, with a warning.
    RoomLayout wide;
    wide.roomWidth = 1000;
    ASSERT_FALSE(WriteRoomFile(dir_ / "wide.Room", wide));
    ASSERT_EQ(Map("real.dsr5 --quantity kerma --height center --room wide.Room --out w.png"), 0);
    EXPECT_NE(
        Read("stderr.txt").find("warning: part of the room lies beyond the scored range"), std::string::npos);
}

TEST_F(MapExport, DosesAtThePointsFollowFromTheGridTheWorkloadAndTheHeader)
{
    ASSERT_FALSE(WriteRoomFile(dir_ / "r.Room", RoomLayout{}));
    const std::vector<EvaluationPoint> points = RoomPoints();
    ASSERT_FALSE(WritePointsFile(dir_ / "p.csv", points));
    ASSERT_EQ(Map("real.dsr5 --room r.Room --points p.csv --workload 300 --weeks 48 --out d.csv"), 0)
        << Read("stderr.txt");

    // The header says 80 kV and 2.5 mA.
    const ProcessedResult result = InMemory();
    const std::vector<PointDose> doses =
        EvaluatePointDoses(points, RoomLayout{}, {result.doseGrid}, {80, 2.5}, {300, 48});
    EXPECT_EQ(Read("d.csv"), DosesCsvText(points, doses));
    // By hand for the operator: column 60 − 20, row 300, the 0.35 mm apron at 80 kV.
    const double rate = result.doseGrid.At(2, 40, 300);
    EXPECT_NEAR(doses[0].annualMsv,
        rate * 300 / 2.5 * 48 * Transmission(ShieldMaterial::Lead, 80, 0.35) / 1000,
        1e-12 * doses[0].annualMsv);
    std::istringstream rows(std::string(WithoutByteOrderMark(Read("d.csv"))));
    std::string line;
    std::vector<std::string> statuses;
    while (std::getline(rows, line)) statuses.push_back(line.substr(0, line.size() - 1));
    ASSERT_EQ(statuses.size(), 5u);
    EXPECT_EQ(statuses[0], DosesHeader);
    EXPECT_TRUE(Read("d.csv").starts_with(Utf8ByteOrderMark));
    EXPECT_EQ(statuses[1].substr(statuses[1].size() - 10), ",pass,0.00");
    EXPECT_NE(statuses[2].find(",fail,"), std::string::npos);
    EXPECT_EQ(statuses[3], "axis,,,,,20,unscored,");
    EXPECT_EQ(statuses[4], "control room,,,,,1,out_of_range,");

    // The picture shows each point as a ring of its verdict beside the overlay.
    ASSERT_EQ(Map("real.dsr5 --quantity dose --height center --room r.Room --points p.csv --workload 300 "
                  "--out o.png"),
        0)
        << Read("stderr.txt");
    QImage picture;
    ASSERT_TRUE(picture.load(QString::fromStdString((dir_ / "o.png").string())));
    const OverlayScale scale = RoomSystem(RoomLayout{});
    QImage view(OverlayImageSide, OverlayImageSide, QImage::Format_RGB32);
    const UserScaleCanvas canvas(view, scale.left, scale.top, scale.side, scale.side);
    EXPECT_EQ(
        picture.pixel(canvas.ToPixel(300, 310) + QPoint(7, 0)), PointMarkColour(PointMarkState::Pass).rgb());
    EXPECT_EQ(
        picture.pixel(canvas.ToPixel(150, 380) + QPoint(7, 0)), PointMarkColour(PointMarkState::Fail).rgb());
    EXPECT_EQ(picture.pixel(canvas.ToPixel(350, 700) + QPoint(7, 0)),
        PointMarkColour(PointMarkState::NoDose).rgb());
}

TEST_F(MapExport, DosesAreRefusedWholeWhenThePointsTheResultOrTheCommandLineWillNotDo)
{
    ASSERT_FALSE(WriteRoomFile(dir_ / "r.Room", RoomLayout{}));
    ASSERT_FALSE(WritePointsFile(dir_ / "p.csv", RoomPoints()));
    std::ofstream(dir_ / "bad.csv") << PointsHeader << "\r\na,1,2,center,1,0,,20\r\nb,1,2,center,3,0,,20\r\n";
    // The same result at 40 kV, and with the tube current an engine writes as asterisks.
    const std::string real = Read("real.dsr5");
    std::string soft = real;
    soft.replace(soft.find("\n 80.0\r"), 8, "\n 40.0\r");
    std::ofstream(dir_ / "soft.dsr5") << soft;
    std::string strong = real;
    strong.replace(strong.find("\n2.5000\r"), 9, "\n******\r");
    std::ofstream(dir_ / "strong.dsr5") << strong;

    const std::string doses = " --room r.Room --points p.csv --workload 300 --out d.csv";
    const struct {
        std::string arguments;
        int status;
        const char* named; // in the error output
    } cases[] = {{"real.dsr5 --room r.Room --points bad.csv --workload 300 --out d.csv", 3,
                     "bad.csv, record 3: field occupancy"},
        {"real.dsr5 --room r.Room --points none.csv --workload 300 --out d.csv", 3, "none.csv"},
        {"soft.dsr5" + doses, 1, "40 kV"}, {"strong.dsr5" + doses, 1, "tube current"},
        {"real.dsr5 --points p.csv --workload 300 --out d.csv", 2, "--room"},
        {"real.dsr5 --room r.Room --points p.csv --out d.csv", 2, "--workload"},
        {"real.dsr5 --room r.Room --points p.csv --workload -1 --out d.csv", 2, "--workload"},
        {"real.dsr5 --room r.Room --points p.csv --workload 300 --weeks 0 --out d.csv", 2, "--weeks"},
        {"real.dsr5 --quantity dose --height center --workload 300 --out d.png", 2, "--points"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Map(c.arguments), c.status) << c.arguments;
        EXPECT_NE(Read("stderr.txt").find(c.named), std::string::npos) << c.arguments << "\n"
                                                                       << Read("stderr.txt");
        EXPECT_FALSE(fs::exists(dir_ / "d.csv") || fs::exists(dir_ / "d.png")) << c.arguments;
    }
}

} // namespace
