#include "engine/result_file.h"

#include "records/atomic_file.h"
#include "records/field_error.h"
#include "records/field_writer.h"
#include "records/result_layout.h"

#include <cerrno>
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

void AppendGrid(std::string& out, const std::array<float, Grids::kCells>& grid, int block)
{
    for (int b = 0; b < Grids::kAlong; ++b) {
        for (int i = 0; i < Grids::kLateral; ++i)
            AppendE(out, grid[Grids::Index(block, b, i)], layout::kRate);
        EndRecord(out);
    }
}

} // namespace

std::string FormatResult(const Tables& tables, const EngineGeometry& geometry, const Grids& grids)
{
    const Job& job = tables.job;
    const std::array<float, 6>& spectrum = tables.spectrum.descriptors;
    std::string out;
    out.reserve(2 * Grids::kHeights * Grids::kAlong * (Grids::kLateral * 11 + 2) + 512);

    out += geometry.geometryCode;
    EndRecord(out);
    AppendE(out, job.tubeOutput * 10000.0f / (job.fsd * job.fsd), layout::kRate);
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

void WriteFileAtomically(const std::string& path, const std::string& content)
{
    const auto failure = records::ReplaceFileAtomically(path, content);
    if (!failure) return;
    const char* what = failure->step == records::ReplaceStep::Create  ? "created"
                       : failure->step == records::ReplaceStep::Write ? "written"
                                                                      : "put in place";
    const char* japanese = failure->step == records::ReplaceStep::Create  ? "を作成できません"
                           : failure->step == records::ReplaceStep::Write ? "を書き込めません"
                                                                          : "を置き換えられません";
    throw std::runtime_error(records::DescribeFileError(
        path, japanese, std::string("the result file cannot be ") + what + " (" + failure->reason + ")"));
}

} // namespace engine
