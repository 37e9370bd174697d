#pragma once

#include "logic/exports/PictureNames.h"
#include "logic/result/DisplayGrid.h"

namespace brisca {

// What the result window and the overlay show of a result: the dose rate, the height and the
// legend thresholds, as the user chose them. The threshold boxes are read into it once, as
// they change; every painting, drawing and read-out takes them from here.
struct DisplayChoice {
    Quantity quantity = Quantity::Kerma;     // the dose rate shown
    HeightLayer layer = HeightLayer::Centre; // the height shown
    Thresholds thresholds{};                 // legend thresholds 1..11; 0 where a box holds no number
};

// The legend's unit after its "μ": "Gy/min" for the air kerma rate, "Sv/min" for the dose.
inline const char* LegendUnit(Quantity quantity) { return quantity == Quantity::Kerma ? "Gy/min" : "Sv/min"; }

} // namespace brisca
