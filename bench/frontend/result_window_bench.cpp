// Times "散乱線量分布表示" in the shown result window: the rows in their bands with the
// window's yields to the event loop (and the repaints they bring), then the overlays; then
// the overlay window's drawing over the room plan in the same way.
// Runs offscreen. Usage: result_window_bench; prints median milliseconds.
#include <QApplication>
#include <cstdio>

#include "BenchSupport.h"
#include "logic/AppState.h"
#include "logic/result/LegendScale.h"
#include "platform/QtPlatform.h"
#include "windows/OverlayWindow.h"
#include "windows/ResultWindow.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    brisca::AppState state;
    brisca::QtPlatform platform;
    brisca::OverlayWindow overlay(state, platform);
    QWidget mainWindow;
    brisca::ResultWindow window(state, platform, mainWindow);
    // A standing result at an FSD of 60 cm, converted and processed, with its default legend.
    brisca::ResultFile file{"bench.dsr5", {}};
    file.header.patientPosition = brisca::PatientPosition::Standing;
    file.header.fsd = 60.0;
    state.display.selected = state.display.converted = state.display.processed = file;
    state.display.kermaGrid = bench::FallingOffGrid();
    state.displayChoice.thresholds = brisca::LegendScale(brisca::GridMaximum(state.display.kermaGrid));
    window.show();
    QApplication::processEvents();

    std::vector<double> times = bench::SortedMilliseconds([&] { window.paintMap(); });
    std::printf("window map painting with yields: median %.2f ms, slowest %.2f ms over %d runs\n",
        times[bench::Repeats / 2], times.back(), bench::Repeats);

    // The overlay window over the default room, one side, repainted after every row.
    overlay.show();
    QApplication::processEvents();
    times = bench::SortedMilliseconds([&] { overlay.drawOverlay(); });
    std::printf("window overlay drawing with yields: median %.2f ms, slowest %.2f ms over %d runs\n",
        times[bench::Repeats / 2], times.back(), bench::Repeats);
    return 0;
}
