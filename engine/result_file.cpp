#include "engine/result_file.h"

#include "records/atomic_file.h"
#include "records/field_error.h"
#include "records/field_writer.h"
#include "records/result_layout.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <unistd.h>

namespace engine {

namespace {

namespace layout = records::result_layout;

static_assert(Grids::kHeights == layout::kHeights && Grids::kAlong == layout::kGridRecords &&
                  Grids::kLateral == layout::kGridFields,
    "the scoring grid is the result file's grid");

void AppendE(std::string& out, double value, layout::Field field)
{
    records::AppendE(out, value, field.width, field.decimals);
}

void AppendF(std::string& out, double value, layout::Field field)
{
    records::AppendF(out, value, field.width, field.decimals);
}

void EndRecord(std::string& out) { out += "\r\n"; }

void AppendGrid(std::string& out, const std::array<double, Grids::kCells>& grid, int block)
{
    for (int b = 0; b < Grids::kAlong; ++b) {
        for (int i = 0; i < Grids::kLateral; ++i)
            AppendE(out, static_cast<float>(grid[Grids::Index(block, b, i)]), layout::kRate);
        EndRecord(out);
    }
}

// Refuses a result holding an infinite or undefined value: written as a number it would
// pass for a dose rate.
void CheckFinite(const std::string& resultName, float value, const std::string& where)
{
    if (std::isfinite(value)) return;
    throw std::runtime_error(
        records::DescribeFileError(resultName, "を書きません: " + where + " の値が有限ではありません",
            "not written: the value of " + where + " is not finite"));
}

void CheckGrid(
    const std::string& resultName, const std::array<double, Grids::kCells>& grid, const char* quantity)
{
    for (int cell = 0; cell < Grids::kCells; ++cell) {
        if (std::isfinite(static_cast<float>(grid[cell]))) continue;
        const int lateral = cell % Grids::kLateral;
        const int along = cell / Grids::kLateral % Grids::kAlong;
        const int block = cell / (Grids::kLateral * Grids::kAlong);
        CheckFinite(resultName, static_cast<float>(grid[cell]),
            std::string(quantity) + " (block " + std::to_string(block + 1) + ", " +
                std::to_string(static_cast<int>(AlongPosition(along))) + " cm, " +
                std::to_string(static_cast<int>(LateralPosition(lateral))) + " cm)");
    }
}

} // namespace

std::string FormatResult(const Tables& tables, const EngineGeometry& geometry, const Grids& grids)
{
    const Job& job = tables.job;
    const float surfaceRate = job.tubeOutput * 10000.0f / (job.fsd * job.fsd);
    CheckFinite(job.resultName, surfaceRate, "surface rate");
    CheckGrid(job.resultName, grids.kerma, "kerma");
    CheckGrid(job.resultName, grids.dose, "dose");
    const std::array<float, 6>& spectrum = tables.spectrum.descriptors;
    std::string out;
    out.reserve(2 * Grids::kHeights * Grids::kAlong * (Grids::kLateral * 11 + 2) + 512);

    out += geometry.geometryCode;
    EndRecord(out);
    AppendE(out, surfaceRate, layout::kRate);
    EndRecord(out);
    for (const float distance : {job.fsd, job.fieldLength, job.fieldWidth}) {
        AppendF(out, distance, layout::kDistance);
        EndRecord(out);
    }
    for (std::size_t k = 0; k < spectrum.size(); ++k) {
        AppendF(out, spectrum[k], layout::kSpectrum[k]);
        EndRecord(out);
    }
    AppendE(out, job.photonCount, layout::kPhotonCount);
    EndRecord(out);

    for (int block = 0; block < Grids::kHeights; ++block) {
        out += layout::kHeightPrefix;
        AppendF(out, geometry.heights[block], layout::kHeight);
        out += layout::kHeightSuffix;
        EndRecord(out);
        out += layout::kKermaLabel;
        EndRecord(out);
        AppendGrid(out, grids.kerma, block);
        out += layout::kDoseLabel;
        EndRecord(out);
        AppendGrid(out, grids.dose, block);
    }
    return out;
}

std::string DescribeResultFailure(const std::string& path, const records::ReplaceFailure& failure)
{
    const char* what = failure.step == records::ReplaceStep::Create  ? "created"
                       : failure.step == records::ReplaceStep::Write ? "written"
                                                                     : "put in place";
    const char* japanese = failure.step == records::ReplaceStep::Create  ? "を作成できません"
                           : failure.step == records::ReplaceStep::Write ? "を書き込めません"
                                                                         : "を置き換えられません";
    return records::DescribeFileError(
        path, japanese, std::string("the result file cannot be ") + what + " (" + failure.reason + ")");
}

} // namespace engine
