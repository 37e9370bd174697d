#include "logic/result/ResultHeader.h"

#include <limits>

#include "logic/text/FreeFormatReader.h"
#include "logic/text/NumberText.h"
#include "records/field_error.h"

namespace brisca {

namespace {

// Words for each header value in messages, in English and in Japanese.
constexpr std::array<const char*, HeaderValueCount> ValueNames = {"the patient position code",
    "the free-air kerma rate", "the FSD", "the first field side", "the second field side", "the tube voltage",
    "the tube current", "the target angle", "the inherent filtration", "the added aluminium filter",
    "the added copper filter", "the number of histories"};
constexpr std::array<const char*, HeaderValueCount> ValueNamesJa = {"体位のコード", "空中空気カーマ率", "FSD",
    "照射野の 1 辺目", "照射野の 2 辺目", "管電圧", "管電流", "ターゲット角度", "固有ろ過",
    "アルミ付加フィルタ", "銅付加フィルタ", "入射光子数"};

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

Expected<ResultHeader> ReadResultHeader(const std::filesystem::path& file)
{
    const std::string name = file.filename().string();
    Expected<std::string> text = ReadTextFile(file);
    if (!text) return text.Failure();
    FreeFormatReader reader(name, std::move(*text));

    ResultHeader read;
    for (int n = 0; n < HeaderValueCount; ++n) {
        const auto which = static_cast<HeaderValue>(n);
        const std::string_view field = reader.NextField();
        if (field.empty()) {
            return FileProblem(name, std::string("の見出しが ") + ValueNamesJa[n] + " の前で終わっています",
                "the header ends before " + std::string(ValueNames[n]) +
                    (n == 0 ? std::string(" (the file is empty)")
                            : " (after line " + std::to_string(reader.FieldLine()) + ")"));
        }
        // A value written as asterisks stays unknown.
        double value = std::numeric_limits<double>::quiet_NaN();
        const bool needed = which == HeaderValue::PatientPosition || which == HeaderValue::Fsd;
        if (const std::optional<double> number = ParseNumberField(field)) {
            value = *number;
            read.labels[n] = HeaderLabel(which, value);
        } else if (IsOverflowField(field) && !needed) {
            read.labels[n] = std::string(field);
        } else {
            const std::string shown = records::EchoText(field);
            return reader.ProblemAtField("「" + shown + "」は数値ではありません（" + ValueNamesJa[n] + "）",
                "\"" + shown + "\" is not a number (" + ValueNames[n] + ")");
        }
        if (which == HeaderValue::PatientPosition) read.patientPosition = PatientPositionOfCode(value);
        if (which == HeaderValue::Fsd) read.fsd = value;
        if (which == HeaderValue::TubeVoltage) read.tubeVoltage = value;
        if (which == HeaderValue::TubeCurrent) read.tubeCurrent = value;
    }
    return read;
}

} // namespace brisca
