// brisca-map's outputs of a result's relative errors: the error grid read back against the
// uncertainty file, the error and grey-out pictures, the doses' uncertainty column, and the
// refusals that write nothing.
#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "MapFolder.h"
#include "drawing/DistributionMap.h"
#include "logic/exports/PictureNames.h"
#include "logic/result/ErrorGrids.h"
#include "logic/result/ErrorShading.h"
#include "logic/room/DosesCsv.h"
#include "logic/room/PointsFile.h"
#include "logic/room/RoomFile.h"
#include "logic/text/CsvText.h"
#include "records/uncertainty_file.h"

using namespace brisca;
namespace fs = std::filesystem;

namespace {

namespace uncertainty = records::uncertainty_layout;

QRgb Qrgb(const Rgb& c) { return qRgb(c.r, c.g, c.b); }

// brisca-map's folder with the uncertainty file the engine wrote beside the result.
class ErrorMap : public MapFolder {
protected:
    void SetUp() override
    {
        MapFolder::SetUp();
        fs::copy_file(BRISCA_ENGINE_ERRORS, dir_ / "real.dsrE");
        ASSERT_EQ(records::ReadUncertaintyFile(BRISCA_ENGINE_ERRORS, *coarse_), "");
    }

    // The error of a 1 cm cell as the records library refines it; NaN for no estimate.
    double FineError(Quantity quantity, int layer, int c, int r) const
    {
        const float error = records::FineRelativeError(
            quantity == Quantity::Kerma ? coarse_->kerma : coarse_->dose, layer, c, r);
        return error == uncertainty::kNotScored ? std::nan("") : error;
    }

    std::unique_ptr<records::RelativeErrors> coarse_ = std::make_unique<records::RelativeErrors>();
};

TEST_F(ErrorMap, TheCsvReadsBackToTheErrorOfEveryCellAndLeavesCellsWithoutAnEstimateEmpty)
{
    ASSERT_EQ(Map("real.dsr5 --quantity kerma-error --height below --out e.csv"), 0) << Read("stderr.txt");
    std::istringstream in(std::string(WithoutByteOrderMark(Read("e.csv"))));
    std::string line;
    std::string comments;
    while (std::getline(in, line) && line.rfind("# ", 0) == 0) comments += line;
    EXPECT_NE(comments.find("relative standard error of the air kerma rate, %"), std::string::npos)
        << comments;
    EXPECT_NE(comments.find("empty field: not scored"), std::string::npos) << comments;
    EXPECT_EQ(line.substr(0, 10), "cm,21,22,2");
    int rows = 0, empty = 0, estimated = 0;
    while (std::getline(in, line)) {
        ++rows;
        ASSERT_EQ(line.back(), '\r');
        std::istringstream fields(line.substr(0, line.size() - 1));
        std::string field;
        std::getline(fields, field, ',');
        ASSERT_EQ(std::stoi(field), -300 + rows);
        for (int c = 1; c <= DisplayGrid::Columns; ++c) {
            ASSERT_TRUE(std::getline(fields, field, ',') || c == DisplayGrid::Columns) << rows << "," << c;
            const double expected = FineError(Quantity::Kerma, 3, c, rows);
            if (std::isnan(expected)) {
                ASSERT_EQ(field, "") << rows << "," << c;
                ++empty;
            } else {
                ASSERT_EQ(std::strtod(field.c_str(), nullptr), expected) << rows << "," << c;
                ++estimated;
            }
        }
    }
    EXPECT_EQ(rows, DisplayGrid::Rows);
    // The short run of the fixture leaves cells of both kinds.
    EXPECT_GT(empty, 1000);
    EXPECT_GT(estimated, 1000);
}

TEST_F(ErrorMap, ThePicturesShowTheErrorBandsOrGreyTheUncertainCellsWithTheirLegends)
{
    ASSERT_EQ(Map("real.dsr5 --quantity dose-error --height center --out e.png"), 0) << Read("stderr.txt");
    QImage picture;
    ASSERT_TRUE(picture.load(QString::fromStdString((dir_ / "e.png").string())));
    const std::pair<int, int> cells[] = {{5, 300}, {30, 250}, {150, 300}, {250, 100}, {350, 550}, {100, 500}};
    for (const auto& [i, j] : cells)
        EXPECT_EQ(picture.pixel(MapPixelOfElement(i, j)),
            Qrgb(ErrorBandColour(ErrorBand(FineError(Quantity::Dose, 2, i, j)))))
            << i << "," << j;
    // The error bands' strip stands where the thresholds' strip stands on the rates' picture.
    const int legendLeft = MapImageWidth + 16, legendTop = 12 + 28 + 24 + 24;
    for (int band = 1; band <= ErrorBandCount; ++band) {
        const int y = legendTop + (2 * band - 1) * LegendImageHeight / (2 * ErrorBandCount);
        EXPECT_EQ(picture.pixel(legendLeft + LegendImageWidth / 2, y), Qrgb(ErrorBandColour(band))) << band;
    }

    ASSERT_EQ(Map("real.dsr5 --quantity dose --height center --grey-above 30 --thresholds "
                  "90,80,70,60,50,40,30,20,10,5,1 --out g.png"),
        0)
        << Read("stderr.txt");
    ASSERT_TRUE(picture.load(QString::fromStdString((dir_ / "g.png").string())));
    const ProcessedResult result = InMemory();
    const Thresholds thresholds{0, 90, 80, 70, 60, 50, 40, 30, 20, 10, 5, 1};
    int greyed = 0;
    for (const auto& [i, j] : cells) {
        const double error = FineError(Quantity::Dose, 2, i, j);
        const bool grey = !(error <= 30.0);
        greyed += grey;
        const Rgb expected =
            grey ? GreyedOutColour : MapColour(ColourBand(result.doseGrid.At(2, i, j), thresholds));
        EXPECT_EQ(picture.pixel(MapPixelOfElement(i, j)), Qrgb(expected)) << i << "," << j << ": " << error;
    }
    EXPECT_GT(greyed, 0);
    EXPECT_LT(greyed, 6);
    // The grey box lies below the eleven boxes of the thresholds.
    EXPECT_EQ(picture.pixel(legendLeft + LegendImageWidth / 2, legendTop + LegendImageHeight + 16),
        Qrgb(GreyedOutColour));
}

TEST_F(ErrorMap, DosesCarryTheUncertaintyOfTheirCell)
{
    ASSERT_FALSE(WriteRoomFile(dir_ / "r.Room", RoomLayout{}));
    const std::vector<EvaluationPoint> points = RoomPoints();
    ASSERT_FALSE(WritePointsFile(dir_ / "p.csv", points));
    ASSERT_EQ(Map("real.dsr5 --room r.Room --points p.csv --workload 300 --out d.csv"), 0)
        << Read("stderr.txt");
    EXPECT_EQ(Read("stderr.txt").find("rate_error_percent"), std::string::npos) << Read("stderr.txt");

    // The operator stands at column 60 − 20, row 300, at the phantom-centre height.
    std::istringstream rows(Read("d.csv"));
    std::string header, operatorRow;
    std::getline(rows, header);
    std::getline(rows, operatorRow);
    const double error = FineError(Quantity::Dose, 2, 40, 300);
    ASSERT_FALSE(std::isnan(error));
    std::istringstream fields(operatorRow);
    std::string name, rate, errorText;
    std::getline(fields, name, ',');
    std::getline(fields, rate, ',');
    std::getline(fields, errorText, ',');
    EXPECT_EQ(errorText, ErrorPercentText(error));

    // Without the uncertainty file the doses are written, the column left empty, with a warning.
    fs::remove(dir_ / "real.dsrE");
    ASSERT_EQ(Map("real.dsr5 --room r.Room --points p.csv --workload 300 --out d.csv"), 0)
        << Read("stderr.txt");
    EXPECT_NE(Read("stderr.txt").find("real.dsrE"), std::string::npos) << Read("stderr.txt");
    EXPECT_NE(Read("d.csv").find("\n" + name + "," + rate + ",,"), std::string::npos) << Read("d.csv");
}

TEST_F(ErrorMap, WithoutUsableErrorsOrWithOptionsThatDoNotGoTogetherNothingIsWritten)
{
    const std::string errors = Read("real.dsrE");
    std::ofstream(dir_ / "short.dsr5", std::ios::binary) << Read("real.dsr5");
    std::ofstream(dir_ / "short.dsrE", std::ios::binary) << errors.substr(0, errors.size() / 2);
    std::ofstream(dir_ / "alone.dsr5", std::ios::binary) << Read("real.dsr5");
    const struct {
        std::string arguments;
        int status;
        const char* named; // in the error output
    } cases[] = {{"alone.dsr5 --quantity kerma-error --height center --out o.csv", 3, "alone.dsrE"},
        {"alone.dsr5 --quantity dose-error --height above --out o.png", 3, "alone.dsrE"},
        {"alone.dsr5 --quantity dose --height above --grey-above 10 --out o.png", 3, "--grey-above"},
        {"short.dsr5 --quantity dose-error --height below --out o.csv", 3, "short.dsrE, record"},
        {"real.dsr5 --quantity dose-error --out o.pdf", 2, "dose-error"},
        {"real.dsr5 --quantity kerma-error --height center --thresholds 9,8,7,6,5,4,3,2,1,0.5,0.1 --out "
         "o.png",
            2, "--thresholds"},
        {"real.dsr5 --quantity kerma-error --height center --grey-above 5 --out o.png", 2, "--grey-above"},
        {"real.dsr5 --quantity kerma --height center --grey-above 5 --out o.csv", 2, "--grey-above"},
        {"real.dsr5 --quantity kerma --height center --grey-above 0 --out o.png", 2, "--grey-above"},
        {"real.dsr5 --quantity kerma --height center --grey-above 101 --out o.png", 2, "--grey-above"},
        {"real.dsr5 --quantity error --height center --out o.png", 2, "--quantity"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Map(c.arguments), c.status) << c.arguments;
        EXPECT_NE(Read("stderr.txt").find(c.named), std::string::npos) << c.arguments << "\n"
                                                                       << Read("stderr.txt");
        EXPECT_FALSE(fs::exists(dir_ / "o.png") || fs::exists(dir_ / "o.csv") || fs::exists(dir_ / "o.pdf"))
            << c.arguments;
    }
}

TEST(ResultErrors, AreReadRefusedOrMissingAndEitherWayNeverZeroWhereUnknown)
{
    const testsupport::TempFolder temp("result-errors");
    const fs::path& dir = temp.Path();
    fs::copy_file(BRISCA_ENGINE_ERRORS, dir / "read.dsrE", fs::copy_options::overwrite_existing);
    testsupport::WriteBytes(dir / "refused.dsrE", "  2  relative standard error, %\r\n");
    const struct {
        const char* result;
        UncertaintySource source;
        const char* named; // in the problem
    } cases[] = {{"read.dsrC", UncertaintySource::Read, ""},
        {"refused.dsr5", UncertaintySource::Unreadable, "refused.dsrE, record 2"},
        {"missing.dsr5", UncertaintySource::Missing, "missing.dsrE"}};
    for (const auto& c : cases) {
        const auto errors = std::make_unique<ResultErrors>();
        ReadResultErrors(dir / c.result, *errors);
        EXPECT_EQ(errors->source, c.source) << c.result;
        const std::string problem = errors->problem ? MessageText(*errors->problem) : std::string();
        EXPECT_NE(problem.find(c.named), std::string::npos) << problem;
        EXPECT_EQ(problem.empty(), c.source == UncertaintySource::Read) << problem;
        // Near the phantom every cell has an estimate when there is a file, and none without.
        EXPECT_EQ(std::isnan(errors->dose.At(2, 40, 300)), c.source != UncertaintySource::Read) << c.result;
        EXPECT_EQ(std::isnan(errors->kerma.At(1, 40, 300)), c.source != UncertaintySource::Read) << c.result;
    }
}

} // namespace
