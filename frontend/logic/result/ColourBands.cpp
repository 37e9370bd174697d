#include "logic/result/ColourBands.h"

#include <array>

namespace brisca {

namespace {

constexpr std::array<Rgb, BandCount> MapColours = {
    {{255, 0, 255}, {255, 0, 0}, {255, 192, 0}, {255, 255, 0}, {164, 208, 80}, {0, 176, 80}, {0, 176, 240},
        {0, 112, 192}, {112, 48, 160}, {126, 126, 126}, {200, 200, 200}, {255, 255, 255}}};

} // namespace

int ColourBand(double v, const Thresholds& thresholds)
{
    for (int n = 1; n <= 11; ++n)
        if (v >= thresholds[n]) return n;
    return 12;
}

Rgb MapColour(int band) { return MapColours[band - 1]; }

Rgb LegendColour(int band) { return band == 5 ? Rgb{146, 208, 80} : MapColours[band - 1]; }

} // namespace brisca
