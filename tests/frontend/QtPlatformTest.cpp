// The real platform's program start where no window can show a console, and its date text.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "platform/QtPlatform.h"

using brisca::ProgramStart;
using brisca::QtPlatform;
using brisca::WindowStyle;

namespace {

// Waits up to five seconds for a file to hold `text`; returns what it holds.
QByteArray WaitFor(const QString& path, const QByteArray& text)
{
    QElapsedTimer timer;
    timer.start();
    QByteArray content;
    while (timer.elapsed() < 5000) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) content = file.readAll();
        if (content.contains(text)) break;
        QThread::msleep(20);
    }
    return content;
}

class DetachedStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        display_ = qgetenv("DISPLAY");
        wayland_ = qgetenv("WAYLAND_DISPLAY");
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
        program = folder.filePath("engine");
        QFile script(program);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        // Like an engine: a banner, an Enter prompt that meets end of input, the folder it
        // works in, and a finish line written after a pause (the start must not wait for it).
        script.write("#!/bin/sh\necho banner\nread answer\necho \"input ended $?\"\npwd\n"
                     "echo \"threads ${BRISCA_THREADS-unset} precision ${BRISCA_PRECISION-unset}\"\n"
                     "echo to-stderr >&2\nsleep 1\necho finished\n");
        script.close();
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void TearDown() override
    {
        if (!display_.isNull()) qputenv("DISPLAY", display_);
        if (!wayland_.isNull()) qputenv("WAYLAND_DISPLAY", wayland_);
    }

    QTemporaryDir folder;
    QString program;
    QtPlatform platform;

private:
    QByteArray display_;
    QByteArray wayland_;
};

TEST_F(DetachedStart, WithoutADisplayTheConsoleIsAppendedToTheLog)
{
    const QString log = folder.filePath("2026-12-07-立位.log");
    QFile previous(log);
    ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
    previous.write("earlier run\n");
    previous.close();

    // The start's settings win over this program's environment, and an empty one removes it.
    qputenv("BRISCA_PRECISION", "5");
    QElapsedTimer timer;
    timer.start();
    const std::optional<qint64> pid = platform.StartProgram({program, folder.path(), WindowStyle::NormalFocus,
        log, {{"BRISCA_THREADS", "3"}, {"BRISCA_PRECISION", ""}}});
    qunsetenv("BRISCA_PRECISION");
    ASSERT_TRUE(pid);
    EXPECT_LT(timer.elapsed(), 900); // it did not wait for the program
    EXPECT_TRUE(platform.ProgramRunning(*pid));

    const QByteArray content = WaitFor(log, "finished");
    EXPECT_TRUE(content.startsWith("earlier run\nbanner\ninput ended 1\n")) << content.toStdString();
    EXPECT_TRUE(content.contains("threads 3 precision unset"));
    EXPECT_TRUE(content.contains(QDir(folder.path()).canonicalPath().toUtf8()));
    EXPECT_TRUE(content.contains("to-stderr"));
    EXPECT_TRUE(content.contains("finished"));
    timer.restart();
    while (platform.ProgramRunning(*pid) && timer.elapsed() < 5000) QThread::msleep(20);
    EXPECT_FALSE(platform.ProgramRunning(*pid));
}

// A stop ends a program that waits.
TEST_F(DetachedStart, AStopEndsTheProgram)
{
    QFile script(program);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexec sleep 30\n");
    script.close();
    const std::optional<qint64> pid =
        platform.StartProgram({program, folder.path(), WindowStyle::Hidden, {}, {}});
    ASSERT_TRUE(pid);
    EXPECT_TRUE(platform.ProgramRunning(*pid));
    platform.StopProgram(*pid);
    QElapsedTimer timer;
    timer.start();
    while (platform.ProgramRunning(*pid) && timer.elapsed() < 5000) QThread::msleep(20);
    EXPECT_FALSE(platform.ProgramRunning(*pid));
}

TEST_F(DetachedStart, AProgramThatIsMissingOrNotExecutableIsNotStarted)
{
    EXPECT_FALSE(platform.StartProgram(
        {folder.filePath("nothing"), folder.path(), WindowStyle::NormalFocus, folder.filePath("x.log"), {}}));
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_FALSE(platform.StartProgram({program, folder.path(), WindowStyle::Hidden, QString(), {}}));
    EXPECT_FALSE(QFile::exists(folder.filePath("x.log")));
}

// A watched start returns at once and reports the exit status and the error output to its
// owner; once the owner is gone, nothing is reported.
TEST_F(DetachedStart, AWatchedProgramReportsItsEndToItsOwnerOnly)
{
    QFile script(program);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho progress\nsleep 0.3\necho 'bad result' >&2\nexit 3\n");
    script.close();

    std::vector<brisca::ProgramEnd> ends;
    auto owner = std::make_unique<QObject>();
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(platform.StartWatchedProgram({program, folder.path(), WindowStyle::Hidden, QString(), {}},
        *owner, [&ends](const brisca::ProgramEnd& end) { ends.push_back(end); }));
    EXPECT_LT(timer.elapsed(), 250);
    while (ends.empty() && timer.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].exitCode, 3);
    EXPECT_FALSE(ends[0].crashed);
    EXPECT_EQ(ends[0].errorOutput, "bad result");

    ASSERT_TRUE(platform.StartWatchedProgram({program, folder.path(), WindowStyle::Hidden, QString(), {}},
        *owner, [&ends](const brisca::ProgramEnd& end) { ends.push_back(end); }));
    owner.reset();
    QThread::msleep(500);
    QCoreApplication::processEvents();
    EXPECT_EQ(ends.size(), 1u);
    EXPECT_FALSE(platform.StartWatchedProgram(
        {folder.filePath("nothing"), folder.path(), WindowStyle::Hidden, QString(), {}},
        *std::make_unique<QObject>(), [&ends](const brisca::ProgramEnd& end) { ends.push_back(end); }));
}

TEST(QtPlatformDate, DateTextCanBePartOfAFileName)
{
    QtPlatform platform;
    EXPECT_TRUE(QRegularExpression(R"(^\d{4}-\d{2}-\d{2}$)").match(platform.DateText()).hasMatch());
}

} // namespace
