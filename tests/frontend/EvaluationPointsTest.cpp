// Evaluation points on the overlay of a real result: placed, moved, named and deleted with the
// mouse and in the table, saved and loaded with the layout, their doses as the batch works them
// out, and the report of the result window and of the overlay against brisca-map's.
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <cstdlib>
#include <sys/wait.h>

#include "ResultSteps.h"
#include "RoomPoints.h"
#include "drawing/PlanAnnotations.h"
#include "logic/result/ErrorText.h"
#include "logic/room/DosesCsv.h"
#include "logic/room/PointsFile.h"
#include "logic/room/RoomFile.h"
#include "logic/text/NumberText.h"
#include "report/ResultFacts.h"
#include "windows/EvaluationPointsPanel.h"
#include "windows/LayoutEditor.h"
#include "windows/OverlayWindow.h"
#include "windows/PictureBox.h"

using namespace brisca;
using Panel = EvaluationPointsPanel;

namespace {

// The engine's end-to-end result with its uncertainty file, the default layout saved as plan.Room
// with the shared points beside it, the effective dose painted, and the layout loaded, taken
// over and drawn on the overlay.
class PointsOnTheOverlay : public ResultSteps {
protected:
    void SetUp() override
    {
        ResultSteps::SetUp();
        QFile::copy(BRISCA_ENGINE_RESULT, Path("real.dsr5"));
        QFile::copy(BRISCA_ENGINE_ERRORS, Path("real.dsrE"));
        ASSERT_FALSE(WriteRoomFile("plan.Room", RoomLayout{}));
        ASSERT_FALSE(WritePointsFile("plan.points.csv", RoomPoints()));
        Open();
        Click(Window().resultWindow(), "doseOption");
        Display("real.dsr5");
        ASSERT_TRUE(state.display.painted);
        LoadLayout("plan.Room");
        Click(Window().layoutEditor(), "takeOverButton");
        Click(Window().layoutEditor(), "distributionButton");
        ASSERT_TRUE(overlay().isVisible());
        ASSERT_TRUE(platform.messages.empty()) << platform.messages.back().text.toStdString();
    }

    OverlayWindow& overlay() { return Window().overlayWindow(); }
    QTableWidget& table() { return *Find<QTableWidget>(overlay(), "pointsTable"); }
    QString Cell(int row, int column) { return table().item(row, column)->text(); }
    void Edit(int row, int column, const QString& text) { table().item(row, column)->setText(text); }

    // Opens the layout editor and clicks a layout file of its list.
    void LoadLayout(const QString& name)
    {
        LayoutEditor& editor = Window().layoutEditor();
        editor.open();
        const auto found = Find<QListWidget>(editor, "layoutFileList")->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        editor.loadLayoutFile(found[0]);
    }

    // The workload entered as mA·min per week and weeks per year.
    void EnterWorkload(const QString& maMinutes, const QString& weeks)
    {
        Click(overlay(), "workloadOption");
        Find<QLineEdit>(overlay(), "workloadEdit")->setText(maMinutes);
        Find<QLineEdit>(overlay(), "weeksEdit")->setText(weeks);
    }

    // A mouse button on the overlay's plan at plan point (x, y), cm.
    void Press(int button, double x, double y)
    {
        emit Find<PictureBox>(overlay(), "planView")->mouseDown(button, x, y);
    }
    void Drag(double x, double y)
    {
        emit Find<PictureBox>(overlay(), "planView")->mouseMove(LeftButton, x, y);
    }
    void Release(double x, double y)
    {
        emit Find<PictureBox>(overlay(), "planView")->mouseUp(LeftButton, x, y);
    }

    // The colour of the plan a ring's width right of a point's centre.
    QRgb RingAt(double x, double y)
    {
        PictureBox& plan = *Find<PictureBox>(overlay(), "planView");
        return plan.image().pixel(plan.toPixel(x, y) + QPoint(7, 0));
    }

    // The text of a PDF of the working folder, without its date and time.
    std::string PdfText(const QString& name)
    {
        const QString text = name + ".txt";
        const std::string command =
            "pdftotext -raw '" + Path(name).toStdString() + "' '" + Path(text).toStdString() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return QString::fromUtf8(Read(text))
            .remove(QRegularExpression("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d"))
            .toStdString();
    }

    // brisca-map in the working folder; its exit status.
    int Map(const std::string& arguments)
    {
        const std::string command = "cd '" + QDir::currentPath().toStdString() +
                                    "' && '" BRISCA_MAP_PROGRAM "' " + arguments +
                                    " > /dev/null 2> map-errors.txt";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

TEST_F(PointsOnTheOverlay, TheTableGivesTheBatchsDosesAndSaysWhereTheGridHoldsNone)
{
    // Loading the layout brought its points.
    ASSERT_EQ(state.roomPoints, RoomPoints());
    ASSERT_EQ(table().rowCount(), 4);
    // Without a workload: rates only, none judged; on the axis the strip is said to be unscored,
    // behind the wall the range is left, and no zero stands anywhere for them.
    EXPECT_TRUE(Cell(2, Panel::RateColumn).contains("unscored")) << Cell(2, Panel::RateColumn).toStdString();
    EXPECT_TRUE(Cell(3, Panel::RateColumn).contains("out of range"));
    EXPECT_EQ(Cell(0, Panel::StatusColumn), "未評価 [not evaluated]");
    EXPECT_TRUE(Cell(0, Panel::AnnualColumn).isEmpty());
    EXPECT_TRUE(Find<QLabel>(overlay(), "noteLabel")->text().contains("workload"));

    EnterWorkload("300", "48");
    ReportInputs facts;
    ASSERT_FALSE(GatherResultFacts("real.dsr5", state.display.painted->file.header, nullptr, facts));
    const ResultExposure exposure{
        state.display.painted->file.header.tubeVoltage, state.display.painted->file.header.tubeCurrent};
    const std::vector<PointDose> doses = EvaluatePointDoses(state.roomPoints, state.roomLayout,
        {state.display.doseGrid, &facts.statistics.doseErrorPercent}, exposure, {300, 48});
    const std::pair<Panel::Column, int> numbers[] = {
        {Panel::AnnualColumn, 3}, {Panel::QuarterColumn, 4}, {Panel::ExtraLeadColumn, 7}};
    for (int row = 0; row < 4; ++row) {
        const auto expected = DoseRowTexts(state.roomPoints[row], doses[row]);
        for (const auto& [column, field] : numbers)
            EXPECT_EQ(Cell(row, column).toStdString(), expected[field]) << row << ", " << column;
        EXPECT_TRUE(Cell(row, Panel::RateColumn)
                        .startsWith(QString::fromStdString(DoseNumberText(doses[row].rateUsvPerMin))) ||
                    doses[row].status == DoseStatus::Unscored || doses[row].status == DoseStatus::OutOfRange)
            << row;
        if (!expected[2].empty()) {
            EXPECT_TRUE(
                Cell(row, Panel::RateColumn).endsWith(QString::fromStdString(" ± " + expected[2] + " %")));
        }
    }
    // The operator passes, the nurse with her tiny limit fails and needs lead; the two without a
    // dose say so, on the plan as in the table.
    ASSERT_EQ(doses[0].status, DoseStatus::Pass);
    ASSERT_EQ(doses[1].status, DoseStatus::Fail);
    EXPECT_EQ(Cell(0, Panel::StatusColumn), "限度以下 [pass]");
    EXPECT_EQ(Cell(1, Panel::StatusColumn), "限度超過 [fail]");
    EXPECT_GT(QString(Cell(1, Panel::ExtraLeadColumn)).toDouble(), 0.0);
    EXPECT_EQ(Cell(2, Panel::StatusColumn), "線量なし [no dose]");
    EXPECT_TRUE(Cell(2, Panel::AnnualColumn).isEmpty());
    EXPECT_EQ(RingAt(300, 310), PointMarkColour(PointMarkState::Pass).rgb());
    EXPECT_EQ(RingAt(150, 380), PointMarkColour(PointMarkState::Fail).rgb());
    EXPECT_EQ(RingAt(300, 260), PointMarkColour(PointMarkState::NoDose).rgb());

    // The read-out under the cursor: the grid's value at the operator with its error, the strip
    // and beyond.
    Drag(300, 310);
    const GridPlace place = GridPlaceOf(state.roomLayout, 300, 310);
    ASSERT_TRUE(state.display.Errors(Quantity::Dose));
    EXPECT_EQ(Find<QLineEdit>(overlay(), "cursorValueEdit")->text().toStdString(),
        ValueWithError(
            PlainNumberText(state.display.doseGrid.At(HeightLayer::Centre, place.column, place.row)),
            state.display.Errors(Quantity::Dose)->At(HeightLayer::Centre, place.column, place.row)));
    EXPECT_EQ(Find<QLabel>(overlay(), "readoutUnitLabel")->text(), "μSv/min");
    Drag(300, 255);
    EXPECT_TRUE(Find<QLineEdit>(overlay(), "cursorValueEdit")->text().contains("unscored"));
    Drag(300, 690);
    EXPECT_TRUE(Find<QLineEdit>(overlay(), "cursorValueEdit")->text().contains("out of range"));

    // A room reaching beyond the scored range is warned of under the plan.
    EXPECT_TRUE(Find<QLabel>(overlay(), "rangeWarningLabel")->text().isEmpty());
    state.roomLayout.roomWidth = 1000;
    Click(overlay(), "redrawButton");
    EXPECT_TRUE(Find<QLabel>(overlay(), "rangeWarningLabel")->text().contains("beyond the scored range"));
}

TEST_F(PointsOnTheOverlay, TheWorkloadIsGivenEitherWayAndRefusedWithItsReason)
{
    const struct {
        const char* option;
        std::vector<std::pair<const char*, QString>> entries;
        std::optional<Workload> workload; // none: refused or not given
        const char* problem;              // in the refusal; empty: none given
    } cases[] = {
        {"workloadOption", {{"workloadEdit", "300"}, {"weeksEdit", "48"}}, Workload{300, 48}, ""},
        {"proceduresOption",
            {{"proceduresEdit", "20"}, {"minutesEdit", "3"}, {"meanCurrentEdit", "5"}, {"weeksEdit", "50"}},
            Workload{300, 50}, ""},
        {"proceduresOption", {{"proceduresEdit", ""}}, std::nullopt, ""},
        {"workloadOption", {{"workloadEdit", "-1"}}, std::nullopt, "0 以上"},
        {"workloadOption", {{"workloadEdit", "1,5"}}, std::nullopt, "not a number"},
        {"workloadOption", {{"workloadEdit", "300"}, {"weeksEdit", "0"}}, std::nullopt, "weeks"},
        {"workloadOption", {{"workloadEdit", ""}, {"weeksEdit", "50"}}, std::nullopt, ""},
    };
    auto& panel = *Find<EvaluationPointsPanel>(overlay(), "evaluationPointsPanel");
    for (const auto& c : cases) {
        Click(overlay(), c.option);
        for (const auto& [name, text] : c.entries) Find<QLineEdit>(overlay(), name)->setText(text);
        std::string problem;
        const std::optional<Workload> workload = panel.workload(&problem);
        EXPECT_EQ(workload.has_value(), c.workload.has_value()) << c.option << " " << problem;
        if (workload && c.workload) {
            EXPECT_EQ(workload->maMinutesPerWeek, c.workload->maMinutesPerWeek);
            EXPECT_EQ(workload->weeksPerYear, c.workload->weeksPerYear);
        }
        EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
        EXPECT_EQ(problem.empty(), std::string(c.problem).empty()) << problem;
        // A refused workload judges nobody, and the note says why.
        if (!workload) {
            EXPECT_EQ(Cell(0, Panel::StatusColumn), "未評価 [not evaluated]");
        }
    }
    EXPECT_EQ(Find<QLabel>(overlay(), "workloadValueLabel")->text(), "");
    Click(overlay(), "proceduresOption");
    Find<QLineEdit>(overlay(), "proceduresEdit")->setText("20");
    EXPECT_EQ(Find<QLabel>(overlay(), "workloadValueLabel")->text(), "＝ 300 mA·min/週");
}

TEST_F(PointsOnTheOverlay, PointsPlacedMovedNamedAndDeletedRoundTripThroughThePointsFile)
{
    // The mouse: a click beside the plan's points asks a name and adds one there; a cancelled
    // name adds none; a drag moves the nurse; a right click deletes the point on the axis.
    platform.textAnswers = {"受付", ""};
    Press(LeftButton, 450.4, 149.6);
    Press(LeftButton, 500, 100);
    ASSERT_EQ(state.roomPoints.size(), 5u);
    EXPECT_EQ(state.roomPoints[4], DefaultPoint("受付", 450, 150, PersonCategory::Occupational));
    Press(LeftButton, 151, 381);
    Drag(155, 390);
    Drag(160, 400);
    Release(160, 400);
    Drag(170, 420);
    EXPECT_EQ(Cell(1, Panel::XColumn), "160");
    EXPECT_EQ(Cell(1, Panel::YColumn), "400");
    platform.messageAnswers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    Press(RightButton, 300, 260);
    EXPECT_EQ(state.roomPoints.size(), 5u);
    Press(RightButton, 300, 260);
    ASSERT_EQ(state.roomPoints.size(), 4u);
    EXPECT_EQ(platform.messages.back().text, " 評価点「axis」を削除しますか？ ");

    // The table: each input read into its point and shown back in its own words; what cannot
    // be taken is refused with a warning and put back.
    const struct {
        int row;
        Panel::Column column;
        const char* typed;
        const char* shown; // after reading; the typed text put back when refused
        bool refused;
    } edits[] = {{0, Panel::NameColumn, "術者 A", "術者 A", false},
        {1, Panel::OccupancyColumn, "0.2", "1/5", false}, {1, Panel::OccupancyColumn, "2", "1/5", true},
        {1, Panel::HeightColumn, "下方 50 cm", "下方 50 cm", false},
        {1, Panel::BarrierColumn, "コンクリート", "コンクリート", false},
        {1, Panel::ThicknessColumn, "150", "150", false}, {1, Panel::ThicknessColumn, "-1", "150", true},
        {2, Panel::CategoryColumn, "職業", "職業", false}, {2, Panel::LimitColumn, "5.2", "5.2", false},
        {2, Panel::ApronColumn, "0.5", "0.5", false}, {2, Panel::ApronColumn, "なし", "なし", false},
        {3, Panel::XColumn, "x", "450", true}, {3, Panel::NameColumn, "", "受付", true}};
    for (const auto& e : edits) {
        const std::size_t shown = platform.messages.size();
        Edit(e.row, e.column, QString::fromUtf8(e.typed));
        EXPECT_EQ(Cell(e.row, e.column), QString::fromUtf8(e.shown)) << e.typed;
        EXPECT_EQ(platform.messages.size(), shown + (e.refused ? 1 : 0)) << e.typed;
    }
    EXPECT_EQ(Cell(2, Panel::CategoryColumn), "個別");
    std::vector<EvaluationPoint> expected = RoomPoints();
    expected.erase(expected.begin() + 2);
    expected.push_back(DefaultPoint("受付", 450, 150, PersonCategory::Occupational));
    expected[0].name = "術者 A";
    expected[1].xCm = 160;
    expected[1].yCm = 400;
    expected[1].occupancy = 0.2;
    expected[1].layer = HeightLayer::Below;
    expected[1].barrier = {BarrierMaterial::Concrete, 150};
    expected[2].limitMsvPerYear = 5.2;
    EXPECT_EQ(state.roomPoints, expected);

    // Saved with the layout, and back with it after another layout has been loaded.
    LayoutEditor& editor = Window().layoutEditor();
    Find<QLineEdit>(editor, "layoutNameEdit")->setText("plan2");
    Click(editor, "saveButton");
    const Expected<std::vector<EvaluationPoint>> saved = ReadPointsFile("plan2.points.csv");
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, expected);
    LoadLayout("plan.Room");
    EXPECT_EQ(state.roomPoints, RoomPoints());
    EXPECT_EQ(table().rowCount(), 4);
    LoadLayout("plan2.Room");
    EXPECT_EQ(state.roomPoints, expected);
    EXPECT_EQ(Cell(1, Panel::OccupancyColumn), "1/5");
}

TEST_F(PointsOnTheOverlay, AnUnreadablePointsFileIsSaidOnLoadingAndNotOverwritten)
{
    Write("bad.points.csv", QByteArray(PointsHeader) + "\r\na,1,2,center,3,0,,20\r\n");
    ASSERT_FALSE(WriteRoomFile("bad.Room", RoomLayout{}));
    LoadLayout("bad.Room");
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_TRUE(platform.messages.back().text.contains("bad.points.csv, record 2: field occupancy"));
    EXPECT_TRUE(state.roomPoints.empty());
    EXPECT_EQ(table().rowCount(), 0);

    // The spreadsheet's file stays as it was when the layout is saved over it.
    platform.textAnswers = {"術者"};
    Press(LeftButton, 300, 320);
    Click(Window().layoutEditor(), "saveButton");
    EXPECT_TRUE(platform.messages.back().text.contains("left as it is, since it cannot be read"));
    EXPECT_EQ(Read("bad.points.csv"), QByteArray(PointsHeader) + "\r\na,1,2,center,3,0,,20\r\n");
}

TEST_F(PointsOnTheOverlay, AMapDroppedDuringTheYieldsLeavesNoPlanToPlacePointsOn)
{
    // Another file chosen in the result window while the overlay draws drops the map on show.
    int yields = 0;
    platform.duringEvents = [&] {
        if (++yields == 5) state.display.Select(std::nullopt);
    };
    Click(overlay(), "redrawButton");
    platform.duringEvents = nullptr;
    EXPECT_TRUE(Find<QLabel>(overlay(), "noteLabel")->text().contains("drawn"));
    EXPECT_TRUE(Cell(0, Panel::RateColumn).isEmpty());
    Press(LeftButton, 450, 150);
    EXPECT_TRUE(platform.textPrompts.isEmpty());
    EXPECT_EQ(state.roomPoints, RoomPoints());
    EXPECT_FALSE(Find<QPushButton>(overlay(), "reportSaveButton")->isEnabled());
}

TEST_F(PointsOnTheOverlay, TheReportsOfTheWindowsHoldTheBatchsText)
{
    // The overlay's: the result, the plan on show, its points and the workload.
    EnterWorkload("300", "48");
    platform.saveAnswers = {Path("window.pdf")};
    Click(overlay(), "reportSaveButton");
    ASSERT_TRUE(Exists("window.pdf"))
        << (platform.messages.empty() ? "" : platform.messages.back().text.toStdString());
    EXPECT_TRUE(platform.saveProposals.back().endsWith("/real_report.pdf"));
    ASSERT_EQ(
        Map("real.dsr5 --quantity dose --room plan.Room --points plan.points.csv --workload 300 --weeks 48 "
            "--out batch.pdf"),
        0)
        << Read("map-errors.txt").toStdString();
    const std::string window = PdfText("window.pdf");
    EXPECT_NE(window.find("plan.points.csv"), std::string::npos);
    EXPECT_EQ(window, PdfText("batch.pdf"));

    // With points but no workload, the overlay asks for one rather than file points unjudged.
    Find<QLineEdit>(overlay(), "workloadEdit")->clear();
    platform.saveAnswers = {Path("unjudged.pdf")};
    Click(overlay(), "reportSaveButton");
    EXPECT_FALSE(Exists("unjudged.pdf"));
    EXPECT_TRUE(platform.messages.back().text.contains("workload"));

    // The result window's: the maps alone; a name typed without ".pdf" gets it.
    platform.saveAnswers = {Path("maps")};
    Click(Window().resultWindow(), "reportSaveButton");
    ASSERT_TRUE(Exists("maps.pdf"));
    ASSERT_EQ(Map("real.dsr5 --quantity dose --out batch-maps.pdf"), 0)
        << Read("map-errors.txt").toStdString();
    EXPECT_EQ(PdfText("maps.pdf"), PdfText("batch-maps.pdf"));

    // With BRISCA_SCREENSHOT_DIR set (by hand, to look at the window), the overlay with its points.
    const QString folder = qEnvironmentVariable("BRISCA_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        EnterWorkload("300", "48");
        overlay().grab().save(QDir(folder).filePath("overlay-points.png"));
    }
}

} // namespace
