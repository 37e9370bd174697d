// Times painting one whole distribution map into its image: the 581 rows in their bands, then
// the grid, the phantom symbol and the labels. Runs offscreen.
// Usage: map_bench [picture.png] (writes the last map there to look at); prints median milliseconds.
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "logic/DistributionMap.h"
#include "logic/LegendScale.h"

namespace {

constexpr int Repeats = 21;

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

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const brisca::DisplayGrid grid = SampleGrid();
    const brisca::Thresholds thresholds = brisca::LegendScale(brisca::GridMaximum(grid));

    QImage map;
    std::vector<double> times;
    for (int k = 0; k < Repeats; ++k) {
        const auto start = std::chrono::steady_clock::now();
        map = brisca::NewMapImage();
        // Row by row, as the window paints it between its yields.
        for (int j = brisca::FirstPaintedRow; j <= brisca::LastPaintedRow; ++j)
            brisca::PaintMapRows(map, grid, 2, thresholds, j, j + 1);
        brisca::PaintMapOverlays(map, 2.0, 60.0);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    std::printf("map painting: median %.2f ms, slowest %.2f ms over %d runs\n", times[Repeats / 2],
        times.back(), Repeats);
    if (argc > 1) map.save(argv[1]);
    return 0;
}
