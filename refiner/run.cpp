#include "refiner/run.h"

#include "records/exit_status.h"
#include "refiner/fine_file.h"
#include "refiner/refine.h"
#include "refiner/result_file.h"
#include "refiner/result_name.h"

#include <exception>
#include <memory>
#include <ostream>

namespace refiner {

namespace {

// Everything one run holds, allocated once.
struct Workspace {
    CoarseResult coarse;
    FineResult fine;
    LateralPass lateral;
};

} // namespace

int RunRefiner(std::ostream& console, std::ostream& errors)
{
    try {
        const auto work = std::make_unique<Workspace>();
        ReadResultFile(ReadResultName(records::kListFile), work->coarse);
        console << " ***" << std::endl;
        RefineResult(work->coarse, work->fine, work->lateral);
        WriteFineFile(records::kRefinedGridFile, work->fine);
        console << "Stop - Program terminated." << std::endl;
        return records::kExitDone;
    } catch (const std::exception& error) {
        errors << "mcrefine: " << error.what() << std::endl;
        return records::kExitRefused;
    }
}

} // namespace refiner
