#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "logic/problem/Problem.h"
#include "logic/result/CorrectionNote.h"

namespace brisca {

// The corrected copy's name: the source name with its last character replaced by "C", so
// that abc.dsr5 gives abc.dsrC.
std::string CorrectedFileName(std::string_view sourceName);

// Warning when the measured value box is empty.
inline constexpr const char* NoMeasuredValueWarning = "実測値を入力して下さい";
// Warning when the current value is 0 or holds no number.
inline constexpr const char* ZeroCurrentValueWarning =
    " 現在値が 0 なので補正できません（計算値が 0 の点の実測値では補正できません） ";

// The measured dose rate typed in the dialog: exactly one positive finite number, blanks
// around it allowed. Refused, with a warning that quotes the text and says why, when the box
// is empty, when it holds anything but one number ("2,5", "0.01 4862", full-width digits,
// a unit) or when the number is not above 0.
Expected<double> MeasuredValueOf(std::string_view text);

// The factor that scales the simulated result to the measurement: the measured value over the
// current value as its caption shows it. Refused, with the dialog's warning, when the measured
// text is not a usable value (MeasuredValueOf), when the current value reads as 0 (or holds no
// number), or when the ratio is not a finite positive number.
Expected<double> CorrectionFactorOf(std::string_view measuredText, std::string_view currentText);

// Writes the corrected copy of the result file `source` as `target`: the header's free-air
// kerma rate and every grid value multiplied by `factor`, every other line copied, CR LF line
// ends. The grid values are read without regard to line ends, so any wrapping of the source
// gives rows of 41 fields. A problem names the file and line, and `target` is left as it was.
std::optional<Problem> WriteCorrectedResult(
    const std::filesystem::path& source, const std::filesystem::path& target, double factor);

// The correction of the result file `sourceName` in `folder` by `note.factor`: its corrected
// copy is written beside it, then the note of what it was scaled to, and the copy's name
// returned. When a copy exists already, `replaceExisting` (if given) is asked with its name
// once the new copy is known to be sound; declined, nothing is written and the empty name
// returned. On a problem with the source the folder is left as it was; when the note cannot
// be written the new copy is removed again.
Expected<std::string> CorrectResultFile(const std::filesystem::path& folder, const std::string& sourceName,
    const CorrectionNote& note, const std::function<bool(const std::string&)>& replaceExisting = {});

} // namespace brisca
