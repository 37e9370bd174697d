#pragma once

#include <string>

#include "logic/result/DisplayGrid.h"

namespace brisca {

// A screen colour.
struct Rgb {
    int r = 0; // red 0..255
    int g = 0; // green 0..255
    int b = 0; // blue 0..255
    // Same colour.
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Number of colour bands: eleven above the thresholds and white below the last.
inline constexpr int BandCount = 12;

// Band 1..12 of a value against thresholds 1..11: the first n with v ≥ threshold n, tested
// from 1 upwards, else 12. A value equal to a threshold takes that band; with thresholds not
// descending a later band whose threshold lies above an earlier one never shows. A missing
// value (NaN) reaches no threshold.
int ColourBand(double v, const Thresholds& thresholds);

// Why a map cannot be painted with `thresholds`: none of 2..11 may lie above the one before it,
// or a band would show values its legend box does not claim. Empty when they descend; equal
// thresholds (boxes left empty read as 0) only leave a band unused.
std::string ThresholdsRefusal(const Thresholds& thresholds);

// Colour of band 1..12 on the map (band 12 white).
Rgb MapColour(int band);

// Colour of the legend box of band 1..11; the same as on the map except band 5, whose box
// is a slightly darker green (146, 208, 80) than its map pixels (164, 208, 80).
Rgb LegendColour(int band);

} // namespace brisca
