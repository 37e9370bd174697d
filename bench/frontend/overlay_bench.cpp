// Times one drawing of the distribution over the room plan into the plan's image: the layout,
// the phantom, 600 rows of 380 dots on one side with a yield to the event loop after each row,
// the grid, the cut and the layout again. Runs offscreen.
// Usage: overlay_bench [picture.png] (writes the last drawing there to look at); prints median
// milliseconds for one side and for both sides.
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "logic/LegendScale.h"
#include "logic/RoomOverlay.h"

namespace {

constexpr int Repeats = 21;
constexpr int PictureSide = 861; // the plan picture inside its sunken border, pixels

// Rates falling off with the distance from the phantom centre, as a scattered field does.
brisca::DisplayGrid SampleGrid()
{
    brisca::DisplayGrid grid;
    for (int k = 1; k <= brisca::DisplayGrid::Layers; ++k)
        for (int c = 1; c <= brisca::DisplayGrid::Columns; ++c)
            for (int r = 1; r <= brisca::DisplayGrid::Rows; ++r) {
                const double distance = std::hypot(20.0 + c, r - 300.0);
                grid.at(k, c, r) = 5000.0 * k / (distance * distance) * 100.0;
            }
    return grid;
}

double MedianMilliseconds(QImage& picture, const brisca::OverlayInputs& inputs)
{
    std::vector<double> times;
    for (int k = 0; k < Repeats; ++k) {
        const auto start = std::chrono::steady_clock::now();
        brisca::DrawRoomOverlay(picture, inputs);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[Repeats / 2];
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const brisca::DisplayGrid grid = SampleGrid();
    const brisca::Thresholds thresholds = brisca::LegendScale(brisca::GridMaximum(grid));
    const brisca::RoomLayout layout;
    bool bothSides = false;

    QImage picture(PictureSide, PictureSide, QImage::Format_RGB32);
    brisca::OverlayInputs inputs{layout, 2.0, 60.0, {}, {}};
    inputs.row = [&] { return brisca::OverlayRow{grid, 2, thresholds, bothSides}; };
    inputs.afterRow = [] {
        QCoreApplication::processEvents();
        return true;
    };
    const double oneSide = MedianMilliseconds(picture, inputs);
    bothSides = true;
    const double twoSides = MedianMilliseconds(picture, inputs);
    std::printf("overlay drawing with a yield per row: one side median %.2f ms, both sides %.2f ms over %d "
                "runs\n",
        oneSide, twoSides, Repeats);
    if (argc > 1) picture.save(argv[1]);
    return 0;
}
