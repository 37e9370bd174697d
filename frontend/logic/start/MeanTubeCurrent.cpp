#include "logic/start/MeanTubeCurrent.h"

#include <utility>

#include "logic/start/StartChecks.h"
#include "logic/text/NumberText.h"

namespace brisca {

Expected<std::string> ContinuousMeanCurrent(const std::string& tubeCurrentMa)
{
    if (tubeCurrentMa.empty()) return TranslatedProblem(TubeCurrentMissingWarning, "Enter the tube current.");
    return tubeCurrentMa;
}

Expected<std::string> PulsedMeanCurrent(
    const std::string& tubeCurrentMa, const std::string& pulseRateFps, const std::string& pulseWidthMs)
{
    // An empty entry stays 0 and is caught as missing data below.
    double product = 1.0;
    for (const auto& [label, text] :
        {std::pair{BilingualLabel{"透視管電流", "fluoroscopy tube current"}, &tubeCurrentMa},
            std::pair{BilingualLabel{"パルスレート", "pulse rate"}, &pulseRateFps},
            std::pair{BilingualLabel{"パルス幅", "pulse width"}, &pulseWidthMs}}) {
        const Expected<double> value = ReadEntryNumber(label, *text);
        if (!value) return value.Failure();
        product *= *value;
    }
    if (product == 0.0)
        return TranslatedProblem(
            PulseDataMissingWarning, "Enter a tube current, pulse rate and pulse width above zero.");
    return PlainNumberText(product * 0.001);
}

} // namespace brisca
