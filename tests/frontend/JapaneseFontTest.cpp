// Every caption of the windows is drawn with real glyphs, not empty boxes.
#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>

#include "WorkingFolder.h"
#include "windows/MainWindow.h"
#include "windows/ReadmeViewer.h"
#include "windows/RunsWindow.h"
#include "windows/SavedNotice.h"

namespace {

using JapaneseFont = WorkingFolder;

// Characters of `text` that the widget's font has no glyph for.
QString MissingGlyphs(const QWidget* widget, const QString& text)
{
    const QFontMetrics metrics(widget->font());
    QString missing;
    for (const QChar c : text) {
        if (!c.isSpace() && !metrics.inFont(c)) missing += c;
    }
    return missing;
}

TEST_F(JapaneseFont, TheWindowFontIsAnInstalledJapaneseFont)
{
    const QString family = QFontInfo(QApplication::font()).family();
    EXPECT_TRUE(QFontDatabase::families(QFontDatabase::Japanese).contains(family)) << family.toStdString();
}

TEST_F(JapaneseFont, EveryCaptionHasItsGlyphs)
{
    brisca::MainWindow& window = Loaded();
    brisca::SavedNotice notice;
    const QList<QWidget*> windows = {&window, &notice, &window.readmeViewer(), &window.runsWindow()};
    int captions = 0;
    for (QWidget* window : windows) {
        QList<QPair<const QWidget*, QString>> texts = {{window, window->windowTitle()}};
        for (const QLabel* label : window->findChildren<QLabel*>()) texts.append({label, label->text()});
        for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
            texts.append({button, button->text()});
        }
        for (const QGroupBox* frame : window->findChildren<QGroupBox*>()) {
            texts.append({frame, frame->title()});
        }
        for (const auto& [widget, text] : texts) {
            EXPECT_EQ(MissingGlyphs(widget, text), "") << text.toStdString();
            ++captions;
        }
    }
    EXPECT_GT(captions, 60);
}

} // namespace
