#pragma once

#include "engine/geometry.h"
#include "engine/scoring.h"
#include "engine/tables.h"
#include "records/atomic_file.h"

#include <string>

namespace engine {

// The 387 records of the result file, each ended by CR LF: geometry code, the job and
// spectrum header, then for each height block the kerma grid and the dose grid. Throws
// std::runtime_error naming the result and the cell when a value to be written is not finite.
std::string FormatResult(const Tables& tables, const EngineGeometry& geometry, const Grids& grids);

// The console message for a result file that cannot be created, written or put in place:
// the file by name, the step and the system's reason.
std::string DescribeResultFailure(const std::string& path, const records::ReplaceFailure& failure);

} // namespace engine
