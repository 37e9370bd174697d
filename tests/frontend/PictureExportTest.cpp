// "画像保存" and "CSV保存" of the result window: what the dialog proposes, and that the files
// equal brisca-map's for the same result, quantity, height and thresholds.
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <sstream>

#include "ResultSteps.h"
#include "logic/room/RoomFile.h"
#include "mapjob/MapCommand.h"
#include "windows/OverlayWindow.h"
#include "windows/ResultWindow.h"

using namespace brisca;

namespace {

class PictureExport : public ResultSteps {
protected:
    // The real result selected, refined by the refiner's library and processed.
    ResultWindow& Processed()
    {
        EXPECT_TRUE(QFile::copy(BRISCA_ENGINE_RESULT, Path("real.dsr5")));
        ResultWindow& w = Open();
        Select("real.dsr5");
        Convert();
        Click(w, "processButton");
        EXPECT_TRUE(platform.messages.empty());
        return w;
    }

    // brisca-map on the real result, written to `out`, over the layout file `room` when one is named.
    void Map(const std::string& out, Quantity quantity, HeightLayer layer,
        const std::optional<Thresholds>& thresholds, const std::string& room = {})
    {
        MapOptions options;
        options.result = "real.dsr5";
        options.quantity = quantity;
        options.layer = layer;
        options.thresholds = thresholds;
        options.out = out;
        options.room = room;
        options.csv = out.ends_with(".csv");
        std::ostringstream console, errors;
        ASSERT_EQ(RunMapCommand(options, console, errors), 0) << errors.str();
    }
};

TEST_F(PictureExport, TheSavedMapIsBriscaMapsPicturePixelForPixel)
{
    const struct {
        const char* quantity; // option name
        const char* height;   // option name
        Quantity mapQuantity;
        HeightLayer layer;
        const char* edited; // threshold 11 typed by the user; null: the default legend
        const char* proposed;
    } cases[] = {{"kermaOption", "centreOption", Quantity::Kerma, HeightLayer::Centre, nullptr,
                     "real_kerma_center.png"},
        {"doseOption", "aboveOption", Quantity::Dose, HeightLayer::Above, "0", "real_dose_above.png"}};
    ResultWindow& w = Processed();
    EXPECT_FALSE(Find<QPushButton>(w, "imageSaveButton")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(w, "csvSaveButton")->isEnabled());
    for (const auto& c : cases) {
        Click(w, c.quantity);
        Click(w, c.height);
        if (c.edited) Find<QLineEdit>(w, "thresholdEdit", 11)->setText(c.edited);
        Click(w, "paintButton");
        platform.saveAnswers.push_back(Path("window.png"));
        Click(w, "imageSaveButton");
        EXPECT_EQ(platform.saveProposals.back(), QDir::current().filePath(c.proposed));

        std::optional<Thresholds> thresholds;
        if (c.edited) thresholds = state.display.painted->choice.thresholds;
        ASSERT_NO_FATAL_FAILURE(Map("map.png", c.mapQuantity, c.layer, thresholds));
        const QImage window(Path("window.png")), map(Path("map.png"));
        ASSERT_FALSE(window.isNull());
        EXPECT_EQ(window.convertToFormat(QImage::Format_RGB32), map.convertToFormat(QImage::Format_RGB32))
            << c.proposed;
    }
    // A cancelled dialog writes nothing.
    QFile::remove(Path("window.png"));
    Click(w, "imageSaveButton");
    EXPECT_FALSE(Exists("window.png"));
}

TEST_F(PictureExport, TheSavedCsvAndOverlayAreBriscaMaps)
{
    ResultWindow& w = Processed();
    Click(w, "doseOption");
    Click(w, "belowOption");
    platform.saveAnswers.push_back(Path("window.csv"));
    Click(w, "csvSaveButton");
    EXPECT_EQ(platform.saveProposals.back(), QDir::current().filePath("real_dose_below.csv"));
    ASSERT_NO_FATAL_FAILURE(Map("map.csv", Quantity::Dose, HeightLayer::Below, std::nullopt));
    EXPECT_EQ(Read("window.csv"), Read("map.csv"));

    Click(w, "paintButton");
    OverlayWindow& overlay = Window().overlayWindow();
    overlay.drawOverlay();
    platform.saveAnswers.push_back(Path("room.png"));
    Click(overlay, "imageSaveButton");
    EXPECT_EQ(platform.saveProposals.back(), QDir::current().filePath("real_dose_below_room.png"));
    ASSERT_FALSE(WriteRoomFile(Path("r.Room").toStdString(), state.roomLayout));
    ASSERT_NO_FATAL_FAILURE(
        Map("map.png", Quantity::Dose, HeightLayer::Below, state.displayChoice.thresholds, "r.Room"));
    const QImage window(Path("room.png")), map(Path("map.png"));
    ASSERT_FALSE(window.isNull());
    EXPECT_EQ(window.convertToFormat(QImage::Format_RGB32), map.convertToFormat(QImage::Format_RGB32));
}

} // namespace
