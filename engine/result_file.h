#pragma once

#include "engine/geometry.h"
#include "engine/scoring.h"
#include "engine/tables.h"
#include "records/atomic_file.h"

#include <optional>
#include <string>
#include <string_view>

namespace engine {

// The 387 records of the result file, each ended by CR LF: geometry code, the job and
// spectrum header, then for each height block the kerma grid and the dose grid. `histories`
// is the number the run simulated: the header's photon count is the job's own when that is
// the whole job, else this number. Throws std::runtime_error naming the result and the cell
// when a value to be written is not finite.
std::string FormatResult(
    const Tables& tables, const EngineGeometry& geometry, const Grids& grids, long long histories);

// The uncertainty file's text (records/uncertainty_file.h), from the raw sums and sums of
// squares of `grids`, not normalised, after `histories` histories: the result's header and
// layout holding the relative standard error of every cell in percent. Throws
// std::runtime_error like FormatResult when a sum is not finite.
std::string FormatUncertainty(
    const Tables& tables, const EngineGeometry& geometry, const Grids& grids, long long histories);

// The console message for a result file that cannot be created, written or put in place:
// the file by name, the step and the system's reason.
std::string DescribeResultFailure(const std::string& path, const records::ReplaceFailure& failure);

// The same for the uncertainty file.
std::string DescribeUncertaintyFailure(const std::string& path, const records::ReplaceFailure& failure);

// Puts a result and its uncertainty file in place once both have been appended to their
// temporaries: neither replaces its target unless both were written in full, and should the
// result fail after its uncertainty file, that file is removed again, so that no result
// stands beside the errors of another run. Returns the console message on failure.
std::optional<std::string> CommitResultFiles(records::PendingFile& result, const std::string& resultPath,
    records::PendingFile& uncertainty, const std::string& uncertaintyPath);

// Writes the result `resultPath` and its uncertainty file, named after it, as
// CommitResultFiles does. Returns the console message on failure.
std::optional<std::string> WriteResultFiles(
    const std::string& resultPath, std::string_view result, std::string_view uncertainty);

} // namespace engine
