#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace brisca {

// The corrected copy's name: the source name with its last character replaced by "C", so
// that abc.dsr5 gives abc.dsrC.
std::string CorrectedFileName(std::string_view sourceName);

// Why no correction factor can be formed from the two texts.
enum class FactorRefusal {
    None,             // the factor is usable
    NoMeasuredValue,  // the measured text does not start with a number
    UnusableMeasured, // the measured value is negative or the ratio is not finite
    ZeroCurrentValue  // the current value reads as 0, or its text holds no number
};

// A correction factor, or the reason there is none.
struct CorrectionFactor {
    double value = 0.0;                          // measured / current
    FactorRefusal refusal = FactorRefusal::None; // None when `value` may be applied
};

// The factor that scales the simulated result to the measurement: the leading number of
// `measuredText` over that of `currentText`, the current value as its caption shows it.
CorrectionFactor CorrectionFactorOf(std::string_view measuredText, std::string_view currentText);

// Writes the corrected copy of the result file `source` as `target`: the header's free-air
// kerma rate and every grid value multiplied by `factor`, every other line copied, CR LF line
// ends. The grid values are read without regard to line ends, so any wrapping of the source
// gives rows of 41 fields. Returns an empty text on success; otherwise a message naming the
// file and line, and `target` is left as it was.
std::string WriteCorrectedResult(
    const std::filesystem::path& source, const std::filesystem::path& target, double factor);

// The correction of the result file `sourceName` in `folder`: its corrected copy is written
// beside it and its name returned in `correctedName`. Returns an empty text on success;
// otherwise a message, and the folder is left as it was.
std::string CorrectResultFile(const std::filesystem::path& folder, const std::string& sourceName,
    double factor, std::string& correctedName);

} // namespace brisca
