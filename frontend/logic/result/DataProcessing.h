#pragma once

#include "records/file_names.h"

#include <filesystem>
#include <optional>
#include <string>

#include "logic/problem/Problem.h"
#include "logic/result/DisplayGrid.h"

namespace brisca {

// The display grids of one refined result with their maxima and default legend scales.
struct ProcessedResult {
    // Why the result has no legend: a grid holds no positive dose rate (it was computed with a
    // tube output or current of 0), so that no map can be painted with the default legend.
    std::optional<Problem> noDose;
    DisplayGrid kermaGrid;   // air kerma rate, μGy/min
    DisplayGrid doseGrid;    // effective dose (H1cm) rate, μSv/min
    double kermaMax = 0.0;   // largest air kerma rate over all layers
    double doseMax = 0.0;    // largest effective dose rate over all layers
    Thresholds kermaScale{}; // default legend thresholds of the air kerma rate
    Thresholds doseScale{};  // default legend thresholds of the effective dose rate
};

// Given both grids whole: their maxima and either the default legend scales or, when a grid
// holds no positive rate, the problem `noDose` naming the file `name`.
void CompleteProcessedResult(ProcessedResult& result, const std::string& name);

// Reads the refined grid file: for layers 1, 2, 3, first 601 rows of 381 air kerma values,
// then 601 rows of 381 effective dose values, free-format; then the maxima and the legend
// scales. A file that is missing, ends early or holds something else is a problem, and one
// that pressing again may mend: the refiner may still be writing it (a last value not
// followed by its line end counts as such). Only a result without `noDose` is meant to
// replace the window's grids.
Expected<ProcessedResult> ProcessRefinedGrids(const std::filesystem::path& file);

} // namespace brisca
