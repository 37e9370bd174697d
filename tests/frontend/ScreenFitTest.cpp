// The windows on a 1366 × 768 laptop screen: each opens inside the screen's available area,
// and every control it holds can be scrolled into view; on a desktop screen each keeps its
// designed size with no scroll area.
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include "FindControl.h"
#include "WorkingFolder.h"
#include "windows/CorrectionDialog.h"
#include "windows/LayoutEditor.h"
#include "windows/OverlayWindow.h"
#include "windows/ResultWindow.h"

using namespace brisca;

namespace {

using ScreenFitTest = WorkingFolder;

// The windows too large for a laptop, and the size each was designed at.
std::vector<std::pair<QWidget*, QSize>> LargeWindows(MainWindow& main)
{
    return {{&main, {1101, 816}}, {&main.resultWindow(), {1317, 826}}, {&main.overlayWindow(), QSize()},
        {&main.layoutEditor(), {1250, 740}}};
}

TEST_F(ScreenFitTest, EveryControlOfAWindowLargerThanTheScreenCanBeScrolledIntoView)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    if (area.width() >= 2000) GTEST_SKIP() << "needs the laptop screen (screens/laptop.json)";
    MainWindow& main = Loaded();
    int reached = 0;
    for (auto [window, designed] : LargeWindows(main)) {
        const std::string name = window->objectName().toStdString();
        window->show();
        EXPECT_TRUE(area.contains(window->frameGeometry().topLeft())) << name;
        EXPECT_LE(window->width(), area.width()) << name;
        EXPECT_LE(window->height(), area.height()) << name;
        auto* scroll = Find<QScrollArea>(*window, "screenScrollArea");
        const QWidget* content = scroll->widget();
        ASSERT_NE(content, nullptr) << name;
        for (QWidget* control : content->findChildren<QWidget*>()) {
            // Whole controls only: the parts of a table or a group come with it.
            if (!control->isVisibleTo(window) || control->parentWidget() != content) continue;
            const QRect visible = scroll->viewport()->rect();
            const std::string what = name + " " + control->objectName().toStdString();
            if (control->width() <= visible.width() && control->height() <= visible.height()) {
                scroll->ensureWidgetVisible(control, 0, 0);
                const QRect shown(control->mapTo(scroll->viewport(), QPoint(0, 0)), control->size());
                EXPECT_TRUE(visible.contains(shown)) << what;
            } else {
                // A box larger than the view (the plan, a block's frame) is reached part by part.
                EXPECT_LE(control->geometry().right() + 1,
                    scroll->horizontalScrollBar()->maximum() + visible.width())
                    << what;
                EXPECT_LE(control->geometry().bottom() + 1,
                    scroll->verticalScrollBar()->maximum() + visible.height())
                    << what;
            }
            ++reached;
        }
        window->hide();
    }
    EXPECT_GT(reached, 100);
}

TEST_F(ScreenFitTest, OnADesktopScreenTheWindowsKeepTheirDesignAndOpenApart)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    if (area.width() < 2000) GTEST_SKIP() << "needs the desktop screen (screens/desktop.json)";
    MainWindow& main = Loaded();
    QList<QPoint> places;
    for (auto [window, designed] : LargeWindows(main)) {
        EXPECT_EQ(window->findChild<QScrollArea*>("screenScrollArea"), nullptr)
            << window->objectName().toStdString();
        if (designed.isValid()) {
            EXPECT_EQ(window->size(), designed) << window->objectName().toStdString();
        }
        EXPECT_EQ(window->minimumSize(), window->maximumSize());
        EXPECT_TRUE(area.contains(window->geometry())) << window->objectName().toStdString();
        EXPECT_FALSE(places.contains(window->pos()));
        places << window->pos();
    }
}

} // namespace
