#include "logic/result/CorrectionNote.h"

#include <array>
#include <cmath>
#include <sstream>

#include "logic/text/FreeFormatReader.h"
#include "logic/text/NumberText.h"

namespace brisca {

namespace {

// The key before each line's value, in file order.
constexpr std::array<std::string_view, 3> kKeys = {"補正係数 ", "実測値 ", "測定した線量率 "};

} // namespace

std::string CorrectionNoteName(std::string_view correctedName)
{
    return std::string(correctedName) + ".correction";
}

std::string CorrectionNoteText(const CorrectionNote& note)
{
    return std::string(kKeys[0]) + FormatNumber(note.factor, "0.000E+00") + "\r\n" + std::string(kKeys[1]) +
           PlainNumberText(note.measured) + "\r\n" + std::string(kKeys[2]) + note.quantity + "\r\n";
}

std::optional<CorrectionNote> ReadCorrectionNote(
    const std::filesystem::path& folder, const std::string& correctedName)
{
    const Expected<std::string> text = ReadTextFile(folder / CorrectionNoteName(correctedName));
    if (!text) return std::nullopt;
    std::istringstream lines(*text);
    std::array<std::string, 3> values;
    for (std::size_t n = 0; n < kKeys.size(); ++n) {
        std::string line;
        if (!std::getline(lines, line) || !line.ends_with('\r') || !line.starts_with(kKeys[n]))
            return std::nullopt;
        line.pop_back();
        values[n] = line.substr(kKeys[n].size());
    }
    if (!ReadsAsNumber(values[0]) || !ReadsAsNumber(values[1])) return std::nullopt;
    CorrectionNote note{LeadingNumber(values[0]), LeadingNumber(values[1]), values[2]};
    if (!std::isfinite(note.factor) || !std::isfinite(note.measured)) return std::nullopt;
    return note;
}

std::string CorrectionCaption(const CorrectionNote& note)
{
    return "実測値 " + PlainNumberText(note.measured) + " による補正（" + note.quantity + "、係数 " +
           FormatNumber(note.factor, "0.000E+00") + "）";
}

} // namespace brisca
