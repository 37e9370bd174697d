#include "logic/result/CursorReadout.h"

#include <cmath>

#include "logic/result/ErrorText.h"
#include "logic/text/NumberText.h"

namespace brisca {

CursorReadout ReadOutAt(
    double X, double Y, const DisplayGrid& grid, HeightLayer layer, const DisplayGrid* errors)
{
    CursorReadout readout;
    if (!(X >= 20.0 && X <= 395.0 && Y >= 10.0 && Y <= 590.0)) return readout;
    readout.inside = true;
    readout.x = PlainNumberText(X);
    readout.y = PlainNumberText(Y - 300.0);
    // nearbyint rounds in the default mode, to nearest with halves to even.
    const int c = static_cast<int>(std::nearbyint(X - 20.0));
    const int r = static_cast<int>(std::nearbyint(Y));
    const double v = grid.At(layer, c, r);
    if (!std::isnan(v)) readout.value = PlainNumberText(v);
    if (errors) readout.value = ValueWithError(readout.value, errors->At(layer, c, r));
    return readout;
}

} // namespace brisca
