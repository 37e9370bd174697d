// The readme viewer and the file-saved notice.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

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
        window.readmeButton->click();
        EXPECT_TRUE(viewer.isVisible());
        EXPECT_EQ(Items(viewer.lineList), c.items) << c.file.toStdString();
    }
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(viewer.windowTitle(), "readme.txt");
    EXPECT_EQ(viewer.titleLabel->text(), "readme.txt");
    viewer.closeButton->click();
    EXPECT_FALSE(viewer.isVisible());
}

TEST_F(HousekeepingWindows, MissingReadmeWarnsAndTheProgramGoesOn)
{
    brisca::MainWindow& form = Loaded();
    form.readmeButton->click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("readme.txt"));
    EXPECT_EQ(platform.messages[0].icon, brisca::MessageIcon::Warning);
    EXPECT_FALSE(form.readmeViewer().isVisible());
    EXPECT_FALSE(platform.EndRequested());

    Write("readme.txt", "now here\r\n");
    form.readmeButton->click();
    EXPECT_EQ(Items(form.readmeViewer().lineList), QStringList{"now here"});
}

TEST_F(HousekeepingWindows, FileSavedNoticeReadsAsOneSentenceAndHidesOnOk)
{
    brisca::SavedNotice notice;
    EXPECT_EQ(notice.windowTitle(), "　ファイル保存");
    EXPECT_EQ(notice.introLabel->text(), "補正したデータは");
    EXPECT_EQ(notice.savedLabel->text(), "に保存しました。");
    notice.fileNameLabel->setText("2026-12-07-立位.dsrC");
    notice.show();
    EXPECT_GT(notice.fileNameLabel->y(), notice.introLabel->y());
    EXPECT_GT(notice.savedLabel->y(), notice.fileNameLabel->y());
    notice.okButton->click();
    EXPECT_FALSE(notice.isVisible());
    EXPECT_EQ(notice.fileNameLabel->text(), "2026-12-07-立位.dsrC");
}

} // namespace
