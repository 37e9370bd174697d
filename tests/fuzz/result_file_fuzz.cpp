// Feeds arbitrary bytes to the refiner as the result file it reads. A file it accepts must
// refine to finite, non-negative rates everywhere: the front end scales its display by them.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "refiner/refine.h"
#include "refiner/result_file.h"
#include "refiner/run_error.h"

namespace {

// Allocated once: the fine grids are megabytes.
struct Workspace {
    refiner::CoarseResult coarse;
    refiner::FineResult fine;
    refiner::LateralPass lateral;
};

void CheckLayer(const refiner::FineLayer& layer)
{
    for (const auto& record : layer.records)
        for (const float value : record)
            if (!std::isfinite(value) || value < 0.0f) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto work = std::make_unique<Workspace>();
    try {
        refiner::ReadResultText(
            "fuzz.dsr5", std::string(reinterpret_cast<const char*>(data), size), work->coarse);
    } catch (const refiner::RunError&) {
        return 0;
    }
    refiner::RefineResult(work->coarse, work->fine, work->lateral);
    for (int h = 0; h < refiner::kHeights; ++h) {
        CheckLayer(work->fine.kerma[h]);
        CheckLayer(work->fine.dose[h]);
    }
    return 0;
}
