#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "logic/exports/PictureNames.h"

namespace brisca {

// The texts that pictures and grids of a result's relative errors carry, so that the windows
// and brisca-map say the same.

// Unit line of the error map's legend.
inline constexpr const char* ErrorUnitText = "相対標準誤差 % [relative standard error, %]";

// Word of a quantity's relative errors on brisca-map's command line and in file names:
// "kerma-error" or "dose-error".
const char* ErrorQuantityKey(Quantity quantity);

// Text beside the grey box of a map greyed out above `limitPercent`:
// "誤差 5 % 超 [error > 5 % or none]" (a cell without an estimate is greyed too).
std::string GreyOutKeyText(double limitPercent);

// The comment lines of an error grid's CSV: the result file, what the values are (relative
// standard error of the quantity, in percent), that an empty field is a cell without an
// estimate, how a 1 cm cell's error is taken from the 10 cm cells, the height, then the
// conditions.
std::vector<std::string> ErrorCsvComments(const std::string& resultName, Quantity quantity, HeightLayer layer,
    const std::vector<std::string>& conditions);

// Name of an exported error map or grid, as ExportFileName with the quantity's error word:
// "stand_kerma-error_center.png".
std::string ErrorExportFileName(std::string_view resultFile, Quantity quantity, HeightLayer layer,
    bool overRoom, std::string_view extension);

} // namespace brisca
