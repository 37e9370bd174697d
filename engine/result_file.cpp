#include "engine/result_file.h"

#include "records/atomic_file.h"
#include "records/field_error.h"
#include "records/field_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <unistd.h>

namespace engine {

namespace {

void EndRecord(std::string& out) { out += "\r\n"; }

void AppendGrid(std::string& out, const std::array<float, Grids::kCells>& grid, int block)
{
    for (int b = 0; b < Grids::kAlong; ++b) {
        for (int i = 0; i < Grids::kLateral; ++i)
            records::AppendE(out, grid[Grids::Index(block, b, i)], 11, 4);
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
    records::AppendE(out, job.tubeOutput * 10000.0f / (job.fsd * job.fsd), 11, 4);
    EndRecord(out);
    records::AppendF(out, job.fsd, 5, 1);
    EndRecord(out);
    records::AppendF(out, job.fieldLength, 5, 1);
    EndRecord(out);
    records::AppendF(out, job.fieldWidth, 5, 1);
    EndRecord(out);
    records::AppendF(out, spectrum[0], 5, 1);
    EndRecord(out);
    records::AppendF(out, spectrum[1], 6, 4);
    EndRecord(out);
    records::AppendF(out, spectrum[2], 5, 1);
    EndRecord(out);
    for (int k = 3; k < 6; ++k) {
        records::AppendF(out, spectrum[k], 7, 3);
        EndRecord(out);
    }
    records::AppendE(out, job.photonCount, 8, 1);
    EndRecord(out);

    for (int block = 0; block < Grids::kHeights; ++block) {
        out += ' ';
        records::AppendF(out, geometry.heights[block], 5, 1);
        out += " cm";
        EndRecord(out);
        out += "  Gy/min";
        EndRecord(out);
        AppendGrid(out, grids.kerma, block);
        out += "  Sv/min";
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
