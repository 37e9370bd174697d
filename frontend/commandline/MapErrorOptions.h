#pragma once

#include <string>

#include "commandline/MapOptions.h"

namespace brisca {

// brisca-map's options of a result's relative errors: --quantity kerma-error|dose-error draws
// or writes the errors themselves, with their own fixed legend; --grey-above P greys the cells
// of the rates' picture whose error exceeds P %.

// What is wrong with the error options of a command line the other checks passed, or empty:
// the error quantities go with a .png or .csv map (not the report, nor the doses file) and
// take no --thresholds; --grey-above goes with a .png of the rates.
std::string ErrorUsageError(const MapOptions& options);

} // namespace brisca
