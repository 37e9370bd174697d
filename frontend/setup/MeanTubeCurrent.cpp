#include "setup/MeanTubeCurrent.h"

#include "NumberText.h"

MeanTubeCurrent ContinuousMeanCurrent(const std::string& text15)
{
    if (text15.empty()) return {"", TubeCurrentMissingWarning};
    return {text15, ""};
}

MeanTubeCurrent PulsedMeanCurrent(
    const std::string& text15, const std::string& text12, const std::string& text6)
{
    const double product = Val(text15) * Val(text12) * Val(text6);
    if (product == 0.0) return {"", PulseDataMissingWarning};
    return {PlainNumberText(product * 0.001), ""};
}
