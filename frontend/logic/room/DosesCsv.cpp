#include "logic/room/DosesCsv.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "logic/room/PointsFile.h"
#include "logic/text/CsvText.h"

namespace brisca {

namespace {

std::string Chars(double value, std::chars_format format, int precision)
{
    if (std::isnan(value)) return {};
    char text[40];
    const auto end = std::to_chars(text, text + sizeof text, value + 0.0, format, precision).ptr;
    return std::string(text, end);
}

std::string Shortest(double value)
{
    if (std::isnan(value)) return {};
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value + 0.0).ptr;
    return std::string(text, end);
}

} // namespace

std::string DoseNumberText(double value) { return Chars(value, std::chars_format::general, 4); }

std::string ErrorPercentText(double value) { return Chars(value, std::chars_format::general, 3); }

std::string ExtraLeadText(double mm)
{
    // Hundredths rounded up; the small allowance keeps 0.37 computed as 0.3700000001 at 0.37.
    const double hundredths = std::ceil(mm * 100.0 - 1e-6);
    return Chars(std::max(hundredths, 0.0) / 100.0, std::chars_format::fixed, 2);
}

std::array<std::string, DosesFieldCount> DoseRowTexts(const EvaluationPoint& point, const PointDose& dose)
{
    return {point.name, Shortest(dose.rateUsvPerMin), ErrorPercentText(dose.rateErrorPercent),
        DoseNumberText(dose.annualMsv), DoseNumberText(dose.quarterMsv), Shortest(point.limitMsvPerYear),
        std::string(DoseStatusKey(dose.status)), ExtraLeadText(dose.extraLeadMm)};
}

std::string DosesCsvText(const std::vector<EvaluationPoint>& points, const std::vector<PointDose>& doses)
{
    std::string out = std::string(Utf8ByteOrderMark) + DosesHeader + "\r\n";
    for (std::size_t n = 0; n < points.size() && n < doses.size(); ++n) {
        const std::array<std::string, DosesFieldCount> fields = DoseRowTexts(points[n], doses[n]);
        AppendCsvText(out, fields[0]);
        for (std::size_t f = 1; f < fields.size(); ++f) {
            out += ',';
            out += fields[f];
        }
        out += "\r\n";
    }
    return out;
}

} // namespace brisca
