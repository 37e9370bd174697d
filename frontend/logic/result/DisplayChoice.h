#pragma once

#include "logic/exports/PictureNames.h"
#include "logic/result/DisplayGrid.h"

namespace brisca {

// What the cells of a map show.
enum class MapContent {
    Rates,       // the dose rate, coloured by its band against the legend thresholds
    Errors,      // the relative standard error of the rate, coloured by its fixed band
    GreyedRates, // the dose rate, with the cells whose error exceeds a limit greyed out
};

// What the result window and the overlay show of a result: the dose rate, the height, the
// legend thresholds and what the cells show, as the user chose them. The boxes are read into
// it once, as they change; every painting, drawing and read-out takes them from here.
struct DisplayChoice {
    Quantity quantity = Quantity::Kerma;     // the dose rate shown
    HeightLayer layer = HeightLayer::Centre; // the height shown
    Thresholds thresholds{};                 // legend thresholds 1..11; 0 where a box holds no number
    MapContent content = MapContent::Rates;  // the rates, their errors, or the rates greyed out
    double greyAbovePercent = 20.0;          // the grey-out's limit, %; 0 where its box holds no number
};

// The legend's unit after its "μ": "Gy/min" for the air kerma rate, "Sv/min" for the dose.
inline const char* LegendUnit(Quantity quantity) { return quantity == Quantity::Kerma ? "Gy/min" : "Sv/min"; }

} // namespace brisca
