// Times "散乱線量分布表示" in the shown result window: the rows in their bands with the
// window's yields to the event loop (and the repaints they bring), then the overlays; then
// the overlay window's drawing over the room plan in the same way.
// Runs offscreen. Usage: result_window_bench; prints median milliseconds.
#include <QApplication>
#include <QLineEdit>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "logic/AppState.h"
#include "logic/LegendScale.h"
#include "logic/NumberText.h"
#include "platform/QtPlatform.h"
#include "windows/OverlayWindow.h"
#include "windows/ResultWindow.h"

namespace {

constexpr int Repeats = 21;

// Rates falling off with the distance from the phantom centre, as a scattered field does.
void FillGrid(brisca::DisplayGrid& grid)
{
    for (int k = 1; k <= brisca::DisplayGrid::Layers; ++k)
        for (int c = 1; c <= brisca::DisplayGrid::Columns; ++c)
            for (int r = 1; r <= brisca::DisplayGrid::Rows; ++r) {
                const double distance = std::hypot(20.0 + c, r - 300.0);
                grid.at(k, c, r) = 5000.0 * k / (distance * distance) * 100.0;
            }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    brisca::AppState state;
    brisca::QtPlatform platform;
    brisca::OverlayWindow overlay(state, platform);
    QWidget mainWindow;
    brisca::ResultWindow window(state, platform, overlay, mainWindow);
    FillGrid(state.kermaGrid);
    const brisca::Thresholds scale = brisca::LegendScale(brisca::GridMaximum(state.kermaGrid));
    for (int n = 0; n < 11; ++n)
        window.thresholdEdits[n]->setText(QString::fromStdString(brisca::PlainNumberText(scale[n + 1])));
    state.patientPosition = 2.0;
    state.job.Fsd = 60.0;
    window.show();
    QApplication::processEvents();

    std::vector<double> times;
    for (int k = 0; k < Repeats; ++k) {
        const auto start = std::chrono::steady_clock::now();
        window.paintMap();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    std::printf("window map painting with yields: median %.2f ms, slowest %.2f ms over %d runs\n",
        times[Repeats / 2], times.back(), Repeats);

    // The overlay window over the default room, one side, repainted after every row.
    overlay.readDisplayFrom(window);
    overlay.show();
    QApplication::processEvents();
    times.clear();
    for (int k = 0; k < Repeats; ++k) {
        const auto start = std::chrono::steady_clock::now();
        overlay.drawOverlay();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    std::printf("window overlay drawing with yields: median %.2f ms, slowest %.2f ms over %d runs\n",
        times[Repeats / 2], times.back(), Repeats);
    return 0;
}
