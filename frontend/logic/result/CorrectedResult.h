#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "logic/problem/Problem.h"

namespace brisca {

// The corrected copy's name: the source name with its last character replaced by "C", so
// that abc.dsr5 gives abc.dsrC.
std::string CorrectedFileName(std::string_view sourceName);

// Warning when the measured value box holds no number.
inline constexpr const char* NoMeasuredValueWarning = "実測値を入力して下さい";
// Warning when the measured value is negative or the factor is not a finite number.
inline constexpr const char* UnusableMeasuredWarning = " 実測値には 0 以上の値を入力して下さい ";
// Warning when the current value is 0 or holds no number.
inline constexpr const char* ZeroCurrentValueWarning =
    " 現在値が 0 なので補正できません（計算値が 0 の点の実測値では補正できません） ";

// The factor that scales the simulated result to the measurement: the leading number of
// `measuredText` over that of `currentText`, the current value as its caption shows it.
// Refused, with the dialog's warning, when the measured text does not start with a number,
// when the current value reads as 0 (or holds no number), or when the measured value is
// negative or the ratio not finite.
Expected<double> CorrectionFactorOf(std::string_view measuredText, std::string_view currentText);

// Writes the corrected copy of the result file `source` as `target`: the header's free-air
// kerma rate and every grid value multiplied by `factor`, every other line copied, CR LF line
// ends. The grid values are read without regard to line ends, so any wrapping of the source
// gives rows of 41 fields. A problem names the file and line, and `target` is left as it was.
std::optional<Problem> WriteCorrectedResult(
    const std::filesystem::path& source, const std::filesystem::path& target, double factor);

// The correction of the result file `sourceName` in `folder`: its corrected copy is written
// beside it and its name returned. On a problem the folder is left as it was.
Expected<std::string> CorrectResultFile(
    const std::filesystem::path& folder, const std::string& sourceName, double factor);

} // namespace brisca
