#pragma once

#include <optional>

#include "commandline/MapOptions.h"
#include "logic/problem/Problem.h"

namespace brisca {

// brisca-map's options of a result's relative errors: --quantity kerma-error|dose-error draws
// or writes the errors themselves, with their own fixed legend; --grey-above P greys the cells
// of the rates' picture whose error exceeds P %.

// What is wrong with the error options of a command line the other checks passed, or nothing:
// the error quantities go with a .png or .csv map (not the report, nor the doses file) and
// take no --thresholds; --grey-above goes with a .png of the rates.
std::optional<Problem> ErrorOptionsProblem(const MapOptions& options);

} // namespace brisca
