// Checks the uncertainty files against independent repeats: the default job (default_job.h)
// runs once for each seed 1..S in the chunked mode on two threads; per cell, the spread of
// the S rates is set against the standard error the files estimate, over the cells holding
// at least 1 % of their block's largest rate. Prints the median ratio and its quartiles, per
// grid and over all, and draws the figure of docs/uncertainty.md. Runs offscreen.
//   uncertainty_check [seeds [histories [figure.png]]]     (20, 10^7, no figure)

#include "default_job.h"
#include "seed_spread.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using enginetest::CellSpread;

// The value at fraction q (0..1) of the sorted ratios.
double Quantile(std::vector<double> ratios, double q)
{
    std::sort(ratios.begin(), ratios.end());
    return ratios[static_cast<std::size_t>(q * static_cast<double>(ratios.size() - 1) + 0.5)];
}

std::vector<double> Ratios(const std::vector<CellSpread>& cells)
{
    std::vector<double> ratios;
    for (const CellSpread& cell : cells) ratios.push_back(cell.observed / cell.estimated);
    return ratios;
}

constexpr int kWidth = 1200;
constexpr int kHeight = 560;
constexpr int kTop = 70;
constexpr int kPlot = 420; // side of each panel, pixels

// Left panel: observed relative spread against estimated relative error, both in percent on
// logarithmic axes from 0.3 to 100 %, with the line of agreement.
void DrawScatter(QPainter& painter, const std::vector<CellSpread>& cells, int left)
{
    const double low = std::log10(0.3);
    const double high = std::log10(100.0);
    auto x = [&](double percent) { return left + (std::log10(percent) - low) / (high - low) * kPlot; };
    auto y = [&](double percent) {
        return kTop + kPlot - (std::log10(percent) - low) / (high - low) * kPlot;
    };
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(left, kTop, kPlot, kPlot);
    for (const double tick : {0.3, 1.0, 3.0, 10.0, 30.0, 100.0}) {
        const QString label = QString::number(tick);
        painter.drawLine(QPointF(x(tick), kTop + kPlot), QPointF(x(tick), kTop + kPlot + 5));
        painter.drawText(QRectF(x(tick) - 30, kTop + kPlot + 6, 60, 18), Qt::AlignCenter, label);
        painter.drawLine(QPointF(left - 5, y(tick)), QPointF(left, y(tick)));
        painter.drawText(QRectF(left - 46, y(tick) - 9, 38, 18), Qt::AlignRight | Qt::AlignVCenter, label);
    }
    painter.drawText(QRectF(left, kTop + kPlot + 26, kPlot, 20), Qt::AlignCenter,
        "estimated relative standard error, % (r.m.s. of the seeds)");
    painter.save();
    painter.translate(left - 56, kTop + kPlot / 2.0);
    painter.rotate(-90);
    painter.drawText(
        QRectF(-kPlot / 2.0, -10, kPlot, 20), Qt::AlignCenter, "observed spread of the seeds, %");
    painter.restore();

    painter.setClipRect(left, kTop, kPlot, kPlot);
    painter.setPen(Qt::NoPen);
    for (const CellSpread& cell : cells) {
        const double estimated = 100.0 * cell.estimated / cell.mean;
        const double observed = 100.0 * cell.observed / cell.mean;
        if (!(estimated > 0.0 && observed > 0.0)) continue;
        painter.setBrush(cell.grid % 2 == 0 ? QColor(30, 90, 200, 60) : QColor(220, 90, 30, 60));
        painter.drawEllipse(QPointF(x(estimated), y(observed)), 1.6, 1.6);
    }
    painter.setPen(QPen(Qt::black, 1.5, Qt::DashLine));
    painter.drawLine(QPointF(x(0.3), y(0.3)), QPointF(x(100.0), y(100.0)));
    painter.setClipping(false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(30, 90, 200));
    painter.drawEllipse(QPointF(left + 14, kTop + 14), 3, 3);
    painter.drawText(QPointF(left + 22, kTop + 19), "air kerma");
    painter.setBrush(QColor(220, 90, 30));
    painter.drawEllipse(QPointF(left + 14, kTop + 32), 3, 3);
    painter.drawText(QPointF(left + 22, kTop + 37), "dose equivalent");
}

// Right panel: histogram of the ratio observed / estimated from 0 to 2.5, with the median and
// the bounds 0.85 and 1.15.
void DrawHistogram(QPainter& painter, const std::vector<double>& ratios, double median, int left)
{
    constexpr int kBins = 50;
    constexpr double kRange = 2.5;
    std::vector<int> counts(kBins, 0);
    for (const double r : ratios) {
        const int bin = static_cast<int>(r / kRange * kBins);
        if (bin >= 0 && bin < kBins) ++counts[static_cast<std::size_t>(bin)];
    }
    const int most = std::max(1, *std::max_element(counts.begin(), counts.end()));
    auto x = [&](double ratio) { return left + ratio / kRange * kPlot; };
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(left, kTop, kPlot, kPlot);
    painter.setBrush(QColor(120, 120, 120));
    for (int b = 0; b < kBins; ++b) {
        const double h = static_cast<double>(counts[static_cast<std::size_t>(b)]) / most * (kPlot - 20);
        painter.drawRect(
            QRectF(x(b * kRange / kBins), kTop + kPlot - h, kPlot / static_cast<double>(kBins), h));
    }
    for (const double tick : {0.0, 0.5, 1.0, 1.5, 2.0, 2.5}) {
        painter.drawLine(QPointF(x(tick), kTop + kPlot), QPointF(x(tick), kTop + kPlot + 5));
        painter.drawText(
            QRectF(x(tick) - 30, kTop + kPlot + 6, 60, 18), Qt::AlignCenter, QString::number(tick));
    }
    painter.drawText(QRectF(left, kTop + kPlot + 26, kPlot, 20), Qt::AlignCenter,
        "observed spread / estimated error, per cell");
    painter.setPen(QPen(QColor(0, 140, 0), 1.5, Qt::DashLine));
    for (const double bound : {0.85, 1.15})
        painter.drawLine(QPointF(x(bound), kTop), QPointF(x(bound), kTop + kPlot));
    painter.setPen(QPen(Qt::red, 2));
    painter.drawLine(QPointF(x(median), kTop), QPointF(x(median), kTop + kPlot));
    painter.drawText(
        QRectF(x(median) + 6, kTop + 6, 160, 18), Qt::AlignLeft, "median " + QString::number(median, 'f', 3));
}

void DrawFigure(
    const std::vector<CellSpread>& cells, double median, int seeds, double histories, const char* path)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(13);
    painter.setFont(font);
    char title[200];
    std::snprintf(title, sizeof title,
        "%d seeds of the default job (80 kV, 20 x 20 cm at 90 cm), %.0e histories each: %zu cells holding "
        "at least 1 %% of their block's largest rate",
        seeds, histories, cells.size());
    painter.drawText(QRectF(0, 14, kWidth, 24), Qt::AlignCenter, title);
    DrawScatter(painter, cells, 110);
    DrawHistogram(painter, Ratios(cells), median, 110 + kPlot + 150);
    painter.end();
    if (!image.save(path)) std::fprintf(stderr, "%s: cannot be written\n", path);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int seeds = argc > 1 ? std::atoi(argv[1]) : 20;
    const double histories = argc > 2 ? std::atof(argv[2]) : 1.0e7;
    const fs::path folder = fs::temp_directory_path() / ("uncertainty-check-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    enginebench::WriteDefaultJob(folder, histories);
    std::vector<CellSpread> cells;
    try {
        cells = enginetest::SeedSpread(folder.string(), "bench.dsr5", seeds, 2);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        fs::remove_all(folder);
        return 1;
    }
    fs::remove_all(folder);
    if (cells.empty()) {
        std::fprintf(stderr, "no cell was scored by every seed\n");
        return 1;
    }

    std::printf("%d seeds of the default job, %.3g histories each\n", seeds, histories);
    const char* grids[] = {
        "kerma -50/+50", "dose  -50/+50", "kerma 0", "dose  0", "kerma +50/-50", "dose  +50/-50"};
    for (int g = 0; g < 6; ++g) {
        std::vector<CellSpread> of;
        for (const CellSpread& cell : cells)
            if (cell.grid == g) of.push_back(cell);
        if (of.empty()) continue;
        std::printf("  block %d %-14s %5zu cells, median ratio %.3f\n", g / 2 + 1, grids[g], of.size(),
            enginetest::MedianRatio(of));
    }
    const double median = enginetest::MedianRatio(cells);
    const std::vector<double> ratios = Ratios(cells);
    std::printf("all: %zu cells, median observed / estimated %.3f (quartiles %.3f, %.3f)\n", cells.size(),
        median, Quantile(ratios, 0.25), Quantile(ratios, 0.75));
    if (argc > 3) DrawFigure(cells, median, seeds, histories, argv[3]);
    return 0;
}
