#include "logic/result/ErrorShading.h"

#include <cmath>
#include <limits>

namespace brisca {

namespace {

// Bands 1 to 6 are the six-class yellow-orange-red sequential scale of the ColorBrewer
// schemes (YlOrRd), listed there as safe for colour-blind readers; their lightness falls
// steadily, so the order reads in a grey print too. Band 7 is a grey of no hue.
constexpr std::array<Rgb, ErrorBandCount> ErrorColours = {{{255, 255, 178}, {254, 217, 118}, {254, 178, 76},
    {253, 141, 60}, {240, 59, 32}, {189, 0, 38}, {170, 170, 170}}};

constexpr std::array<const char*, ErrorBandCount> ErrorLabels = {
    "< 2", "2–5", "5–10", "10–20", "20–50", "≥ 50", "未計数 [not scored]"};

double ErrorAt(const MapShading& shading, HeightLayer layer, int c, int r)
{
    return shading.errors ? shading.errors->At(layer, c, r) : std::numeric_limits<double>::quiet_NaN();
}

} // namespace

int ErrorBand(double percent)
{
    if (std::isnan(percent)) return NotScoredBand;
    int band = 1;
    for (const double edge : ErrorBandEdges)
        if (percent >= edge) ++band;
    return band;
}

Rgb ErrorBandColour(int band) { return ErrorColours[static_cast<std::size_t>(band - 1)]; }

const char* ErrorBandLabel(int band) { return ErrorLabels[static_cast<std::size_t>(band - 1)]; }

Rgb ShadedCellColour(const DisplayGrid& rates, const Thresholds& thresholds, const MapShading& shading,
    HeightLayer layer, int c, int r)
{
    if (shading.showErrors) return ErrorBandColour(ErrorBand(ErrorAt(shading, layer, c, r)));
    if (shading.greyAbovePercent) {
        // An unknown error is no better than one above the limit: NaN fails the comparison.
        const double error = ErrorAt(shading, layer, c, r);
        if (!(error <= *shading.greyAbovePercent)) return GreyedOutColour;
    }
    return MapColour(ColourBand(rates.At(layer, c, r), thresholds));
}

} // namespace brisca
