// The readme viewer and the file-saved notice.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "Forms.h"
#include "WorkingFolder.h"
#include "setup/Form2.h"
#include "setup/Form4.h"
#include "setup/Form7.h"

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
    brisca::form2().Form_Load();
    for (const Case& c : cases) {
        Write("readme.txt", c.file);
        brisca::form2().Command3->click();
        const brisca::Form7& viewer = brisca::form7();
        EXPECT_TRUE(viewer.isVisible());
        EXPECT_EQ(Items(viewer.List1), c.items) << c.file.toStdString();
    }
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(brisca::form7().windowTitle(), "readme.txt");
    EXPECT_EQ(brisca::form7().Label1->text(), "readme.txt");
    brisca::form7().Command1->click();
    EXPECT_FALSE(brisca::form7().isVisible());
}

TEST_F(HousekeepingWindows, MissingReadmeWarnsAndTheProgramGoesOn)
{
    brisca::Form2& form = brisca::form2();
    form.Form_Load();
    form.Command3->click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("readme.txt"));
    EXPECT_EQ(platform.messages[0].icon, brisca::MsgIcon::Warning);
    EXPECT_FALSE(brisca::form7().isVisible());
    EXPECT_FALSE(platform.EndRequested());

    Write("readme.txt", "now here\r\n");
    form.Command3->click();
    EXPECT_EQ(Items(brisca::form7().List1), QStringList{"now here"});
}

TEST_F(HousekeepingWindows, FileSavedNoticeReadsAsOneSentenceAndHidesOnOk)
{
    brisca::Form4& notice = brisca::form4();
    EXPECT_EQ(notice.windowTitle(), "　ファイル保存");
    EXPECT_EQ(notice.Label1->text(), "補正したデータは");
    EXPECT_EQ(notice.Label3->text(), "に保存しました。");
    notice.Label2->setText("2026-12-07-立位.dsrC");
    notice.show();
    EXPECT_GT(notice.Label2->y(), notice.Label1->y());
    EXPECT_GT(notice.Label3->y(), notice.Label2->y());
    notice.Command1->click();
    EXPECT_FALSE(notice.isVisible());
    EXPECT_EQ(notice.Label2->text(), "2026-12-07-立位.dsrC");
}

} // namespace
