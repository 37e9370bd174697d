#pragma once

#include "records/file_names.h"

#include <filesystem>
#include <string>

#include "logic/result/DisplayGrid.h"

namespace brisca {

// How reading the refined grids ended.
enum class ProcessingOutcome {
    Complete,   // both grids read whole, with a positive maximum each
    Incomplete, // missing, ended early or unreadable: the refiner may still be writing it
    AllZero     // read whole, but a grid holds no positive dose rate (tube output or current 0)
};

// The display grids of one refined result with their maxima and default legend scales.
struct ProcessedResult {
    ProcessingOutcome outcome = ProcessingOutcome::Incomplete; // how the read ended
    std::string detail;      // file, line and what was wrong, when not complete
    DisplayGrid kermaGrid;   // air kerma rate, μGy/min
    DisplayGrid doseGrid;    // effective dose (H1cm) rate, μSv/min
    double kermaMax = 0.0;   // largest air kerma rate over all layers
    double doseMax = 0.0;    // largest effective dose rate over all layers
    Thresholds kermaScale{}; // default legend thresholds of the air kerma rate
    Thresholds doseScale{};  // default legend thresholds of the effective dose rate
};

// Given both grids whole: their maxima, the outcome (AllZero when a grid holds no positive
// rate, with a detail naming `name`) and, when complete, the default legend scales.
void CompleteProcessedResult(ProcessedResult& result, const std::string& name);

// Reads the refined grid file: for layers 1, 2, 3, first 601 rows of 381 air kerma values,
// then 601 rows of 381 effective dose values, free-format; then the maxima and the legend
// scales. Only a complete result is meant to replace the window's grids: the others leave the
// last good result on show. A last value not followed by its line end counts as incomplete,
// since the refiner may be writing it at that moment.
ProcessedResult ProcessRefinedGrids(const std::filesystem::path& file);

} // namespace brisca
