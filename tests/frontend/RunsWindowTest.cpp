// The runs window through the scripted platform: a row per start with the cores and the
// precision in the engine's environment, the rows following the progress files the test
// writes as an engine would, a stop that asks and signals, a finished run's result shown, and
// the question when the program ends with runs going.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>

#include "ResultSteps.h"
#include "records/progress_file.h"
#include "windows/MainWindow.h"
#include "windows/RunsWindow.h"

using namespace brisca;

namespace {

class Runs : public ResultSteps {
protected:
    void SetUp() override
    {
        ResultSteps::SetUp();
        Loaded();
        for (const char* engine : {"mcsupine", "mcstand"}) {
            Write(engine, "#!/bin/sh\n");
            QFile::setPermissions(Path(engine), QFile::ReadOwner | QFile::ExeOwner);
        }
    }

    // "計算スタート" as named, with the cores and the precision given.
    void Start(const QString& name, int cores, const QString& precision, bool standing = false)
    {
        Click(Window(), standing ? "standingOption" : "supineOption");
        Find<QLineEdit>(Window(), "resultNameEdit")->setText(name);
        Find<QSpinBox>(Window(), "coresBox")->setValue(cores);
        Find<QLineEdit>(Window(), "precisionEdit")->setText(precision);
        Click(Window(), "startButton");
    }

    // What the engine of the latest start writes as its progress: `share` of its histories.
    void Progress(const QString& resultFile, double share, qint64 pid = 777,
        records::RunProgress::State state = records::RunProgress::State::Running, const char* message = "")
    {
        records::RunProgress progress;
        progress.pid = pid;
        progress.total = 1000;
        progress.done = static_cast<long long>(share * 1000);
        progress.secondsLeft = 30;
        progress.state = state;
        progress.message = message;
        ASSERT_TRUE(records::WriteProgressFile(resultFile.toStdString(), progress));
        platform.running.insert(pid);
    }

    RunsWindow& Panel() { return Window().runsWindow(); }
    QTableWidget* Table() { return Find<QTableWidget>(Panel(), "runTable"); }
    QString Cell(int row, int column) { return Table()->item(row, column)->text(); }
    QPushButton* Button(const char* stem, int row) { return Find<QPushButton>(Panel(), stem, row); }
    int Share(int row) { return Find<QProgressBar>(Panel(), "progressBar", row)->value(); }
};

// The environment of the engine as the cores and the precision ask.
TEST_F(Runs, TheCoresAndThePrecisionReachTheEngine)
{
    const struct {
        int cores;
        const char* precision;
        const char* threads;  // BRISCA_THREADS; empty: removed
        const char* variable; // BRISCA_PRECISION; empty: removed
    } cases[] = {
        {1, "", "", ""},
        {2, "", "2", ""},
        {2, "5", "2", "5"},
        {1, "3", "1", "3"},
    };
    Find<QSpinBox>(Window(), "coresBox")->setMaximum(2);
    for (const auto& c : cases) {
        const std::size_t started = platform.starts.size();
        Start("run", c.cores, c.precision);
        ASSERT_EQ(platform.starts.size(), started + 1) << platform.messages.back().text.toStdString();
        const auto& environment = platform.starts.back().environment;
        ASSERT_EQ(environment.size(), 2u);
        EXPECT_EQ(environment[0], std::make_pair(QString("BRISCA_THREADS"), QString(c.threads))) << c.cores;
        EXPECT_EQ(environment[1], std::make_pair(QString("BRISCA_PRECISION"), QString(c.variable)))
            << c.precision;
    }
    EXPECT_EQ(Table()->rowCount(), 4);
}

// Two runs at once, each following its own progress file to its own end.
TEST_F(Runs, RowsFollowTheirProgressToTheEnd)
{
    Start("a", 2, "5");
    Start("b", 1, "", true);
    ASSERT_EQ(Table()->rowCount(), 2);
    EXPECT_TRUE(Panel().isVisible());
    EXPECT_EQ(Cell(0, 0), "a.dsr5");
    EXPECT_EQ(Cell(0, 1), "臥位");
    EXPECT_EQ(Cell(1, 1), "立位");
    EXPECT_EQ(Cell(1, 5), "実行中");

    Progress("a.dsr5", 0.25, 777);
    Progress("b.dsr5", 0.5, 778, records::RunProgress::State::Failed, "書けません [cannot write]");
    Panel().poll();
    EXPECT_EQ(Share(1), 250);
    EXPECT_EQ(Cell(0, 3), "0:30");
    EXPECT_EQ(Cell(0, 4), "—（目標 5 %）");
    EXPECT_EQ(Cell(1, 5), "失敗: 書けません [cannot write]");
    EXPECT_FALSE(Exists("b.dsr5.progress"));
    EXPECT_FALSE(Button("cancelButton", 2)->isEnabled());

    // The engine writes its result, then removes its progress file.
    QSignalSpy finished(&Panel(), &RunsWindow::runFinished);
    Write("a.dsr5", Read("B2F.txt"));
    QFile::remove(Path("a.dsr5.progress"));
    Panel().poll();
    EXPECT_EQ(Cell(0, 5), "終了");
    EXPECT_EQ(Share(1), 1000);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished[0][0].toString(), "a.dsr5");
    EXPECT_TRUE(Button("showButton", 1)->isEnabled());
    EXPECT_FALSE(Button("showButton", 2)->isEnabled());
}

// "中止" asks first; the stop goes to the engine named by the progress file, and the row
// removes what the engine leaves behind once it is gone.
TEST_F(Runs, CancelAsksThenStopsTheEngine)
{
    Start("a", 2, "");
    const qint64 terminal = *platform.running.begin();
    platform.messageAnswers = {MessageAnswer::Cancel};
    Click(Panel(), "cancelButton1");
    EXPECT_TRUE(platform.stopped.empty());
    EXPECT_EQ(Cell(0, 5), "実行中");

    Progress("a.dsr5", 0.4, 777);
    Panel().poll();
    platform.messageAnswers = {MessageAnswer::Ok};
    Click(Panel(), "cancelButton1");
    EXPECT_EQ(platform.stopped, std::vector<qint64>{777});
    EXPECT_EQ(Cell(0, 5), "中止");
    EXPECT_TRUE(platform.messages.back().text.contains("a.dsr5"));

    Panel().poll();
    EXPECT_TRUE(Exists("a.dsr5.progress")); // the engine is still cleaning up
    platform.running.erase(777);
    platform.running.erase(terminal);
    Panel().poll();
    EXPECT_FALSE(Exists("a.dsr5.progress"));
    EXPECT_EQ(Cell(0, 5), "中止");
}

// "表示" opens the result window on the run's result, converted and processed, ready to paint;
// the list of an open result window already holds the result.
TEST_F(Runs, AFinishedRunOpensItsResult)
{
    Start("a", 2, "");
    Window().showResults();
    ASSERT_TRUE(QFile::copy(BRISCA_ENGINE_RESULT, Path("a.dsr5")));
    Panel().poll();
    ResultWindow& results = Window().resultWindow();
    EXPECT_EQ(Find<QListWidget>(results, "resultList")->findItems("a.dsr5", Qt::MatchExactly).size(), 1);

    results.hide();
    PlaceRefiner();
    Click(Panel(), "showButton1");
    EXPECT_TRUE(results.isVisible());
    ASSERT_TRUE(state.display.converted);
    EXPECT_EQ(state.display.converted->name, "a.dsr5");
    std::ostringstream console, errors;
    platform.watchers.back()({refiner::RunRefiner(console, errors), false, {}});
    ASSERT_TRUE(state.display.processed);
    EXPECT_EQ(state.display.processed->name, "a.dsr5");
    EXPECT_TRUE(Find<QPushButton>(results, "paintButton")->isEnabled());
}

// Ending the program with runs going asks whether to stop them, leave them or stay.
TEST_F(Runs, EndingWithRunsGoingAsks)
{
    const struct {
        MessageAnswer answer;
        bool ends;
        bool stops;
    } cases[] = {
        {MessageAnswer::Cancel, false, false},
        {MessageAnswer::No, true, false},
        {MessageAnswer::Yes, true, true},
    };
    for (const auto& c : cases) {
        SetUp();
        Start("a", 2, "");
        platform.messageAnswers = {c.answer};
        Click(Window(), "exitButton");
        EXPECT_EQ(platform.EndRequested(), c.ends);
        EXPECT_EQ(platform.stopped.size(), c.stops ? 1u : 0u);
        EXPECT_EQ(platform.messages.back().buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(Exists("B2F.txt"), !c.ends);
        TearDown();
    }
}

} // namespace
