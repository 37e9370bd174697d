#include "logic/start/DataTables.h"

#include <cmath>
#include <string_view>

#include "logic/text/FreeFormatReader.h"
#include "logic/text/NumberText.h"

namespace brisca {

namespace {

// Reads numbers one after the other from a table's text and words the message of a failure:
// the file, the line and what the value was meant to be.
class FreeFormatFile {
public:
    FreeFormatFile(std::string name, std::string text) : reader_(std::move(name), std::move(text)) { }

    // Skips the rest of the current line (the header line of a table).
    void SkipLine() { reader_.SkipLine(); }

    // Reads the next number; `what` names the value for the message on failure.
    bool Next(double& value, const std::string& what)
    {
        const std::string_view field = reader_.NextField();
        const std::string& name = reader_.Name();
        if (field.empty()) {
            const int line = reader_.FieldLine();
            error_ = name + " の数値が足りません [" + name + ": the file ends before " + what +
                     (line == 0 ? std::string(" (it holds no numbers)")
                                : " (after line " + std::to_string(line) + ")") +
                     "]";
            return false;
        }
        if (ParseNumberField(field, value)) return true;
        const std::string token(field);
        const std::string where = name + " の " + std::to_string(reader_.FieldLine()) + " 行目: ";
        error_ = IsNumberSyntax(field) ? where + "「" + token + "」は値が大きすぎます [" + reader_.Where() +
                                             ": \"" + token + "\" is out of range (" + what + ")]"
                                       : where + "「" + token + "」は数値ではありません [" + reader_.Where() +
                                             ": \"" + token + "\" is not a number (" + what + ")]";
        return false;
    }

    // File name as shown in messages.
    const std::string& Name() const { return reader_.Name(); }

    // The message of the last failure.
    const std::string& Error() const { return error_; }

private:
    FreeFormatReader reader_;
    std::string error_;
};

// Reads 300 records of `columns` numbers; the first number of each record (the energy)
// is discarded, the others go into `targets` in order.
template <std::size_t N>
std::string ReadSlotRecords(
    FreeFormatFile& file, const std::array<const char*, N>& names, const std::array<SlotTable*, N>& targets)
{
    for (int slot = 1; slot <= EnergySlots; ++slot) {
        const std::string record = "record " + std::to_string(slot) + " of " + std::to_string(EnergySlots);
        double energy = 0.0;
        if (!file.Next(energy, "the energy of " + record)) return file.Error();
        for (std::size_t column = 0; column < N; ++column)
            if (!file.Next((*targets[column])[static_cast<std::size_t>(slot)],
                    std::string("the ") + names[column] + " of " + record))
                return file.Error();
    }
    return {};
}

std::string ReadOutputTable(FreeFormatFile& file, DataTables& tables)
{
    file.SkipLine();
    for (int column = 1; column <= 4; ++column) {
        for (int row = 1; row <= OutputRows; ++row) {
            const std::string what = column == 1 ? "tube voltage " + std::to_string(row)
                                                 : "tube output " + std::to_string(row) + " of waveform " +
                                                       std::to_string(column - 1);
            if (!file.Next(
                    tables.outputTable[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)],
                    what))
                return file.Error();
        }
        if (column == 1) continue;
        const auto waveform = static_cast<std::size_t>(column - 1);
        const std::string suffix = " of waveform " + std::to_string(column - 1);
        if (!file.Next(tables.refAl[waveform], "the reference aluminium filtration" + suffix))
            return file.Error();
        if (!file.Next(tables.refCu[waveform], "the reference copper filtration" + suffix))
            return file.Error();
        tables.refAl[waveform] *= 0.1;
        tables.refCu[waveform] *= 0.1;
    }
    // The tube output look-up walks up the voltages and interpolates between neighbours.
    for (std::size_t row = 2; row <= OutputRows; ++row)
        if (!(tables.outputTable[1][row] > tables.outputTable[1][row - 1]))
            return file.Name() + " の管電圧が増加していません（" + std::to_string(row) + " 番目の " +
                   PlainNumberText(tables.outputTable[1][row]) + " が " +
                   PlainNumberText(tables.outputTable[1][row - 1]) + " の後にあります） [" + file.Name() +
                   ": the tube voltages must increase, but voltage " + std::to_string(row) + " (" +
                   PlainNumberText(tables.outputTable[1][row]) + ") follows " +
                   PlainNumberText(tables.outputTable[1][row - 1]) + "]";
    return {};
}

} // namespace

std::string ReadDataTables(const std::filesystem::path& folder, DataTables& tables)
{
    DataTables loaded;
    const auto open = [&](const char* fileName, std::string& text) {
        if (ReadTextFile(folder / fileName, text)) return std::string();
        return std::string(fileName) + " を開けません [" + fileName + ": the file cannot be opened]";
    };

    std::string text;
    if (std::string error = open(records::kAttenuationTableFile, text); !error.empty()) return error;
    FreeFormatFile attenuation(records::kAttenuationTableFile, text);
    const std::string attenuationError = ReadSlotRecords<3>(attenuation,
        {"tungsten coefficient", "aluminium coefficient", "copper coefficient"},
        {&loaded.muTarget, &loaded.muAl, &loaded.muCu});
    if (!attenuationError.empty()) return attenuationError;

    if (std::string error = open(records::kAirTableFile, text); !error.empty()) return error;
    FreeFormatFile air(records::kAirTableFile, text);
    const std::string airError = ReadSlotRecords<1>(air, {"air coefficient"}, {&loaded.muEnAir});
    if (!airError.empty()) return airError;

    if (std::string error = open(records::kTubeOutputTableFile, text); !error.empty()) return error;
    FreeFormatFile output(records::kTubeOutputTableFile, text);
    const std::string outputError = ReadOutputTable(output, loaded);
    if (!outputError.empty()) return outputError;

    tables = loaded;
    return {};
}

} // namespace brisca
