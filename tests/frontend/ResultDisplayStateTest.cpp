// One result on show at a time: sequences of a user's actions on the result window, with the
// real refiner, and what must (not) be painted, read out, asked or written after each.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "ResultSteps.h"
#include "drawing/DistributionMap.h"
#include "logic/result/CorrectedResult.h"
#include "logic/result/ErrorText.h"
#include "logic/text/NumberText.h"
#include "windows/CorrectionDialog.h"
#include "windows/PictureBox.h"

using namespace brisca;

namespace {

// What a step of a sequence does or checks.
enum class Do {
    Display,        // select `text`, "OK" with the refiner, "データ処理", "散乱線量分布表示"
    Select,         // choose `text` in the list
    Convert,        // "OK", the refiner run to its end
    Process,        // "データ処理"
    Paint,          // "散乱線量分布表示"
    Hover,          // the cursor over the map, 100 cm beside the phantom, 50 cm towards the tube
    Click,          // the option `text` of the result window
    OpenCorrection, // "実測値による補正"
    Correct,        // the primary beam's measured value `text`, then "OK" in the dialog
    Delete,         // "ファイル削除", answered OK
    SaveImage,      // "画像保存", cancelled
    Message,        // the one message since the last check holds `text`
    Header,         // the position caption reads `text`
    Map,            // the map is "blank", or painted with the "standing" or "supine" phantom
    Readout,        // the read-out is empty (""), or the painted map's "kerma" or "dose" value
    Note,           // the uncertainty note holds `text`
    Dialog,         // the correction dialog is hidden (""), or shows the file `text` with its header
    Corrected,      // the corrected copy `text` exists with `detail` as its header's kerma rate
    Unwritten,      // the file `text` does not exist
    Proposal,       // the last save dialog proposed `text`
};

struct Step {
    Do what;
    const char* text = "";
    const char* detail = "";
};

// One user's way through the window, after one of the faults it once showed.
struct Sequence {
    const char* what;
    std::vector<Step> steps;
};

const Sequence kSequences[] = {
    {"another file selected after painting: processing and painting wait for its conversion",
        {{Do::Display, "stand.dsr5"}, {Do::Map, "standing"}, {Do::Select, "supine.dsr5"}, {Do::Map, "blank"},
            {Do::Header, "臥位（垂直照射）"}, {Do::Process},
            {Do::Message, "supine.dsr5 はまだ変換されていません"}, {Do::Paint},
            {Do::Message, "supine.dsr5 はまだ変換されていません"}, {Do::Map, "blank"}, {Do::Convert},
            {Do::Process}, {Do::Paint}, {Do::Map, "supine"}, {Do::SaveImage},
            {Do::Proposal, "supine_kerma_center.png"}}},
    {"painting after \"OK\" but before data processing",
        {{Do::Display, "stand.dsr5"}, {Do::Select, "supine.dsr5"}, {Do::Convert}, {Do::Paint},
            {Do::Message, "supine.dsr5 のデータ処理がまだです"}, {Do::Map, "blank"}, {Do::Process},
            {Do::Paint}, {Do::Map, "supine"}}},
    {"painting after a conversion that failed",
        {{Do::Display, "stand.dsr5"}, {Do::Select, "broken.dsr5"}, {Do::Convert},
            {Do::Message, "変換に失敗しました"}, {Do::Paint},
            {Do::Message, "broken.dsr5 の変換に失敗したため"}, {Do::Map, "blank"}}},
    {"the read-out after a change of quantity or height",
        {{Do::Display, "stand.dsr5"}, {Do::Hover}, {Do::Readout, "kerma"}, {Do::Click, "doseOption"},
            {Do::Readout, ""}, {Do::Hover}, {Do::Readout, ""}, {Do::Paint}, {Do::Hover},
            {Do::Readout, "dose"}, {Do::Click, "aboveOption"}, {Do::Readout, ""}, {Do::Hover},
            {Do::Readout, ""}, {Do::Paint}, {Do::Hover}, {Do::Readout, "dose"}}},
    {"the correction after another file is selected",
        {{Do::Display, "3mA.dsr5"}, {Do::Select, "1mA.dsr5"}, {Do::OpenCorrection},
            {Do::Message, "1mA.dsr5 は、変換した結果ファイル 3mA.dsr5 と異なります"}, {Do::Dialog, ""},
            {Do::Convert}, {Do::Process}, {Do::Paint}, {Do::OpenCorrection}, {Do::Dialog, "1mA.dsr5"},
            {Do::Correct, "1.0154E-02"}, {Do::Corrected, "1mA.dsrC", "1.015E-02"},
            {Do::Unwritten, "3mA.dsrC"}}},
    {"the correction's \"OK\" after another file is selected",
        {{Do::Display, "3mA.dsr5"}, {Do::OpenCorrection}, {Do::Dialog, "3mA.dsr5"}, {Do::Select, "1mA.dsr5"},
            {Do::Correct, "3.046E-02"}, {Do::Message, "異なります"}, {Do::Unwritten, "3mA.dsrC"},
            {Do::Unwritten, "1mA.dsrC"}}},
    {"processing after a conversion that failed",
        {{Do::Select, "broken.dsr5"}, {Do::Convert}, {Do::Message, "変換に失敗しました"}, {Do::Process},
            {Do::Message,
                "broken.dsr5 の変換に失敗したため、データ処理できません \nmcrefine がエラーで終了しました\n"
                "mcrefine: broken.dsr5 の 200 行目"}}},
    {"the errors of a result with its uncertainty file, then of one without",
        {{Do::Display, "3mA.dsr5"}, {Do::Note, "3mA.dsrE から"}, {Do::Hover}, {Do::Readout, "kerma"},
            {Do::Click, "errorsOption"}, {Do::Readout, ""}, {Do::Paint}, {Do::Map, "standing"}, {Do::Hover},
            {Do::Readout, "kerma"}, {Do::SaveImage}, {Do::Proposal, "3mA_kerma-error_center.png"},
            {Do::Display, "stand.dsr5"}, {Do::Message, "読める不確かさファイルがない"},
            {Do::Note, "stand.dsrE がありません"}, {Do::Map, "blank"}, {Do::Click, "ratesOption"},
            {Do::Paint}, {Do::Hover}, {Do::Readout, "kerma"}}},
    {"deleting the file on show",
        {{Do::Display, "stand.dsr5"}, {Do::Hover}, {Do::Delete}, {Do::Header, ""}, {Do::Map, "blank"},
            {Do::Readout, ""}, {Do::Process}, {Do::Message, "結果ファイルが選ばれていません"}}},
};

class ResultDisplayStateTest : public ResultSteps {
protected:
    // The engine's small standing result in the working folder, as stand.dsr5 and in
    // variants: supine, scaled to 3 mA and 1 mA, and one the refiner cannot convert.
    void WriteResults()
    {
        QFile engine(BRISCA_ENGINE_RESULT);
        ASSERT_TRUE(engine.open(QIODevice::ReadOnly));
        const QByteArray standing = engine.readAll();
        Write("stand.dsr5", standing);
        Write("supine.dsr5", Line(standing, 0, " 1"));
        Write("3mA.dsr5", Line(standing, 6, "3.0000"));
        ASSERT_FALSE(
            WriteCorrectedResult(Path("3mA.dsr5").toStdString(), Path("1mA.dsr5").toStdString(), 1.0 / 3));
        Write("1mA.dsr5", Line(Read("1mA.dsr5"), 6, "1.0000"));
        Write("broken.dsr5", Line(standing, 1, " 0.1000E+41").left(standing.size() / 2));
        // Relative errors do not change with the tube current.
        ASSERT_TRUE(QFile::copy(BRISCA_ENGINE_ERRORS, Path("3mA.dsrE")));
    }

    // `file` with line `n` (from 0) replaced by `text`.
    static QByteArray Line(const QByteArray& file, int n, const QByteArray& text)
    {
        QList<QByteArray> lines = file.split('\n');
        lines[n] = text + "\r";
        return lines.join('\n');
    }

    // The colour of map point (0, y), on the central axis of the phantom.
    QRgb OnAxis(int y)
    {
        return Find<PictureBox>(Window().resultWindow(), "mapView")
            ->image()
            .pixel(MapPixelOfElement(-19, y + 1));
    }

    // Takes one step of a sequence.
    void Take(const Step& step)
    {
        ResultWindow& w = Window().resultWindow();
        CorrectionDialog& dialog = Window().correctionDialog();
        const QString text = QString::fromUtf8(step.text);
        if (step.what < Do::Message) {
            // Every message an action brought must have been expected.
            for (; seen_ < platform.messages.size(); ++seen_)
                ADD_FAILURE() << "unexpected message: " << platform.messages[seen_].text.toStdString();
        }
        switch (step.what) {
        case Do::Display:
            Display(text);
            break;
        case Do::Select:
            Select(text);
            break;
        case Do::Convert:
            Convert();
            break;
        case Do::Process:
            Click(w, "processButton");
            break;
        case Do::Paint:
            Click(w, "paintButton");
            break;
        case Do::Hover:
            w.readOutAt({120, 250});
            break;
        case Do::Click:
            Click(w, text);
            break;
        case Do::OpenCorrection:
            Click(w, "correctionButton");
            break;
        case Do::Correct:
            Find<QLineEdit>(dialog, "primaryMeasuredEdit")->setText(text);
            Click(dialog, "okButton");
            break;
        case Do::Delete:
            platform.messageAnswers.push_back(MessageAnswer::Ok);
            Click(w, "deleteButton");
            ++seen_; // the question
            break;
        case Do::SaveImage:
            Click(w, "imageSaveButton");
            break;
        case Do::Message:
            ASSERT_EQ(platform.messages.size(), seen_ + 1) << "expected one message holding " << step.text;
            EXPECT_TRUE(platform.messages[seen_].text.contains(text))
                << platform.messages[seen_].text.toStdString();
            seen_ = platform.messages.size();
            break;
        case Do::Header:
            EXPECT_EQ(Find<QLabel>(w, "positionLabel")->text(), text);
            break;
        case Do::Map:
            ExpectMap(step.text);
            break;
        case Do::Readout:
            ExpectReadout(step.text);
            break;
        case Do::Note:
            EXPECT_TRUE(Find<QLabel>(w, "uncertaintyLabel")->text().contains(text))
                << Find<QLabel>(w, "uncertaintyLabel")->text().toStdString();
            break;
        case Do::Dialog:
            ExpectDialog(step.text);
            break;
        case Do::Corrected:
            ASSERT_TRUE(Exists(text)) << step.text;
            EXPECT_EQ(Read(text).split('\n').value(1), QByteArray(step.detail) + "\r");
            break;
        case Do::Unwritten:
            EXPECT_FALSE(Exists(text)) << step.text;
            break;
        case Do::Proposal:
            ASSERT_FALSE(platform.saveProposals.isEmpty());
            EXPECT_EQ(platform.saveProposals.back(), QDir::current().filePath(text));
            break;
        }
    }

    // A blank map, or one painted with the phantom of a position.
    void ExpectMap(const std::string& kind)
    {
        const QImage& map = Find<PictureBox>(Window().resultWindow(), "mapView")->image();
        int coloured = 0;
        for (int j = FirstPaintedRow; j <= LastPaintedRow; j += 10)
            for (int i = 1; i <= 376; i += 10)
                coloured += (map.pixel(MapPixelOfElement(i, j)) & 0xffffff) != 0xffffff;
        if (kind == "blank") {
            EXPECT_EQ(coloured, 0);
            EXPECT_FALSE(Find<QPushButton>(Window().resultWindow(), "imageSaveButton")->isEnabled());
            return;
        }
        EXPECT_GT(coloured, 500);
        const QRgb red = qRgb(255, 0, 0);
        // The standing patient's central ray runs from the tube to the phantom; the supine
        // patient's beam is a disc at the phantom centre.
        EXPECT_EQ(OnAxis(250) == red, kind == "standing") << kind;
        EXPECT_EQ(OnAxis(300) == red, kind == "supine") << kind;
    }

    // An empty read-out, or the painted map's value under the cursor with the unit shown, and
    // with its error where the result has an uncertainty file.
    void ExpectReadout(const std::string& quantity)
    {
        ResultWindow& w = Window().resultWindow();
        const QString value = Find<QLineEdit>(w, "cursorValueEdit")->text();
        if (quantity.empty()) {
            EXPECT_TRUE(value.isEmpty()) << value.toStdString();
            EXPECT_TRUE(Find<QWidget>(w, "horizontalHair")->isHidden());
            return;
        }
        const Quantity shown = quantity == "kerma" ? Quantity::Kerma : Quantity::Dose;
        ASSERT_TRUE(state.display.painted);
        EXPECT_EQ(state.display.painted->choice.quantity, shown);
        const HeightLayer layer = state.display.painted->choice.layer;
        std::string expected = PlainNumberText(state.display.Grid(shown).At(layer, 100, 250));
        if (const DisplayGrid* errors = state.display.Errors(shown))
            expected = ValueWithError(expected, errors->At(layer, 100, 250));
        EXPECT_EQ(value.toStdString(), expected);
        EXPECT_EQ(value.contains(" ± "), state.display.Errors(shown) != nullptr);
        // One text for the unit, from the window's opening on.
        EXPECT_EQ(
            Find<QLabel>(w, "readoutUnitLabel")->text(), shown == Quantity::Kerma ? "μGy/min" : "μSv/min");
    }

    // A hidden dialog, or one on the file `name` with that file's free-air kerma rate.
    void ExpectDialog(const QString& name)
    {
        const CorrectionDialog& dialog = Window().correctionDialog();
        EXPECT_EQ(dialog.isVisible(), !name.isEmpty());
        if (name.isEmpty()) return;
        EXPECT_TRUE(Find<QLabel>(dialog, "fileNameLabel")->text().endsWith(name));
        const Expected<ResultHeader> header = ReadResultHeader(Path(name).toStdString());
        ASSERT_TRUE(header);
        EXPECT_EQ(Find<QLabel>(dialog, "primaryCurrentLabel")->text().toStdString(),
            header->labels[static_cast<int>(HeaderValue::FreeAirKermaRate)]);
    }

    // Takes the steps of a sequence in a fresh working folder; a step that cannot go on ends
    // only its sequence.
    void Walk(const Sequence& sequence)
    {
        TearDown();
        SetUp();
        seen_ = 0;
        ASSERT_NO_FATAL_FAILURE(WriteResults());
        Open();
        for (std::size_t n = 0; n < sequence.steps.size(); ++n) {
            SCOPED_TRACE("step " + std::to_string(n + 1));
            ASSERT_NO_FATAL_FAILURE(Take(sequence.steps[n]));
        }
        for (; seen_ < platform.messages.size(); ++seen_)
            ADD_FAILURE() << "unexpected message: " << platform.messages[seen_].text.toStdString();
    }

    std::size_t seen_ = 0; // messages checked so far
};

TEST_F(ResultDisplayStateTest, EachStepActsOnlyOnTheFileOfTheStepBefore)
{
    for (const Sequence& sequence : kSequences) {
        SCOPED_TRACE(sequence.what);
        Walk(sequence);
    }
}

} // namespace
