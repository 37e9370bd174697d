#pragma once

#include <string>

#include "logic/result/DisplayGrid.h"

namespace brisca {

// What the read-out under the map shows for one cursor position.
struct CursorReadout {
    bool inside = false; // within the painted area: show the cross-hair and the texts
    std::string x;       // lateral distance X, plain number text
    std::string y;       // position along the axis, Y − 300, plain number text
    std::string value;   // the grid value at the nearest element, empty when it holds none
};

// Read-out at map point (X, Y) in picture units (cm) over layer `layer` of `grid`. Inside the
// painted area, 20 ≤ X ≤ 395 and 10 ≤ Y ≤ 590, the value is that of column X − 20 and row Y,
// each rounded to the nearest integer with halves to the even neighbour; column 0 holds no
// value, so X up to 20.5 reads an empty value. Outside the area every text is empty.
// With `errors` (the relative errors of `grid`, %), a value is followed by its error
// (ValueWithError).
CursorReadout ReadOutAt(
    double X, double Y, const DisplayGrid& grid, HeightLayer layer, const DisplayGrid* errors = nullptr);

} // namespace brisca
