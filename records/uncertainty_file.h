#pragma once

#include "records/result_layout.h"

#include <array>
#include <string>
#include <string_view>

namespace records {

// The uncertainty file an engine and brisca-merge write beside each result file: the relative
// standard error, in percent, of every cell of both grids. It has the result file's records
// and fields exactly (result_layout.h); only record 1 and the unit labels differ, so that the
// file says what it is and a result file is never taken for one.
namespace uncertainty_layout {

// Follows the geometry code in record 1.
inline constexpr const char* kTitle = "  relative standard error, %";
// Label record before each kerma grid.
inline constexpr const char* kKermaLabel = "  % of Gy/min";
// Label record before each dose grid.
inline constexpr const char* kDoseLabel = "  % of Sv/min";
// The value of a cell that received no score, whose error cannot be estimated: distinct
// from 0 %, and no error can be negative. Written " -.1000E+01", so that a blank parts every
// field from the one before, as in the result file.
inline constexpr float kNotScored = -1.0f;
// Largest error a cell can have: the scores are positive, so the sum of their squares never
// exceeds the square of their sum, and one score alone gives exactly 100 %.
inline constexpr float kLargestError = 100.0f;

} // namespace uncertainty_layout

// The uncertainty file's name for the result file `resultName`: a name ending in ".dsr5" or
// in ".dsrC" (the corrected copy, whose errors are those of its source) ends in ".dsrE"
// instead; any other name gets ".dsrE" appended. A folder part is kept.
std::string UncertaintyFileName(std::string_view resultName);

// One quantity at one height on the 10 cm grid: rows[b][i] is the relative standard error, in
// percent, at beam-axis position -300 + 10 b cm and lateral position 10 i cm, or
// uncertainty_layout::kNotScored.
struct ErrorLayer {
    std::array<std::array<float, result_layout::kGridFields>, result_layout::kGridRecords> rows;
};

// One quantity at the three heights, in file order (the display's layers 1 to 3).
using ErrorLayers = std::array<ErrorLayer, result_layout::kHeights>;

// Everything an uncertainty file holds that a reader needs.
struct RelativeErrors {
    int geometryCode = 0; // 2 standing, 1 supine, as in the result file
    ErrorLayers kerma;    // air kerma rate
    ErrorLayers dose;     // dose-equivalent rate
};

// Reads the uncertainty file `path` into `errors`. Returns an empty text on success;
// otherwise the message (Japanese with the English in brackets) naming the file and the
// record: a missing or short file, a record 1 or label that is not the uncertainty file's,
// a field that is not a number, a NaN, or an error below 0 % (other than the mark of a cell
// without score) or above 100 %. `errors` is left as it was on failure.
std::string ReadUncertaintyFile(const std::string& path, RelativeErrors& errors);

// The same for the text of a file already read; `fileName` names it in messages.
std::string ReadUncertaintyText(const std::string& fileName, std::string_view text, RelativeErrors& errors);

// The relative error, in percent, of the display's 1 cm cell at layer `layer` (1..3),
// column `column` (1..381, lateral 20 + column cm) and row `row` (1..601, -300 + row cm along
// the other axis), for one quantity's layers: the largest error among the 10 cm cells that
// the refined value at that point is interpolated from (one, two or four of them; the cells
// at 401 cm and +301 cm repeat their neighbours inside the grid, as the refined values do).
// kNotScored when any of those cells received no score. Indices outside the grid also give
// kNotScored.
float FineRelativeError(const ErrorLayers& layers, int layer, int column, int row);

} // namespace records
