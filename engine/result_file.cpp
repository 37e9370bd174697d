#include "engine/result_file.h"

#include "engine/parallel/chunked_run.h"
#include "engine/uncertainty.h"

#include "records/atomic_file.h"
#include "records/field_error.h"
#include "records/field_writer.h"
#include "records/result_layout.h"
#include "records/uncertainty_file.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <unistd.h>

namespace engine {

namespace {

namespace layout = records::result_layout;
namespace uncertainty = records::uncertainty_layout;

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

// Geometry code (and title), the job and spectrum header: records 1 to 12 of both files.
std::string Header(const Tables& tables, const EngineGeometry& geometry, float photonCount, const char* title)
{
    const Job& job = tables.job;
    const float surfaceRate = job.tubeOutput * 10000.0f / (job.fsd * job.fsd);
    CheckFinite(job.resultName, surfaceRate, "surface rate");
    const std::array<float, 6>& spectrum = tables.spectrum.descriptors;
    std::string out;
    out.reserve(2 * Grids::kHeights * Grids::kAlong * (Grids::kLateral * 11 + 2) + 512);

    out += geometry.geometryCode;
    out += title;
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
    AppendE(out, photonCount, layout::kPhotonCount);
    EndRecord(out);
    return out;
}

void AppendHeight(std::string& out, const EngineGeometry& geometry, int block)
{
    out += layout::kHeightPrefix;
    AppendF(out, geometry.heights[static_cast<std::size_t>(block)], layout::kHeight);
    out += layout::kHeightSuffix;
    EndRecord(out);
}

// One block of relative errors in percent from raw sums; a cell without score gets the mark.
void AppendErrors(std::string& out, const std::array<double, Grids::kCells>& sums,
    const std::array<double, Grids::kCells>& squares, long long histories, int block)
{
    for (int b = 0; b < Grids::kAlong; ++b) {
        for (int i = 0; i < Grids::kLateral; ++i) {
            const int cell = Grids::Index(block, b, i);
            const double error = RelativeError(sums[cell], squares[cell], histories);
            if (error >= 0.0) {
                AppendE(out, static_cast<float>(100.0 * error), layout::kRate);
            } else {
                // Written without the zero before the point, so that a blank still parts it
                // from the field before, as it parts every other field.
                out += ' ';
                records::AppendE(
                    out, uncertainty::kNotScored, layout::kRate.width - 1, layout::kRate.decimals);
            }
        }
        EndRecord(out);
    }
}

} // namespace

float HeaderPhotonCount(const Tables& tables, long long histories)
{
    return histories == JobHistories(tables) ? tables.job.photonCount : static_cast<float>(histories);
}

std::string FormatResult(
    const Tables& tables, const EngineGeometry& geometry, const Grids& grids, long long histories)
{
    std::string out = Header(tables, geometry, HeaderPhotonCount(tables, histories), "");
    CheckGrid(tables.job.resultName, grids.kerma, "kerma");
    CheckGrid(tables.job.resultName, grids.dose, "dose");
    for (int block = 0; block < Grids::kHeights; ++block) {
        AppendHeight(out, geometry, block);
        out += layout::kKermaLabel;
        EndRecord(out);
        AppendGrid(out, grids.kerma, block);
        out += layout::kDoseLabel;
        EndRecord(out);
        AppendGrid(out, grids.dose, block);
    }
    return out;
}

std::string FormatUncertainty(
    const Tables& tables, const EngineGeometry& geometry, const Grids& grids, long long histories)
{
    // A sum that is not finite is the result's fault: the message names the result.
    const std::string& name = tables.job.resultName;
    std::string out = Header(tables, geometry, HeaderPhotonCount(tables, histories), uncertainty::kTitle);
    CheckGrid(name, grids.kerma, "kerma");
    CheckGrid(name, grids.kermaSquares, "squared kerma");
    CheckGrid(name, grids.dose, "dose");
    CheckGrid(name, grids.doseSquares, "squared dose");
    for (int block = 0; block < Grids::kHeights; ++block) {
        AppendHeight(out, geometry, block);
        out += uncertainty::kKermaLabel;
        EndRecord(out);
        AppendErrors(out, grids.kerma, grids.kermaSquares, histories, block);
        out += uncertainty::kDoseLabel;
        EndRecord(out);
        AppendErrors(out, grids.dose, grids.doseSquares, histories, block);
    }
    return out;
}

namespace {

std::string DescribeFailure(const std::string& path, const records::ReplaceFailure& failure, const char* file)
{
    const char* what = failure.step == records::ReplaceStep::Create  ? "created"
                       : failure.step == records::ReplaceStep::Write ? "written"
                                                                     : "put in place";
    const char* japanese = failure.step == records::ReplaceStep::Create  ? "を作成できません"
                           : failure.step == records::ReplaceStep::Write ? "を書き込めません"
                                                                         : "を置き換えられません";
    return records::DescribeFileError(
        path, japanese, std::string("the ") + file + " cannot be " + what + " (" + failure.reason + ")");
}

} // namespace

std::string DescribeResultFailure(const std::string& path, const records::ReplaceFailure& failure)
{
    return DescribeFailure(path, failure, "result file");
}

std::string DescribeUncertaintyFailure(const std::string& path, const records::ReplaceFailure& failure)
{
    return DescribeFailure(path, failure, "uncertainty file");
}

std::optional<std::string> CommitResultFiles(records::PendingFile& result, const std::string& resultPath,
    records::PendingFile& uncertainty, const std::string& uncertaintyPath)
{
    if (const auto failure = result.Finish()) return DescribeResultFailure(resultPath, *failure);
    if (const auto failure = uncertainty.Finish())
        return DescribeUncertaintyFailure(uncertaintyPath, *failure);
    // The errors first: should the result then fail, they are taken away again, so that no
    // result ever stands beside the errors of another run.
    if (const auto failure = uncertainty.Commit())
        return DescribeUncertaintyFailure(uncertaintyPath, *failure);
    if (const auto failure = result.Commit()) {
        std::remove(uncertaintyPath.c_str());
        return DescribeResultFailure(resultPath, *failure);
    }
    return std::nullopt;
}

std::optional<std::string> WriteResultFiles(
    const std::string& resultPath, std::string_view result, std::string_view uncertainty)
{
    const std::string uncertaintyPath = records::UncertaintyFileName(resultPath);
    records::PendingFile resultFile(resultPath);
    records::PendingFile uncertaintyFile(uncertaintyPath);
    if (const auto failure = resultFile.Append(result)) return DescribeResultFailure(resultPath, *failure);
    if (const auto failure = uncertaintyFile.Append(uncertainty))
        return DescribeUncertaintyFailure(uncertaintyPath, *failure);
    return CommitResultFiles(resultFile, resultPath, uncertaintyFile, uncertaintyPath);
}

} // namespace engine
