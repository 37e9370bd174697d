// The interface in English and Qt's own dialogs in Japanese: every text a user reads in the
// English interface, gathered from every window and message, holds no Japanese except data
// that is Japanese by nature; and a file dialog of the Japanese interface speaks Japanese.
#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>

#include "FindControl.h"
#include "ResultSteps.h"
#include "i18n/Translations.h"
#include "windows/CorrectionDialog.h"
#include "windows/LayoutEditor.h"
#include "windows/OverlayWindow.h"
#include "windows/ReadmeViewer.h"
#include "windows/RunsWindow.h"
#include "windows/SavedNotice.h"
#include "windows/SpectrumWindow.h"

using namespace brisca;

namespace {

// Kana, kanji and the full-width forms.
bool HasJapanese(const QString& text)
{
    static const QRegularExpression japanese("[\\x{3040}-\\x{30ff}\\x{3400}-\\x{9fff}\\x{ff01}-\\x{ff5e}]");
    return text.contains(japanese);
}

// Controls whose text is data that is Japanese by nature: result and layout file names, the
// readme's lines, and the room plan's labels (the layout's own texts, as its file keeps them).
bool IsData(const QWidget& widget)
{
    static const QStringList names = {"resultList", "resultNameEdit", "lineList", "layoutFileList"};
    const QWidget* parent = widget.parentWidget();
    return names.contains(widget.objectName()) || (parent && parent->objectName() == "planView");
}

// Every text `window` shows: titles, captions, tips, table headers, cells and choices.
QStringList TextsOf(QWidget& window)
{
    QStringList texts = {window.windowTitle()};
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* widget : widgets) {
        if (IsData(*widget)) continue;
        texts << widget->toolTip();
        if (auto* label = qobject_cast<QLabel*>(widget)) texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) texts << button->text();
        if (auto* group = qobject_cast<QGroupBox*>(widget)) texts << group->title();
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) texts << edit->text() << edit->placeholderText();
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            for (int n = 0; n < combo->count(); ++n) texts << combo->itemText(n);
        if (auto* list = qobject_cast<QListWidget*>(widget))
            for (int n = 0; n < list->count(); ++n) texts << list->item(n)->text();
        if (auto* table = qobject_cast<QTableWidget*>(widget))
            for (int column = 0; column < table->columnCount(); ++column) {
                if (QTableWidgetItem* header = table->horizontalHeaderItem(column))
                    texts << header->text() << header->toolTip();
                for (int row = 0; row < table->rowCount(); ++row)
                    if (QTableWidgetItem* item = table->item(row, column))
                        texts << item->text() << item->toolTip();
            }
    }
    return texts;
}

class InterfaceLanguageTest : public ResultSteps {
protected:
    void SetUp() override
    {
        ResultSteps::SetUp();
        ASSERT_TRUE(InstallTranslations(Language::English));
    }
    void TearDown() override
    {
        ResultSteps::TearDown();
        InstallTranslations(Language::Japanese);
    }
};

TEST_F(InterfaceLanguageTest, NoWindowOrMessageOfTheEnglishInterfaceShowsJapanese)
{
    QFile::copy(BRISCA_ENGINE_RESULT, Path("walk.dsr5"));
    MainWindow& main = Loaded();
    // Messages of the windows' own.
    main.readmeViewer().showReadme();
    Click(main, "spectrumButton");

    // A message built from a problem: a result whose header ends early.
    Write("short.dsr5", "1\n");
    ResultWindow& results = Open();
    Select("short.dsr5");
    Display("walk.dsr5");
    platform.messageAnswers = {MessageAnswer::Cancel};
    Click(results, "deleteButton");
    Find<QPushButton>(results, "correctionButton")->setEnabled(true);
    Click(results, "correctionButton");
    EvaluationPoint point;
    point.name = "A";
    state.roomPoints = {point};
    main.overlayWindow().showPoints();
    main.overlayWindow().show();
    main.layoutEditor().show();
    // A refusal of the start checks, built in the logic from the box's name.
    Find<QLineEdit>(main, "historiesEdit")->setText("many");
    Click(main, "startButton");

    QWidget* windows[] = {&main, &results, &main.overlayWindow(), &main.layoutEditor(),
        &main.correctionDialog(), &main.readmeViewer(), &main.spectrumWindow(), &main.savedNotice(),
        &main.runsWindow()};
    // With BRISCA_SCREENSHOT_DIR set (by hand, to look at the English windows), saves each.
    if (const QString shots = qEnvironmentVariable("BRISCA_SCREENSHOT_DIR"); !shots.isEmpty())
        for (QWidget* window : windows)
            window->grab().save(QDir(shots).filePath(window->objectName() + "-en.png"));
    int checked = 0;
    for (QWidget* window : windows)
        for (const QString& text : TextsOf(*window)) {
            EXPECT_FALSE(HasJapanese(text))
                << window->objectName().toStdString() << ": " << text.toStdString();
            checked += !text.isEmpty();
        }
    EXPECT_GT(checked, 300);
    QStringList messages;
    for (const ShownMessage& message : platform.messages) messages << message.text;
    EXPECT_EQ(messages.size(), 4) << messages.join(" | ").toStdString();
    for (const QString& message : messages) EXPECT_FALSE(HasJapanese(message)) << message.toStdString();
}

TEST_F(InterfaceLanguageTest, QtsOwnFileDialogSpeaksJapaneseInTheJapaneseInterface)
{
    ASSERT_TRUE(InstallTranslations(Language::Japanese));
    QFileDialog dialog(nullptr, "画像保存", QDir::currentPath(), "PNG (*.png)");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    const QList<QAbstractButton*> shown = buttons->buttons();
    ASSERT_EQ(shown.size(), 2);
    for (const QAbstractButton* button : shown)
        EXPECT_TRUE(HasJapanese(button->text())) << button->text().toStdString();
    for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
        EXPECT_TRUE(HasJapanese(Find<QLabel>(dialog, name)->text())) << name;
}

} // namespace
