#include "logic/result/ColourBands.h"

#include <array>

#include "logic/text/NumberText.h"

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

std::string ThresholdsRefusal(const Thresholds& thresholds)
{
    for (int n = 2; n <= 11; ++n) {
        if (thresholds[n] <= thresholds[n - 1]) continue;
        return " 凡例のしきい値は上から大きい順に入力して下さい（" + std::to_string(n) + " 番目の " +
               PlainNumberText(thresholds[n]) + " が " + std::to_string(n - 1) + " 番目の " +
               PlainNumberText(thresholds[n - 1]) + " より大きくなっています） ";
    }
    return {};
}

Rgb MapColour(int band) { return MapColours[band - 1]; }

Rgb LegendColour(int band) { return band == 5 ? Rgb{146, 208, 80} : MapColours[band - 1]; }

} // namespace brisca
