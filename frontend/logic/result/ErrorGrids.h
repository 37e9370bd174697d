#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "logic/problem/Problem.h"
#include "logic/result/DisplayGrid.h"
#include "records/uncertainty_file.h"

namespace brisca {

// The relative standard errors of a result's cells as the display shows them: the 1 cm grid of
// errors beside the 1 cm grid of values, for the windows, brisca-map and the report alike.

// Where the relative errors of a result's cells came from.
enum class UncertaintySource {
    Read,       // the uncertainty file beside the result was read
    Missing,    // there is none (a result of an older engine, or a file not carried along)
    Unreadable, // there is one, but it was refused
};

// A result's relative errors, in percent. A cell without an estimate (it, or a 10 cm cell its
// value is interpolated from, received no score) holds NaN, never 0: 0 % would claim a
// perfectly known value.
struct ResultErrors {
    UncertaintySource source = UncertaintySource::Missing; // whether the grids below were read
    std::string fileName;           // the uncertainty file, as derived from the result's path
    std::optional<Problem> problem; // why there are none, naming the file; none when read
    records::RelativeErrors coarse; // the 10 cm cells as the file holds them (when read)
    DisplayGrid kerma;              // relative error of each 1 cm air kerma rate, %
    DisplayGrid dose;               // relative error of each 1 cm effective dose rate, %
};

// Reads the uncertainty file beside `resultFile` (records::UncertaintyFileName) and refines it
// to the 1 cm grids with FillFineErrorGrid. A file that does not exist gives Missing, one the
// reader refuses gives Unreadable with the reader's message (file and record named); either
// way the grids hold no estimate anywhere.
void ReadResultErrors(const std::filesystem::path& resultFile, ResultErrors& errors);

// The relative error, in percent, of each 1 cm cell of one quantity, laid out as the display
// grid: the largest error of the 10 cm cells its value is interpolated from
// (records::FineRelativeError); NaN where a cell has no estimate.
void FillFineErrorGrid(const records::ErrorLayers& layers, DisplayGrid& grid);

} // namespace brisca
