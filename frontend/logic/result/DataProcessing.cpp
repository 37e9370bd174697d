#include "logic/result/DataProcessing.h"

#include "logic/text/FreeFormatReader.h"
#include "logic/result/LegendScale.h"

namespace brisca {

namespace {

// Reads one block of 601 rows of 381 values into layer k of `grid`; false with a message in
// `detail` when the file ends early or holds something else than a number.
bool ReadBlock(FreeFormatReader& reader, DisplayGrid& grid, int k, const char* quantity, std::string& detail)
{
    for (int r = 1; r <= DisplayGrid::Rows; ++r) {
        for (int c = 1; c <= DisplayGrid::Columns; ++c) {
            const std::string_view field = reader.NextField();
            if (!field.empty() && ParseNumberField(field, grid.At(k, c, r))) continue;
            const std::string what = std::string(quantity) + " of layer " + std::to_string(k) + ", row " +
                                     std::to_string(r) + ", column " + std::to_string(c);
            detail = field.empty() ? reader.Name() + ": the file ends before the " + what
                                   : reader.Where() + ": \"" + std::string(field) +
                                         "\" is not a number (the " + what + ")";
            return false;
        }
    }
    return true;
}

} // namespace

void CompleteProcessedResult(ProcessedResult& result, const std::string& name)
{
    result.kermaMax = GridMaximum(result.kermaGrid);
    result.doseMax = GridMaximum(result.doseGrid);
    if (result.kermaMax <= 0.0 || result.doseMax <= 0.0) {
        result.outcome = ProcessingOutcome::AllZero;
        result.detail = name + ": the result holds no positive " +
                        (result.kermaMax <= 0.0 ? "air kerma rate" : "effective dose rate");
        return;
    }
    result.kermaScale = LegendScale(result.kermaMax);
    result.doseScale = LegendScale(result.doseMax);
    result.outcome = ProcessingOutcome::Complete;
}

ProcessedResult ProcessRefinedGrids(const std::filesystem::path& file)
{
    ProcessedResult result;
    const std::string name = file.filename().string();
    std::string text;
    if (!ReadTextFile(file, text)) {
        result.detail = name + ": the file does not exist yet or cannot be opened";
        return result;
    }
    FreeFormatReader reader(name, std::move(text));
    for (int k = 1; k <= DisplayGrid::Layers; ++k) {
        if (!ReadBlock(reader, result.kermaGrid, k, "air kerma rate", result.detail)) return result;
        if (!ReadBlock(reader, result.doseGrid, k, "effective dose rate", result.detail)) return result;
    }
    if (!reader.LastFieldEnded()) {
        result.detail = reader.Where() + ": the last value is not ended by a line end";
        return result;
    }

    CompleteProcessedResult(result, name);
    return result;
}

} // namespace brisca
