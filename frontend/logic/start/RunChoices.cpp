#include "logic/start/RunChoices.h"

#include <cmath>

#include "logic/start/StartChecks.h"
#include "logic/text/NumberText.h"

namespace brisca {

namespace {

constexpr BilingualLabel CoresLabel{"使用するコア数", "number of cores"};
constexpr BilingualLabel PrecisionLabel{"目標精度", "target precision"};

} // namespace

std::optional<Problem> ReadRunChoices(const CalculationEntries& entries, CalculationConditions& conditions)
{
    const Expected<double> cores = ReadEntryNumber(CoresLabel, entries.cores);
    if (!cores) return cores.Failure();
    if (!(*cores >= 1 && *cores <= MaximumCores) || std::floor(*cores) != *cores)
        return TranslatedProblem(std::string(" ") + CoresLabel.japanese + " は 1 から " +
                                     std::to_string(MaximumCores) + " までの整数にして下さい ",
            std::string("The ") + CoresLabel.english + " must be a whole number from 1 to " +
                std::to_string(MaximumCores) + ".");
    conditions.cores = static_cast<int>(*cores);

    conditions.precisionPercent = 0.0;
    if (entries.precisionPercent.empty()) return std::nullopt;
    const Expected<double> precision = ReadEntryNumber(PrecisionLabel, entries.precisionPercent);
    if (!precision) return precision.Failure();
    if (!(*precision > 0 && *precision <= LargestPrecisionPercent))
        return TranslatedProblem(std::string(" ") + PrecisionLabel.japanese +
                                     " は 0 より大きく 100 以下の % で入力して下さい（空欄: 指定なし） ",
            std::string("The ") + PrecisionLabel.english +
                " must be a percentage above 0 and at most 100 (empty: none).");
    conditions.precisionPercent = *precision;
    return std::nullopt;
}

std::vector<EnvironmentSetting> EngineEnvironment(const CalculationConditions& conditions)
{
    const bool chunked = conditions.cores > 1 || conditions.precisionPercent > 0;
    return {
        {"BRISCA_THREADS", chunked ? std::to_string(conditions.cores) : std::string()},
        {"BRISCA_PRECISION",
            conditions.precisionPercent > 0 ? PlainNumberText(conditions.precisionPercent) : ""},
    };
}

} // namespace brisca
