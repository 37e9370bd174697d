#include "logic/start/StartChecks.h"

#include <cmath>
#include <utility>

#include "logic/start/RunChoices.h"
#include "logic/text/NumberText.h"

namespace brisca {

namespace {

// Run time in the unit a reader takes in at once: hours, days, then years.
std::string RunTimeText(double seconds)
{
    const double hours = seconds / 3600.0;
    if (hours < 48.0) return PlainNumberText(std::round(hours)) + " 時間";
    const double days = hours / 24.0;
    if (days < 365.0) return PlainNumberText(std::round(days)) + " 日";
    return PlainNumberText(std::round(days / 365.0)) + " 年";
}

// Labels of the number boxes in messages.
constexpr const char* FsdLabel = "FSD（焦点-入射表面間距離）";
constexpr const char* FieldLongLabel = "照射野サイズ（長軸）";
constexpr const char* FieldShortLabel = "照射野サイズ（短軸）";

} // namespace

Problem NotANumberProblem(const std::string& label, const std::string& text)
{
    return PlainProblem(" " + label + " の「" + text +
                        "」は数値として読めません。数字だけで入力して下さい（小数は 2.5 "
                        "のように半角のピリオドで書きます） ");
}

Expected<double> ReadEntryNumber(const std::string& label, const std::string& text)
{
    // An empty box keeps its own meaning (0).
    if (text.empty()) return 0.0;
    if (!ReadsAsNumber(text)) return NotANumberProblem(label, text);
    const double value = LeadingNumber(text);
    // No file can carry a number beyond the range, and the later steps would turn it into a
    // limit, a zero or a non-number without a word.
    if (!std::isfinite(value))
        return PlainProblem(" " + label + " の「" + text + "」は桁が大きすぎて扱えません ");
    return value;
}

Expected<CalculationConditions> ReadCalculationEntries(const CalculationEntries& entries)
{
    CalculationConditions conditions;
    const std::pair<const char*, std::pair<const std::string*, double*>> boxes[] = {
        {FsdLabel, {&entries.fsdCm, &conditions.fsdCm}},
        {FieldLongLabel, {&entries.fieldLongCm, &conditions.fieldLongCm}},
        {FieldShortLabel, {&entries.fieldShortCm, &conditions.fieldShortCm}},
        {"Ｘ線管電圧", {&entries.tubeVoltageKv, &conditions.tubeVoltageKv}},
        {"ターゲット角度", {&entries.targetAngleDegrees, &conditions.targetAngleDegrees}},
        {"固有ろ過（Al 当量）", {&entries.inherentFiltrationMmAl, &conditions.inherentFiltrationMmAl}},
        {"アルミ付加フィルタ", {&entries.addedAluminiumMm, &conditions.addedAluminiumMm}},
        {"銅付加フィルタ", {&entries.addedCopperMm, &conditions.addedCopperMm}},
        {"管電流", {&entries.meanTubeCurrentMa, &conditions.meanTubeCurrentMa}},
        {"入射光子数（ヒストリー）", {&entries.histories, &conditions.histories}},
    };
    for (const auto& [label, box] : boxes) {
        const Expected<double> value = ReadEntryNumber(label, *box.first);
        if (!value) return value.Failure();
        *box.second = *value;
    }
    conditions.resultName = entries.resultName;
    conditions.rectifier = entries.rectifier;
    conditions.position = entries.position;
    return conditions;
}

StartCheck CheckCalculationEntries(const CalculationEntries& entries)
{
    const Expected<CalculationConditions> read = ReadCalculationEntries(entries);
    if (!read) return {read, {}};
    const CalculationConditions& c = *read;
    if (c.histories < MinimumHistories) return {PlainProblem(HistoriesWarning), MinimumHistoriesText};
    if (c.histories > MaximumHistories) return {PlainProblem(TooManyHistoriesWarning), {}};
    if (c.fieldLongCm > 30.0 || c.fieldShortCm > 30.0) return {PlainProblem(FieldSizeWarning), {}};
    // The job file writes these with one decimal: a value that it writes as 0.0 leaves the
    // beam no distance or area, and the engine would refuse it only after the start.
    const std::pair<const char*, double> lengths[] = {
        {FsdLabel, c.fsdCm},
        {FieldLongLabel, c.fieldLongCm},
        {FieldShortLabel, c.fieldShortCm},
    };
    for (const auto& [label, value] : lengths) {
        if (!(value >= SmallestLengthCm))
            return {PlainProblem(std::string(" ") + label + " は 0.1 cm 以上にして下さい "), {}};
    }
    if (c.meanTubeCurrentMa < 0.0) return {PlainProblem(" 管電流は 0 以上にして下さい "), {}};
    if (std::optional<Problem> name = CheckResultName(c.resultName)) return {std::move(*name), {}};
    CalculationConditions conditions = c;
    if (std::optional<Problem> choice = ReadRunChoices(entries, conditions)) return {std::move(*choice), {}};
    return {std::move(conditions), {}};
}

std::string LongRunQuestion(double histories)
{
    if (!(histories > ConfirmedHistories)) return {};
    return " 入射光子数 " + FormatNumber(histories, "0.000E+00") + " の計算には、1 コアで約 " +
           RunTimeText(histories / HistoriesPerSecond) + "かかります。計算を始めますか？ ";
}

} // namespace brisca
