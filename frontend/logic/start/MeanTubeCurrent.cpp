#include "logic/start/MeanTubeCurrent.h"

#include <utility>

#include "logic/start/StartChecks.h"
#include "logic/text/NumberText.h"

namespace brisca {

MeanTubeCurrent ContinuousMeanCurrent(const std::string& tubeCurrentMa)
{
    if (tubeCurrentMa.empty()) return {"", TubeCurrentMissingWarning};
    return {tubeCurrentMa, ""};
}

MeanTubeCurrent PulsedMeanCurrent(
    const std::string& tubeCurrentMa, const std::string& pulseRateFps, const std::string& pulseWidthMs)
{
    // An empty entry stays 0 and is caught as missing data below.
    for (const auto& [label, text] : {std::pair{"透視管電流", &tubeCurrentMa},
             std::pair{"パルスレート", &pulseRateFps}, std::pair{"パルス幅", &pulseWidthMs}}) {
        if (!text->empty() && !ReadsAsNumber(*text)) return {"", NotANumberWarning(label, *text)};
    }
    const double product =
        LeadingNumber(tubeCurrentMa) * LeadingNumber(pulseRateFps) * LeadingNumber(pulseWidthMs);
    if (product == 0.0) return {"", PulseDataMissingWarning};
    return {PlainNumberText(product * 0.001), ""};
}

} // namespace brisca
