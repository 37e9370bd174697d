#include "records/run_values.h"

#include <charconv>

namespace records {

bool ParseSeed(std::string_view text, long long& value)
{
    if (text.empty() || (text[0] != '-' && (text[0] < '0' || text[0] > '9'))) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool ParsePrecision(std::string_view text, double& value)
{
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string_view::npos) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value > 0.0 &&
           value <= kLargestPrecision;
}

ValueRefusal SeedRefusal(const std::string& where, const std::string& text)
{
    return {where + " の値「" + text + "」は整数ではありません",
        where + ": '" + text + "' is not a whole number of at most 64 bits"};
}

ValueRefusal PrecisionRefusal(const std::string& where, const std::string& text)
{
    return {where + " の値「" + text + "」は 0 より大きく 100 以下の % の値ではありません",
        where + ": '" + text + "' is not a percentage above 0 and at most 100"};
}

} // namespace records
