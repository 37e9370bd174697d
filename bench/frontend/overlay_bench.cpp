// Times one drawing of the distribution over the room plan into the plan's image: the layout,
// the phantom, 600 rows of 380 dots on one side with a yield to the event loop after each row,
// the grid, the cut and the layout again. Runs offscreen.
// Usage: overlay_bench [picture.png] (writes the last drawing there to look at); prints median
// milliseconds for one side and for both sides.
#include <QGuiApplication>
#include <cstdio>

#include "BenchSupport.h"
#include "drawing/RoomOverlay.h"
#include "logic/result/LegendScale.h"

namespace {

constexpr int PictureSide = 861; // the plan picture inside its sunken border, pixels

double MedianMilliseconds(QImage& picture, const brisca::OverlayInputs& inputs)
{
    return bench::SortedMilliseconds([&] { brisca::DrawRoomOverlay(picture, inputs); })[bench::Repeats / 2];
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const brisca::DisplayGrid grid = bench::FallingOffGrid();
    const brisca::Thresholds thresholds = brisca::LegendScale(brisca::GridMaximum(grid));
    const brisca::RoomLayout layout;
    bool bothSides = false;

    QImage picture(PictureSide, PictureSide, QImage::Format_RGB32);
    brisca::OverlayInputs inputs{layout, brisca::PatientPosition::Standing, 60.0, {}, {}};
    inputs.row = [&] { return brisca::OverlayRow{grid, brisca::HeightLayer::Centre, thresholds, bothSides}; };
    inputs.afterRow = [] {
        QCoreApplication::processEvents();
        return true;
    };
    const double oneSide = MedianMilliseconds(picture, inputs);
    bothSides = true;
    const double twoSides = MedianMilliseconds(picture, inputs);
    std::printf("overlay drawing with a yield per row: one side median %.2f ms, both sides %.2f ms over %d "
                "runs\n",
        oneSide, twoSides, bench::Repeats);
    if (argc > 1) picture.save(argv[1]);
    return 0;
}
