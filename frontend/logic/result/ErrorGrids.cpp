#include "logic/result/ErrorGrids.h"

#include <limits>
#include <system_error>

namespace brisca {

void ReadResultErrors(const std::filesystem::path& resultFile, ResultErrors& errors)
{
    errors.fileName = records::UncertaintyFileName(resultFile.string());
    const std::string shownName = std::filesystem::path(errors.fileName).filename().string();
    std::error_code absent;
    if (!std::filesystem::exists(errors.fileName, absent)) {
        errors.source = UncertaintySource::Missing;
        errors.problem = FileProblem(shownName,
            "がありません（" + resultFile.filename().string() +
                " の相対標準誤差のファイル。古いエンジンの結果か、結果ファイルだけが複写されたものです）",
            "no uncertainty file: the relative standard errors of " + resultFile.filename().string() +
                " are written beside it by the engine (a result of an older engine, or one copied without "
                "it)");
    } else {
        // The records layer words its refusal whole, "Japanese [English]" with file and record.
        const std::string refusal = records::ReadUncertaintyFile(errors.fileName, errors.coarse);
        errors.problem = refusal.empty() ? std::nullopt : std::optional<Problem>(PlainProblem(refusal));
        errors.source = refusal.empty() ? UncertaintySource::Read : UncertaintySource::Unreadable;
    }
    if (errors.source == UncertaintySource::Read) {
        FillFineErrorGrid(errors.coarse.kerma, errors.kerma);
        FillFineErrorGrid(errors.coarse.dose, errors.dose);
    } else {
        errors.kerma = DisplayGrid();
        errors.dose = DisplayGrid();
    }
}

void FillFineErrorGrid(const records::ErrorLayers& layers, DisplayGrid& grid)
{
    for (int k = 1; k <= DisplayGrid::Layers; ++k)
        for (int c = 1; c <= DisplayGrid::Columns; ++c)
            for (int r = 1; r <= DisplayGrid::Rows; ++r) {
                const float error = records::FineRelativeError(layers, k, c, r);
                grid.At(k, c, r) = error == records::uncertainty_layout::kNotScored
                                       ? std::numeric_limits<double>::quiet_NaN()
                                       : static_cast<double>(error);
            }
}

} // namespace brisca
