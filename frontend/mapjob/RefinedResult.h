#pragma once

#include <filesystem>
#include <string>

#include "logic/result/DataProcessing.h"

namespace refiner {
struct FineResult;
}

namespace brisca {

// The refiner's fine grids as display grids, each value exactly the number that data
// processing reads back from the refined grid file the refiner would write from them.
void DisplayGridsOfFine(const refiner::FineResult& fine, DisplayGrid& kerma, DisplayGrid& dose);

// Reads a result file and refines it in memory, without the refined grid file, with its
// maxima and legend scales as data processing gives them. A problem carries the refiner's
// message naming the file, the record and what was wrong.
Expected<ProcessedResult> RefineResultInMemory(const std::filesystem::path& file);

} // namespace brisca
