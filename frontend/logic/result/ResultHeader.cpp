#include "logic/result/ResultHeader.h"

#include <limits>

#include "logic/text/FreeFormatReader.h"
#include "logic/text/NumberText.h"

namespace brisca {

namespace {

// Words for each header value in messages.
constexpr std::array<const char*, HeaderValueCount> ValueNames = {"the patient position code",
    "the free-air kerma rate", "the FSD", "the first field side", "the second field side", "the tube voltage",
    "the tube current", "the target angle", "the inherent filtration", "the added aluminium filter",
    "the added copper filter", "the number of histories"};

} // namespace

std::string HeaderLabel(HeaderValue which, double value)
{
    switch (which) {
    case HeaderValue::PatientPosition:
        return PatientPositionOfCode(value) == PatientPosition::Supine ? SupineText : StandingText;
    case HeaderValue::FreeAirKermaRate:
        return FormatNumber(value, "0.000E+00");
    case HeaderValue::Histories:
        return FormatNumber(value, "#.0E+00");
    default:
        return PlainNumberText(value);
    }
}

std::string ReadResultHeader(const std::filesystem::path& file, ResultHeader& header)
{
    const std::string name = file.filename().string();
    std::string text;
    if (!ReadTextFile(file, text)) return name + ": the result file cannot be opened";
    FreeFormatReader reader(name, std::move(text));

    ResultHeader read;
    for (int n = 0; n < HeaderValueCount; ++n) {
        const auto which = static_cast<HeaderValue>(n);
        const std::string_view field = reader.NextField();
        if (field.empty()) {
            return name + ": the header ends before " + ValueNames[n] +
                   (n == 0 ? std::string(" (the file is empty)")
                           : " (after line " + std::to_string(reader.FieldLine()) + ")");
        }
        // A value written as asterisks stays unknown.
        double value = std::numeric_limits<double>::quiet_NaN();
        const bool needed = which == HeaderValue::PatientPosition || which == HeaderValue::Fsd;
        if (ParseNumberField(field, value)) {
            read.labels[n] = HeaderLabel(which, value);
        } else if (IsOverflowField(field) && !needed) {
            read.labels[n] = std::string(field);
        } else {
            return reader.Where() + ": \"" + std::string(field) + "\" is not a number (" + ValueNames[n] +
                   ")";
        }
        if (which == HeaderValue::PatientPosition) read.patientPosition = PatientPositionOfCode(value);
        if (which == HeaderValue::Fsd) read.fsd = value;
        if (which == HeaderValue::TubeVoltage) read.tubeVoltage = value;
        if (which == HeaderValue::TubeCurrent) read.tubeCurrent = value;
    }
    header = std::move(read);
    return {};
}

} // namespace brisca
