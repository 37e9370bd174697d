// The readme viewer and the file-saved notice.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <string_view>

#include "FindControl.h"
#include "WorkingFolder.h"
#include "windows/MainWindow.h"
#include "windows/ReadmeViewer.h"
#include "windows/SavedNotice.h"

namespace {

using HousekeepingWindows = WorkingFolder;

QStringList Items(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
}

TEST_F(HousekeepingWindows, ReadmeShowsOneItemPerLine)
{
    struct Case {
        QByteArray file;
        QStringList items;
    };
    const Case cases[] = {
        {"first\r\nsecond line\r\n", {"first", "second line"}},
        {"no line end", {"no line end"}},
        {"a\n\r\nc", {"a", "", "c"}},
        {"透視室内散乱線分布\r\n", {"透視室内散乱線分布"}},
        {"", {}},
    };
    brisca::MainWindow& window = Loaded();
    const brisca::ReadmeViewer& viewer = window.readmeViewer();
    for (const Case& c : cases) {
        Write("readme.txt", c.file);
        Click(window, "readmeButton");
        EXPECT_TRUE(viewer.isVisible());
        EXPECT_EQ(Items(Find<QListWidget>(viewer, "lineList")), c.items) << c.file.toStdString();
    }
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(viewer.windowTitle(), "readme.txt");
    EXPECT_EQ(Find<QLabel>(viewer, "titleLabel")->text(), "readme.txt");
    Click(viewer, "closeButton");
    EXPECT_FALSE(viewer.isVisible());

    // From the keyboard: Enter on the focused button, or Esc wherever the focus is.
    for (const char* focus : {"closeButton", "lineList"}) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            if (key == Qt::Key_Return && focus != std::string_view("closeButton")) continue;
            Click(window, "readmeButton");
            QTest::keyClick(Find<QWidget>(viewer, focus), key);
            EXPECT_FALSE(viewer.isVisible()) << focus << " " << key;
        }
    }
}

TEST_F(HousekeepingWindows, MissingReadmeWarnsAndTheProgramGoesOn)
{
    brisca::MainWindow& form = Loaded();
    Click(form, "readmeButton");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("readme.txt"));
    EXPECT_EQ(platform.messages[0].icon, brisca::MessageIcon::Warning);
    EXPECT_FALSE(form.readmeViewer().isVisible());
    EXPECT_FALSE(platform.EndRequested());

    Write("readme.txt", "now here\r\n");
    Click(form, "readmeButton");
    EXPECT_EQ(Items(Find<QListWidget>(form.readmeViewer(), "lineList")), QStringList{"now here"});
}

TEST_F(HousekeepingWindows, FileSavedNoticeReadsAsOneSentenceAndHidesOnOk)
{
    brisca::SavedNotice notice;
    EXPECT_EQ(notice.windowTitle(), "　ファイル保存");
    EXPECT_EQ(Find<QLabel>(notice, "introLabel")->text(), "補正したデータは");
    EXPECT_EQ(Find<QLabel>(notice, "savedLabel")->text(), "に保存しました。");
    Find<QLabel>(notice, "fileNameLabel")->setText("2026-12-07-立位.dsrC");
    notice.show();
    EXPECT_GT(Find<QLabel>(notice, "fileNameLabel")->y(), Find<QLabel>(notice, "introLabel")->y());
    EXPECT_GT(Find<QLabel>(notice, "savedLabel")->y(), Find<QLabel>(notice, "fileNameLabel")->y());
    Click(notice, "okButton");
    EXPECT_FALSE(notice.isVisible());
    EXPECT_EQ(Find<QLabel>(notice, "fileNameLabel")->text(), "2026-12-07-立位.dsrC");
}

} // namespace
