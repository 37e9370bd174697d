#include "logic/result/DataProcessing.h"

#include "logic/result/LegendScale.h"
#include "logic/text/FreeFormatReader.h"
#include "records/field_error.h"

namespace brisca {

namespace {

// One of the two quantities of the file, in messages.
struct QuantityWords {
    const char* english;  // e.g. "air kerma rate"
    const char* japanese; // e.g. "空気カーマ率"
};

constexpr QuantityWords KermaWords = {"air kerma rate", "空気カーマ率"};
constexpr QuantityWords DoseWords = {"effective dose rate", "実効線量率"};

// Reads one block of 601 rows of 381 values into layer k of `grid`; the problem when the file
// ends early or holds something else than a number.
std::optional<Problem> ReadBlock(
    FreeFormatReader& reader, DisplayGrid& grid, int k, const QuantityWords& words)
{
    for (int r = 1; r <= DisplayGrid::Rows; ++r) {
        for (int c = 1; c <= DisplayGrid::Columns; ++c) {
            const std::string_view field = reader.NextField();
            if (const std::optional<double> value = ParseNumberField(field)) {
                grid.At(k, c, r) = *value;
                continue;
            }
            const std::string place =
                std::to_string(k) + ", row " + std::to_string(r) + ", column " + std::to_string(c);
            const std::string placeJa = "高さ " + std::to_string(k) + " の" + words.japanese + "、" +
                                        std::to_string(r) + " 行 " + std::to_string(c) + " 列";
            const std::string what = std::string(words.english) + " of layer " + place;
            if (field.empty())
                return FileProblem(reader.Name(), "が " + placeJa + " の前で終わっています",
                    "the file ends before the " + what);
            const std::string shown = records::EchoText(field);
            return reader.ProblemAtField("「" + shown + "」は数値ではありません（" + placeJa + "）",
                "\"" + shown + "\" is not a number (the " + what + ")");
        }
    }
    return std::nullopt;
}

} // namespace

void CompleteProcessedResult(ProcessedResult& result, const std::string& name)
{
    result.kermaMax = GridMaximum(result.kermaGrid);
    result.doseMax = GridMaximum(result.doseGrid);
    if (result.kermaMax <= 0.0 || result.doseMax <= 0.0) {
        const QuantityWords& words = result.kermaMax <= 0.0 ? KermaWords : DoseWords;
        result.noDose = FileProblem(name, std::string("には正の") + words.japanese + "がありません",
            std::string("the result holds no positive ") + words.english);
        return;
    }
    result.kermaScale = LegendScale(result.kermaMax);
    result.doseScale = LegendScale(result.doseMax);
}

Expected<ProcessedResult> ProcessRefinedGrids(const std::filesystem::path& file)
{
    Expected<std::string> text = ReadTextFile(file);
    if (!text) return text.Failure();
    const std::string name = file.filename().string();
    FreeFormatReader reader(name, std::move(*text));
    ProcessedResult result;
    for (int k = 1; k <= DisplayGrid::Layers; ++k) {
        if (auto problem = ReadBlock(reader, result.kermaGrid, k, KermaWords)) return *problem;
        if (auto problem = ReadBlock(reader, result.doseGrid, k, DoseWords)) return *problem;
    }
    if (!reader.LastFieldEnded())
        return reader.ProblemAtField("最後の値の後に行末がありません（書き込みの途中かもしれません）",
            "the last value is not ended by a line end");

    CompleteProcessedResult(result, name);
    return result;
}

} // namespace brisca
