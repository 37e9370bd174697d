// Times painting one whole distribution map into its image: the 581 rows in their bands, then
// the grid, the phantom symbol and the labels. Runs offscreen.
// Usage: map_bench [picture.png] (writes the last map there to look at); prints median milliseconds.
#include <QGuiApplication>
#include <cstdio>

#include "BenchSupport.h"
#include "drawing/DistributionMap.h"
#include "logic/result/LegendScale.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const brisca::DisplayGrid grid = bench::FallingOffGrid();
    const brisca::Thresholds thresholds = brisca::LegendScale(brisca::GridMaximum(grid));

    QImage map;
    const std::vector<double> times = bench::SortedMilliseconds([&] {
        map = brisca::NewMapImage();
        // Row by row, as the window paints it between its yields.
        for (int j = brisca::FirstPaintedRow; j <= brisca::LastPaintedRow; ++j)
            brisca::PaintMapRows(map, grid, brisca::HeightLayer::Centre, thresholds, j, j + 1);
        brisca::PaintMapOverlays(map, brisca::PatientPosition::Standing, 60.0);
    });
    std::printf("map painting: median %.2f ms, slowest %.2f ms over %d runs\n", times[bench::Repeats / 2],
        times.back(), bench::Repeats);
    if (argc > 1) map.save(argv[1]);
    return 0;
}
