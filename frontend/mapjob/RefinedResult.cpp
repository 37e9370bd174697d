#include "mapjob/RefinedResult.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <string_view>

#include "logic/text/FreeFormatReader.h"
#include "refiner/fine_file.h"
#include "refiner/refine.h"
#include "refiner/result_file.h"

namespace brisca {

namespace {

// One fine layer into layer k of `grid`. The values go through the refiner's own record text
// and back, since the file rounds them to five significant digits and the window's maps,
// maxima and legends are made from the rounded numbers.
void CopyLayer(const refiner::FineLayer& fine, DisplayGrid& grid, int k)
{
    std::string record;
    for (int r = 0; r < refiner::kFineBeam; ++r) {
        record.clear();
        refiner::AppendFineRecord(record, fine.records[r]);
        for (int c = 0; c < refiner::kFineLateral; ++c) {
            std::string_view field(
                record.data() + static_cast<std::size_t>(c) * refiner::kFieldWidth, refiner::kFieldWidth);
            field.remove_prefix(std::min(field.find_first_not_of(' '), field.size()));
            // Only a rate the field cannot hold would fail here; the refiner keeps its rates finite.
            grid.At(k, c + 1, r + 1) = ParseNumberField(field).value_or(fine.records[r][c]);
        }
    }
}

} // namespace

void DisplayGridsOfFine(const refiner::FineResult& fine, DisplayGrid& kerma, DisplayGrid& dose)
{
    static_assert(refiner::kFineLateral == DisplayGrid::Columns && refiner::kFineBeam == DisplayGrid::Rows &&
                  refiner::kHeights == DisplayGrid::Layers);
    for (int h = 0; h < refiner::kHeights; ++h) {
        CopyLayer(fine.kerma[h], kerma, h + 1);
        CopyLayer(fine.dose[h], dose, h + 1);
    }
}

Expected<ProcessedResult> RefineResultInMemory(const std::filesystem::path& file)
{
    struct Workspace {
        refiner::CoarseResult coarse;
        refiner::FineResult fine;
        refiner::LateralPass lateral;
    };
    const auto work = std::make_unique<Workspace>();
    try {
        refiner::ReadResultFile(file.string(), work->coarse);
    } catch (const std::exception& error) {
        // The refiner's message is whole already: the file, the record, Japanese and English.
        return PlainProblem(error.what());
    }
    refiner::RefineResult(work->coarse, work->fine, work->lateral);
    ProcessedResult refined;
    DisplayGridsOfFine(work->fine, refined.kermaGrid, refined.doseGrid);
    CompleteProcessedResult(refined, file.filename().string());
    return refined;
}

} // namespace brisca
