#pragma once

#include "engine/geometry.h"
#include "engine/scoring.h"
#include "engine/tables.h"

#include <string>

namespace engine {

// The 387 records of the result file, each ended by CR LF: geometry code, the job and
// spectrum header, then for each height block the kerma grid and the dose grid. Throws
// std::runtime_error naming the result and the cell when a value to be written is not finite.
std::string FormatResult(const Tables& tables, const EngineGeometry& geometry, const Grids& grids);

// Writes `content` to `path` through a temporary file in the same folder that is renamed
// only when complete, so a failure never leaves a partial file nor touches an older one.
// Throws std::runtime_error naming the file and the reason.
void WriteFileAtomically(const std::string& path, const std::string& content);

} // namespace engine
