#include "logic/start/DataTables.h"

#include <cmath>
#include <string_view>

#include "logic/text/FreeFormatReader.h"
#include "logic/text/NumberText.h"
#include "records/field_error.h"

namespace brisca {

namespace {

// Reads numbers one after the other from a table's text and words the problem of a failure:
// the file, the line and what the value was meant to be.
class FreeFormatFile {
public:
    FreeFormatFile(std::string name, std::string text) : reader_(std::move(name), std::move(text)) { }

    // Skips the rest of the current line (the header line of a table).
    void SkipLine() { reader_.SkipLine(); }

    // Reads the next number into `value`; `what` names the value in the problem.
    std::optional<Problem> Next(double& value, const std::string& what)
    {
        const std::string_view field = reader_.NextField();
        if (field.empty()) {
            const int line = reader_.FieldLine();
            return FileProblem(reader_.Name(), "の数値が足りません",
                "the file ends before " + what +
                    (line == 0 ? std::string(" (it holds no numbers)")
                               : " (after line " + std::to_string(line) + ")"));
        }
        if (const std::optional<double> number = ParseNumberField(field)) {
            value = *number;
            return std::nullopt;
        }
        const std::string token = records::EchoText(field);
        return IsNumberSyntax(field) ? reader_.ProblemAtField("「" + token + "」は値が大きすぎます",
                                           "\"" + token + "\" is out of range (" + what + ")")
                                     : reader_.ProblemAtField("「" + token + "」は数値ではありません",
                                           "\"" + token + "\" is not a number (" + what + ")");
    }

    // File name as shown in messages.
    const std::string& Name() const { return reader_.Name(); }

private:
    FreeFormatReader reader_;
};

// Reads 300 records of `columns` numbers; the first number of each record (the energy)
// is discarded, the others go into `targets` in order.
template <std::size_t N>
std::optional<Problem> ReadSlotRecords(
    FreeFormatFile& file, const std::array<const char*, N>& names, const std::array<SlotTable*, N>& targets)
{
    for (int slot = 1; slot <= EnergySlots; ++slot) {
        const std::string record = "record " + std::to_string(slot) + " of " + std::to_string(EnergySlots);
        double energy = 0.0;
        if (auto problem = file.Next(energy, "the energy of " + record)) return problem;
        for (std::size_t column = 0; column < N; ++column)
            if (auto problem = file.Next((*targets[column])[static_cast<std::size_t>(slot)],
                    std::string("the ") + names[column] + " of " + record))
                return problem;
    }
    return std::nullopt;
}

std::optional<Problem> ReadOutputTable(FreeFormatFile& file, DataTables& tables)
{
    file.SkipLine();
    for (int column = 1; column <= 4; ++column) {
        for (int row = 1; row <= OutputRows; ++row) {
            const std::string what = column == 1 ? "tube voltage " + std::to_string(row)
                                                 : "tube output " + std::to_string(row) + " of waveform " +
                                                       std::to_string(column - 1);
            if (auto problem = file.Next(
                    tables.outputTable[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)],
                    what))
                return problem;
        }
        if (column == 1) continue;
        const auto waveform = static_cast<std::size_t>(column - 1);
        const std::string suffix = " of waveform " + std::to_string(column - 1);
        if (auto problem = file.Next(tables.refAl[waveform], "the reference aluminium filtration" + suffix))
            return problem;
        if (auto problem = file.Next(tables.refCu[waveform], "the reference copper filtration" + suffix))
            return problem;
        tables.refAl[waveform] *= 0.1;
        tables.refCu[waveform] *= 0.1;
    }
    // The tube output look-up walks up the voltages and interpolates between neighbours.
    for (std::size_t row = 2; row <= OutputRows; ++row) {
        if (tables.outputTable[1][row] > tables.outputTable[1][row - 1]) continue;
        const std::string voltage = PlainNumberText(tables.outputTable[1][row]);
        const std::string before = PlainNumberText(tables.outputTable[1][row - 1]);
        return FileProblem(file.Name(),
            "の管電圧が増加していません（" + std::to_string(row) + " 番目の " + voltage + " が " + before +
                " の後にあります）",
            "the tube voltages must increase, but voltage " + std::to_string(row) + " (" + voltage +
                ") follows " + before);
    }
    return std::nullopt;
}

} // namespace

Expected<DataTables> ReadDataTables(const std::filesystem::path& folder)
{
    DataTables loaded;
    const auto open = [&](const char* fileName) -> Expected<FreeFormatFile> {
        Expected<std::string> text = ReadTextFile(folder / fileName);
        if (!text) return text.Failure();
        return FreeFormatFile(fileName, std::move(*text));
    };

    Expected<FreeFormatFile> attenuation = open(records::kAttenuationTableFile);
    if (!attenuation) return attenuation.Failure();
    if (auto problem = ReadSlotRecords<3>(*attenuation,
            {"tungsten coefficient", "aluminium coefficient", "copper coefficient"},
            {&loaded.muTarget, &loaded.muAl, &loaded.muCu}))
        return *problem;

    Expected<FreeFormatFile> air = open(records::kAirTableFile);
    if (!air) return air.Failure();
    if (auto problem = ReadSlotRecords<1>(*air, {"air coefficient"}, {&loaded.muEnAir})) return *problem;

    Expected<FreeFormatFile> output = open(records::kTubeOutputTableFile);
    if (!output) return output.Failure();
    if (auto problem = ReadOutputTable(*output, loaded)) return *problem;
    return loaded;
}

} // namespace brisca
