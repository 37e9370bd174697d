#pragma once

#include <string>
#include <vector>

#include "logic/result/DisplayGrid.h"

namespace brisca {

// One layer of a display grid as CSV: the UTF-8 byte-order mark, each of `comments` on a line of its own after "# ",
// a header row of the lateral distances (cm) of columns 1..381, then rows 1..601, each led
// by its position along the other axis (cm) and holding the values as the grid holds them,
// in the shortest text that reads back to the same number; an entry without a value (NaN) is
// an empty field. Lines end with CR LF.
std::string GridCsvText(const DisplayGrid& grid, HeightLayer layer, const std::vector<std::string>& comments);

} // namespace brisca
