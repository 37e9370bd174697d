#include "logic/DataTables.h"

#include <cmath>
#include <fstream>
#include <sstream>
#include <string_view>

#include "logic/NumberText.h"

namespace brisca {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A whole token in free-format number syntax: sign, digits with an optional point
// (at least one digit), optional exponent with digits.
bool IsNumberToken(std::string_view token)
{
    std::size_t k = 0;
    if (k < token.size() && (token[k] == '+' || token[k] == '-')) ++k;
    std::size_t digits = 0;
    for (; k < token.size() && IsDigit(token[k]); ++k) ++digits;
    if (k < token.size() && token[k] == '.')
        for (++k; k < token.size() && IsDigit(token[k]); ++k) ++digits;
    if (digits == 0) return false;
    if (k < token.size() && (token[k] == 'E' || token[k] == 'e' || token[k] == 'D' || token[k] == 'd')) {
        ++k;
        if (k < token.size() && (token[k] == '+' || token[k] == '-')) ++k;
        std::size_t exponentDigits = 0;
        for (; k < token.size() && IsDigit(token[k]); ++k) ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    return k == token.size();
}

// Reads numbers one after the other from a file's text; fields are separated by commas,
// blanks or line ends. Remembers the line of the last token for messages.
class FreeFormatFile {
public:
    FreeFormatFile(std::string name, std::string text) : name_(std::move(name)), text_(std::move(text)) { }

    // Skips the rest of the current line (the header line of a table).
    void SkipLine()
    {
        while (position_ < text_.size() && text_[position_] != '\n') ++position_;
        if (position_ < text_.size()) {
            ++position_;
            ++line_;
        }
    }

    // Reads the next number; `what` names the value for the message on failure.
    bool Next(double& value, const std::string& what)
    {
        while (position_ < text_.size() && IsSeparator(text_[position_])) {
            if (text_[position_] == '\n') ++line_;
            ++position_;
        }
        if (position_ >= text_.size()) {
            error_ = name_ + " の数値が足りません [" + name_ + ": the file ends before " + what +
                     (tokenLine_ == 0 ? std::string(" (it holds no numbers)")
                                      : " (after line " + std::to_string(tokenLine_) + ")") +
                     "]";
            return false;
        }
        const std::size_t start = position_;
        tokenLine_ = line_;
        while (position_ < text_.size() && !IsSeparator(text_[position_])) ++position_;
        const std::string_view token(text_.data() + start, position_ - start);
        if (!IsNumberToken(token)) {
            error_ = WhereJapanese() + "「" + std::string(token) + "」は数値ではありません [" + Where() +
                     ": \"" + std::string(token) + "\" is not a number (" + what + ")]";
            return false;
        }
        value = Val(token);
        if (!std::isfinite(value)) {
            error_ = WhereJapanese() + "「" + std::string(token) + "」は値が大きすぎます [" + Where() +
                     ": \"" + std::string(token) + "\" is out of range (" + what + ")]";
            return false;
        }
        return true;
    }

    // File name as shown in messages.
    const std::string& Name() const { return name_; }

    // File name and line of the last token read.
    std::string Where() const { return name_ + ", line " + std::to_string(tokenLine_); }

    // The same in Japanese.
    std::string WhereJapanese() const { return name_ + " の " + std::to_string(tokenLine_) + " 行目: "; }

    // The message of the last failure.
    const std::string& Error() const { return error_; }

private:
    static bool IsSeparator(char c) { return c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n'; }

    std::string name_;
    std::string text_;
    std::size_t position_ = 0;
    int line_ = 1;
    int tokenLine_ = 0;
    std::string error_;
};

bool ReadWholeFile(const std::filesystem::path& path, std::string& text)
{
    std::ifstream stream(path, std::ios::binary);
    if (!stream) return false;
    std::ostringstream buffer;
    buffer << stream.rdbuf();
    if (stream.bad()) return false;
    text = buffer.str();
    return true;
}

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
                    tables.OutputTable[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)],
                    what))
                return file.Error();
        }
        if (column == 1) continue;
        const auto waveform = static_cast<std::size_t>(column - 1);
        const std::string suffix = " of waveform " + std::to_string(column - 1);
        if (!file.Next(tables.RefAl[waveform], "the reference aluminium filtration" + suffix))
            return file.Error();
        if (!file.Next(tables.RefCu[waveform], "the reference copper filtration" + suffix))
            return file.Error();
        tables.RefAl[waveform] *= 0.1;
        tables.RefCu[waveform] *= 0.1;
    }
    // The tube output look-up walks up the voltages and interpolates between neighbours.
    for (std::size_t row = 2; row <= OutputRows; ++row)
        if (!(tables.OutputTable[1][row] > tables.OutputTable[1][row - 1]))
            return file.Name() + " の管電圧が増加していません（" + std::to_string(row) + " 番目の " +
                   PlainNumberText(tables.OutputTable[1][row]) + " が " +
                   PlainNumberText(tables.OutputTable[1][row - 1]) + " の後にあります） [" + file.Name() +
                   ": the tube voltages must increase, but voltage " + std::to_string(row) + " (" +
                   PlainNumberText(tables.OutputTable[1][row]) + ") follows " +
                   PlainNumberText(tables.OutputTable[1][row - 1]) + "]";
    return {};
}

} // namespace

std::string ReadDataTables(const std::filesystem::path& folder, DataTables& tables)
{
    DataTables loaded;
    const auto open = [&](const char* fileName, std::string& text) {
        if (ReadWholeFile(folder / fileName, text)) return std::string();
        return std::string(fileName) + " を開けません [" + fileName + ": the file cannot be opened]";
    };

    std::string text;
    if (std::string error = open(AttenuationFileName, text); !error.empty()) return error;
    FreeFormatFile attenuation(AttenuationFileName, text);
    const std::string attenuationError = ReadSlotRecords<3>(attenuation,
        {"tungsten coefficient", "aluminium coefficient", "copper coefficient"},
        {&loaded.MuTarget, &loaded.MuAl, &loaded.MuCu});
    if (!attenuationError.empty()) return attenuationError;

    if (std::string error = open(AirFileName, text); !error.empty()) return error;
    FreeFormatFile air(AirFileName, text);
    const std::string airError = ReadSlotRecords<1>(air, {"air coefficient"}, {&loaded.MuEnAir});
    if (!airError.empty()) return airError;

    if (std::string error = open(OutputFileName, text); !error.empty()) return error;
    FreeFormatFile output(OutputFileName, text);
    const std::string outputError = ReadOutputTable(output, loaded);
    if (!outputError.empty()) return outputError;

    tables = loaded;
    return {};
}

} // namespace brisca
