#include "logic/MeanTubeCurrent.h"

#include "logic/NumberText.h"

namespace brisca {

MeanTubeCurrent ContinuousMeanCurrent(const std::string& tubeCurrentMa)
{
    if (tubeCurrentMa.empty()) return {"", TubeCurrentMissingWarning};
    return {tubeCurrentMa, ""};
}

MeanTubeCurrent PulsedMeanCurrent(
    const std::string& tubeCurrentMa, const std::string& pulseRateFps, const std::string& pulseWidthMs)
{
    const double product = Val(tubeCurrentMa) * Val(pulseRateFps) * Val(pulseWidthMs);
    if (product == 0.0) return {"", PulseDataMissingWarning};
    return {PlainNumberText(product * 0.001), ""};
}

} // namespace brisca
