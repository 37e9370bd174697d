// The report: the cells of interest it states the precision of, and the PDF that brisca-map
// and the windows write, read back through poppler's pdftotext, pdftoppm and pdffonts.
#include <QCryptographicHash>
#include <QImage>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <set>

#include "MapFolder.h"
#include "drawing/DistributionMap.h"
#include "logic/exports/PictureNames.h"
#include "logic/result/ColourBands.h"
#include "logic/room/PointsFile.h"
#include "logic/room/RoomFile.h"
#include "report/ReportPdf.h"
#include "report/ResultFacts.h"

using namespace brisca;
namespace fs = std::filesystem;

namespace {

TEST(CellsOfInterest, OnlyTheCellsNearThePhantomHoldingOnePercentCount)
{
    // A field of 100 with the largest value 1000 at 20 cm lateral, beside the phantom; each
    // case sets one cell and its error, which must count or not.
    const struct {
        const char* what;
        int along;    // 0-based record, -300 + 10 b cm
        int lateral;  // 0-based field, 10 i cm
        float value;  // Gy/min
        float error;  // %
        bool counted; // whether its error is the largest
    } cases[] = {{"at 20 cm and -200 cm", 10, 2, 50.0f, 60.0f, true},
        {"at 200 cm and +200 cm", 50, 20, 50.0f, 60.0f, true},
        {"exactly 1 % of the largest", 30, 10, 10.0f, 60.0f, true},
        {"below 1 % of the largest", 30, 10, 9.9f, 60.0f, false},
        {"beyond 200 cm laterally", 30, 21, 50.0f, 60.0f, false},
        {"beyond -200 cm along the axis", 9, 10, 50.0f, 60.0f, false},
        {"beyond +200 cm along the axis", 51, 10, 50.0f, 60.0f, false},
        {"within 20 cm, never scored", 30, 1, 50.0f, 60.0f, false}};
    for (const auto& c : cases) {
        const auto values = std::make_unique<refiner::CoarseLayer>();
        const auto errors = std::make_unique<records::ErrorLayer>();
        for (auto& row : values->rows) row.fill(0.0f);
        for (auto& row : errors->rows) row.fill(records::uncertainty_layout::kNotScored);
        for (int b = 10; b <= 50; ++b)
            for (int i = 2; i <= 20; ++i) {
                values->rows[b][i] = 100.0f;
                errors->rows[b][i] = 5.0f;
            }
        values->rows[30][2] = 1000.0f;
        values->rows[c.along][c.lateral] = c.value;
        errors->rows[c.along][c.lateral] = c.error;
        EXPECT_EQ(LargestErrorOfInterest(*values, *errors), c.counted ? 60.0 : 5.0) << c.what;
    }

    // Nothing positive at that height, or a cell of interest without an estimate: no figure.
    const auto values = std::make_unique<refiner::CoarseLayer>();
    const auto errors = std::make_unique<records::ErrorLayer>();
    for (auto& row : values->rows) row.fill(0.0f);
    for (auto& row : errors->rows) row.fill(records::uncertainty_layout::kNotScored);
    EXPECT_FALSE(LargestErrorOfInterest(*values, *errors));
    values->rows[30][5] = 1.0f;
    EXPECT_FALSE(LargestErrorOfInterest(*values, *errors));
    errors->rows[30][5] = 7.0f;
    EXPECT_EQ(LargestErrorOfInterest(*values, *errors), 7.0);
}

// The cells of interest are the engine's: a run that stops at a precision prints the largest
// error among them, which the files it writes must give again.
class PrecisionRun : public MapFolder { };

TEST_F(PrecisionRun, PrintsTheLargestErrorOfInterestThatTheReportStates)
{
    for (const auto& input : fs::directory_iterator(BRISCA_ENGINE_INPUTS))
        fs::copy_file(input.path(), dir_ / input.path().filename());
    ASSERT_EQ(Run("'" BRISCA_MCSTAND "' --precision 100 --threads 1 < /dev/null"), 0) << Read("stderr.txt");
    const std::string console = Read("stdout.txt");
    const std::string said = "largest relative error ";
    const std::size_t at = console.rfind(said);
    ASSERT_NE(at, std::string::npos) << console;
    const double printed = std::stod(console.substr(at + said.size()));

    const fs::path result = dir_ / "e2e-結果.dsr5";
    const Expected<ResultHeader> read = ReadResultHeader(result);
    ASSERT_TRUE(read);
    const ResultHeader& header = *read;
    ReportInputs inputs;
    ASSERT_FALSE(GatherResultFacts(result, header, nullptr, inputs));
    ASSERT_EQ(inputs.statistics.source, UncertaintySource::Read);
    ASSERT_TRUE(inputs.statistics.largestKermaErrorPercent && inputs.statistics.largestDoseErrorPercent);
    EXPECT_NEAR(
        std::max(*inputs.statistics.largestKermaErrorPercent, *inputs.statistics.largestDoseErrorPercent),
        printed, 0.05);
}

// The words of a text, each run of blanks and line ends as one blank.
std::string Collapsed(const std::string& text)
{
    std::string words;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\f' || c == '\t';
        if (!blank)
            words += c;
        else if (!words.empty() && words.back() != ' ')
            words += ' ';
    }
    return words;
}

// brisca-map's folder with the result's uncertainty file, the shipped tables, the default
// layout and the points around it.
class Report : public MapFolder {
protected:
    void SetUp() override
    {
        MapFolder::SetUp();
        fs::copy_file(BRISCA_ENGINE_ERRORS, dir_ / "real.dsrE");
        for (const char* table : {"MUs.dat", "Air.eac", "default-output.op"})
            fs::copy_file(fs::path(BRISCA_DATA_DIR) / table, dir_ / table);
        ASSERT_FALSE(WriteRoomFile(dir_ / "plan.Room", RoomLayout{}));
        ASSERT_FALSE(WritePointsFile(dir_ / "plan.points.csv", RoomPoints()));
    }

    // The text of a PDF in the folder, in the order it was drawn, its blanks collapsed.
    std::string PdfText(const std::string& name)
    {
        EXPECT_EQ(Run("pdftotext -raw " + name + " text.txt"), 0) << Read("stderr.txt");
        return Collapsed(Read("text.txt"));
    }
};

// Whether `needles` occur in `text` one after the other; the first missing one otherwise.
std::string FirstMissingInOrder(const std::string& text, const std::vector<std::string>& needles)
{
    std::size_t from = 0;
    for (const std::string& needle : needles) {
        const std::size_t at = text.find(needle, from);
        if (at == std::string::npos) return needle;
        from = at + needle.size();
    }
    return {};
}

TEST_F(Report, HoldsTheConditionsThePointsWithTheirDosesAndTheEmbeddedFont)
{
    const std::string points = " --room plan.Room --points plan.points.csv --workload 300 --weeks 48";
    ASSERT_EQ(Map("real.dsr5" + points + " --out report.pdf"), 0) << Read("stderr.txt");
    ASSERT_EQ(Map("real.dsr5" + points + " --out doses.csv"), 0) << Read("stderr.txt");
    const std::string text = PdfText("report.pdf");

    const Expected<ResultHeader> read = ReadResultHeader(dir_ / "real.dsr5");
    ASSERT_TRUE(read);
    const ResultHeader& header = *read;
    for (const std::string& line : ConditionLines(header))
        EXPECT_NE(text.find(Collapsed(line)), std::string::npos) << line;
    const std::string bytes = Read("real.dsr5");
    const std::string sha256 =
        QCryptographicHash::hash(QByteArray::fromStdString(bytes), QCryptographicHash::Sha256)
            .toHex()
            .toStdString();
    for (const std::string& expected : {sha256, std::string("real.dsr5"), std::string("Brisca "),
             std::string("第1半価層 HVL1"), std::string("定電圧と仮定"), std::string("real.dsrE"),
             std::string("plan.points.csv"), std::string("NCRP Report No. 147")})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    // The largest errors of the cells of interest in the end-to-end run's uncertainty file.
    EXPECT_NE(text.find("air kerma 77.7 %, effective dose 77.5 %"), std::string::npos) << text;

    // Each point's row holds the doses file's numbers in its order: name, rate, annual and
    // quarterly dose, limit, status, extra lead; the uncertainty lies between rate and annual.
    std::istringstream rows(Read("doses.csv"));
    std::string row;
    std::getline(rows, row);
    int checked = 0;
    while (std::getline(rows, row)) {
        std::vector<std::string> fields;
        std::istringstream split(row.substr(0, row.size() - 1));
        for (std::string field; std::getline(split, field, ',');)
            fields.push_back(field.empty() ? "—" : field);
        if (fields.size() == 7) fields.push_back("—");
        ASSERT_EQ(fields.size(), 8u) << row;
        EXPECT_EQ(FirstMissingInOrder(
                      text, {fields[0], fields[1], fields[3], fields[4], fields[5], fields[6], fields[7]}),
            "")
            << row;
        ++checked;
    }
    EXPECT_EQ(checked, 4);

    ASSERT_EQ(Run("pdffonts report.pdf"), 0);
    const std::string fonts = Read("stdout.txt");
    const std::size_t ipa = fonts.find("IPAGothic");
    ASSERT_NE(ipa, std::string::npos) << fonts;
    EXPECT_NE(fonts.substr(ipa, fonts.find('\n', ipa) - ipa).find(" yes "), std::string::npos) << fonts;
}

TEST_F(Report, SectionsWithoutTheirDataAreLeftOutAndNoUncertaintyFileIsSaid)
{
    fs::remove(dir_ / "real.dsrE");
    const struct {
        std::string arguments;
        bool room;   // the overlay section
        bool points; // the doses table
    } cases[] = {{"", false, false}, {" --room plan.Room --both-sides --height above", true, false},
        {" --room plan.Room --points plan.points.csv --workload 300", true, true}};
    for (const auto& c : cases) {
        ASSERT_EQ(Map("real.dsr5" + c.arguments + " --out r.pdf"), 0) << c.arguments << Read("stderr.txt");
        const std::string text = PdfText("r.pdf");
        EXPECT_NE(text.find("No uncertainty file: real.dsrE"), std::string::npos) << c.arguments;
        EXPECT_NE(text.find("実効線量 (H1cm) 率 [μSv/min]"), std::string::npos) << c.arguments;
        EXPECT_EQ(text.find("over the room plan") != std::string::npos, c.room) << c.arguments;
        EXPECT_EQ(text.find("doses at the evaluation points") != std::string::npos, c.points) << c.arguments;
        EXPECT_EQ(text.find("workload and transmission") != std::string::npos, c.points) << c.arguments;
    }
    // The chosen quantity, and without the tables the beam is not available.
    for (const char* table : {"MUs.dat", "Air.eac", "default-output.op"}) fs::remove(dir_ / table);
    ASSERT_EQ(Map("real.dsr5 --quantity kerma --out r.pdf"), 0) << Read("stderr.txt");
    EXPECT_NE(Read("stderr.txt").find("no beam quality"), std::string::npos);
    const std::string text = PdfText("r.pdf");
    EXPECT_NE(text.find("空気カーマ率 [μGy/min]"), std::string::npos);
    EXPECT_NE(text.find("not available"), std::string::npos);
}

TEST_F(Report, ALongTableGoesOnUnderItsHeaderAndARefusedUncertaintyFileIsSaid)
{
    std::vector<EvaluationPoint> points;
    for (int n = 1; n <= 40; ++n)
        points.push_back(DefaultPoint(
            "P" + std::to_string(100 + n), 150 + 7 * n, 300 + 6 * n, PersonCategory::Occupational));
    ASSERT_FALSE(WritePointsFile(dir_ / "many.csv", points));
    const std::string errors = Read("real.dsrE");
    std::ofstream(dir_ / "real.dsrE", std::ios::binary) << errors.substr(0, errors.size() / 2);
    ASSERT_EQ(Map("real.dsr5 --room plan.Room --points many.csv --workload 300 --out r.pdf"), 0)
        << Read("stderr.txt");
    EXPECT_NE(Read("stderr.txt").find("real.dsrE"), std::string::npos) << Read("stderr.txt");
    const std::string text = PdfText("r.pdf");
    EXPECT_NE(text.find("不確かさファイルを読めないため"), std::string::npos);
    EXPECT_NE(text.find("real.dsrE"), std::string::npos);

    // Every row once, in order, and the header again above the rows that open the next page.
    std::vector<std::string> names;
    for (const EvaluationPoint& point : points) names.push_back(point.name + " ");
    EXPECT_EQ(FirstMissingInOrder(text, names), "");
    std::size_t headers = 0;
    for (std::size_t at = text.find("名前 name"); at != std::string::npos;
         at = text.find("名前 name", at + 1))
        ++headers;
    EXPECT_GE(headers, 2u);
    // Each page's footer counts all of them.
    ASSERT_EQ(Run("pdfinfo r.pdf"), 0);
    const std::string info = Read("stdout.txt");
    const int pages = std::stoi(info.substr(info.find("Pages:") + 6));
    std::vector<std::string> footers;
    for (int page = 1; page <= pages; ++page)
        footers.push_back(std::to_string(page) + " / " + std::to_string(pages) + " ページ");
    EXPECT_EQ(FirstMissingInOrder(text, footers), "");
}

TEST_F(Report, RefusalsEndWithTheirStatusAndLeaveAnEarlierReportAsItWas)
{
    std::ofstream(dir_ / "bad.csv") << PointsHeader << "\r\na,1,2,center,3,0,,20\r\n";
    std::string soft = Read("real.dsr5");
    soft.replace(soft.find("\n 80.0\r"), 8, "\n 40.0\r");
    std::ofstream(dir_ / "soft.dsr5") << soft;
    std::ofstream(dir_ / "r.pdf") << "earlier";
    const std::string room = " --room plan.Room --points plan.points.csv --workload 300";
    const struct {
        std::string arguments;
        int status;
        const char* named; // in the error output
    } cases[] = {{"missing.dsr5 --out r.pdf", 3, "missing.dsr5"},
        {"real.dsr5 --room plan.Room --points bad.csv --workload 300 --out r.pdf", 3, "bad.csv, record 2"},
        {"real.dsr5 --room none.Room --out r.pdf", 3, "none.Room"},
        {"soft.dsr5" + room + " --out r.pdf", 1, "40 kV"},
        {"real.dsr5 --room plan.Room --points plan.points.csv --out r.pdf", 2, "--workload"},
        {"real.dsr5 --points plan.points.csv --workload 300 --out r.pdf", 2, "--room"},
        {"real.dsr5 --workload 300 --out r.pdf", 2, "--points"},
        {"real.dsr5 --both-sides --out r.pdf", 2, "--room"},
        {"real.dsr5 --quantity air --out r.pdf", 2, "--quantity"}, {"--out r.pdf", 2, "no result"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Map(c.arguments), c.status) << c.arguments;
        EXPECT_NE(Read("stderr.txt").find(c.named), std::string::npos) << c.arguments << "\n"
                                                                       << Read("stderr.txt");
        EXPECT_EQ(Read("r.pdf"), "earlier") << c.arguments;
    }
    EXPECT_EQ(Map("real.dsr5 --out nofolder/r.pdf"), 3);
    EXPECT_NE(Read("stderr.txt").find("r.pdf"), std::string::npos);
    EXPECT_EQ(Map("--help"), 0);
    EXPECT_NE(Read("stdout.txt").find("REPORT.pdf"), std::string::npos);
}

// The colour of a rendered page at a point given in fractions of the page.
QRgb PageColour(const QImage& page, double x, double y)
{
    return page.pixel(static_cast<int>(x * page.width()), static_cast<int>(y * page.height()));
}

bool Near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 3 && std::abs(qGreen(a) - qGreen(b)) <= 3 &&
           std::abs(qBlue(a) - qBlue(b)) <= 3;
}

TEST_F(Report, TheWindowsInputsGiveTheBatchsTextAndThePagesShowTheLegendColoursOnTheMaps)
{
    // What a window fills: the facts of the result's files and the map it shows.
    const Expected<ResultHeader> read = ReadResultHeader(dir_ / "real.dsr5");
    ASSERT_TRUE(read);
    const ResultHeader& header = *read;
    ReportInputs inputs;
    ASSERT_FALSE(GatherResultFacts(dir_ / "real.dsr5", header, nullptr, inputs));
    const ProcessedResult processed = InMemory();
    inputs.quantity = Quantity::Kerma;
    inputs.grid = processed.kermaGrid;
    inputs.thresholds = {0, 90, 80, 70, 60, 50, 40, 30, 20, 10, 5, 1};
    std::vector<PlacedPicture> placed;
    const std::string pdf = ReportPdfBytes(inputs, &placed);
    ASSERT_FALSE(pdf.empty());
    std::ofstream(dir_ / "window.pdf", std::ios::binary) << pdf;

    // The batch without the tables, with the same quantity and legend: the same text but the date.
    fs::remove(dir_ / "MUs.dat");
    ASSERT_EQ(
        Map("real.dsr5 --quantity kerma --thresholds 90,80,70,60,50,40,30,20,10,5,1 --out batch.pdf"), 0);
    std::string window = PdfText("window.pdf"), batch = PdfText("batch.pdf");
    const std::size_t date = window.find(inputs.dateText);
    ASSERT_NE(date, std::string::npos);
    window.erase(date, inputs.dateText.size());
    batch.erase(date, inputs.dateText.size());
    EXPECT_EQ(window, batch);

    // Each map's elements, where their band reaches a few elements around, in its band's colour;
    // the legend's boxes in theirs.
    ASSERT_EQ(placed.size(), 4u);
    ASSERT_EQ(Run("pdftoppm -r 150 -f 2 -l 2 -png window.pdf page"), 0) << Read("stderr.txt");
    QImage page;
    ASSERT_TRUE(page.load(QString::fromStdString((dir_ / "page-2.png").string())));
    std::set<int> bands;
    for (const PlacedPicture& picture : placed) {
        EXPECT_EQ(picture.page, 2);
        const QRectF& area = picture.area;
        if (picture.picture == ReportPicture::MapLegend) {
            for (int n = 1; n <= 11; ++n) {
                const Rgb colour = LegendColour(n);
                EXPECT_TRUE(
                    Near(PageColour(page, area.center().x(), area.top() + area.height() * (n - 0.5) / 11),
                        qRgb(colour.r, colour.g, colour.b)))
                    << "legend box " << n;
            }
            continue;
        }
        const int layer = static_cast<int>(picture.layer);
        for (int i = 10; i <= 370; i += 15)
            for (int j = 20; j <= 580; j += 15) {
                const int band = ColourBand(processed.kermaGrid.At(layer, i, j), inputs.thresholds);
                bool even = true;
                for (int di = -4; di <= 4; ++di)
                    for (int dj = -4; dj <= 4; ++dj)
                        even = even && ColourBand(processed.kermaGrid.At(layer, i + di, j + dj),
                                           inputs.thresholds) == band;
                if (!even) continue;
                const QPoint pixel = MapPixelOfElement(i, j);
                const Rgb colour = MapColour(band);
                EXPECT_TRUE(Near(PageColour(page, area.x() + area.width() * (pixel.x() + 0.5) / MapImageWidth,
                                     area.y() + area.height() * (pixel.y() + 0.5) / MapImageHeight),
                    qRgb(colour.r, colour.g, colour.b)))
                    << "layer " << layer << " element " << i << "," << j << " band " << band;
                bands.insert(band);
            }
    }
    EXPECT_GE(bands.size(), 6u);
}

} // namespace
