#include "logic/result/ErrorText.h"

#include <cmath>

#include "logic/text/NumberText.h"

namespace brisca {

std::string ValueWithError(const std::string& value, double errorPercent)
{
    if (value.empty()) return value;
    if (std::isnan(errorPercent)) return value + " (± ?)";
    const std::string percent =
        errorPercent >= 2.0 ? std::to_string(std::lround(errorPercent)) : FormatNumber(errorPercent, "0.0");
    return value + " ± " + percent + " %";
}

} // namespace brisca
