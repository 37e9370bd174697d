#include "logic/start/StartChecks.h"

#include <cmath>
#include <utility>

#include "logic/start/RunChoices.h"
#include "logic/text/Language.h"
#include "logic/text/NumberText.h"

namespace brisca {

namespace {

// Run time in the unit a reader takes in at once: hours, days, then years.
std::string RunTimeText(double seconds, Language language)
{
    const bool english = language == Language::English;
    const double hours = seconds / 3600.0;
    if (hours < 48.0) return PlainNumberText(std::round(hours)) + (english ? " hours" : " 時間");
    const double days = hours / 24.0;
    if (days < 365.0) return PlainNumberText(std::round(days)) + (english ? " days" : " 日");
    return PlainNumberText(std::round(days / 365.0)) + (english ? " years" : " 年");
}

// Labels of the number boxes in messages.
constexpr BilingualLabel FsdLabel{"FSD（焦点-入射表面間距離）", "FSD (focus to entrance surface)"};
constexpr BilingualLabel FieldLongLabel{"照射野サイズ（長軸）", "field size (long axis)"};
constexpr BilingualLabel FieldShortLabel{"照射野サイズ（短軸）", "field size (short axis)"};

} // namespace

Problem NotANumberProblem(const BilingualLabel& label, const std::string& text)
{
    return TranslatedProblem(std::string(" ") + label.japanese + " の「" + text +
                                 "」は数値として読めません。数字だけで入力して下さい（小数は 2.5 "
                                 "のように半角のピリオドで書きます） ",
        std::string("The ") + label.english + " \"" + text +
            "\" is not a number. Enter digits only, with a full stop for decimals (2.5).");
}

Expected<double> ReadEntryNumber(const BilingualLabel& label, const std::string& text)
{
    // An empty box keeps its own meaning (0).
    if (text.empty()) return 0.0;
    if (!ReadsAsNumber(text)) return NotANumberProblem(label, text);
    const double value = LeadingNumber(text);
    // No file can carry a number beyond the range, and the later steps would turn it into a
    // limit, a zero or a non-number without a word.
    if (!std::isfinite(value))
        return TranslatedProblem(
            std::string(" ") + label.japanese + " の「" + text + "」は桁が大きすぎて扱えません ",
            std::string("The ") + label.english + " \"" + text + "\" is too large to handle.");
    return value;
}

Expected<CalculationConditions> ReadCalculationEntries(const CalculationEntries& entries)
{
    CalculationConditions conditions;
    const std::pair<BilingualLabel, std::pair<const std::string*, double*>> boxes[] = {
        {FsdLabel, {&entries.fsdCm, &conditions.fsdCm}},
        {FieldLongLabel, {&entries.fieldLongCm, &conditions.fieldLongCm}},
        {FieldShortLabel, {&entries.fieldShortCm, &conditions.fieldShortCm}},
        {{"Ｘ線管電圧", "tube voltage"}, {&entries.tubeVoltageKv, &conditions.tubeVoltageKv}},
        {{"ターゲット角度", "target angle"}, {&entries.targetAngleDegrees, &conditions.targetAngleDegrees}},
        {{"固有ろ過（Al 当量）", "inherent filtration (Al equivalent)"},
            {&entries.inherentFiltrationMmAl, &conditions.inherentFiltrationMmAl}},
        {{"アルミ付加フィルタ", "added aluminium filter"},
            {&entries.addedAluminiumMm, &conditions.addedAluminiumMm}},
        {{"銅付加フィルタ", "added copper filter"}, {&entries.addedCopperMm, &conditions.addedCopperMm}},
        {{"管電流", "tube current"}, {&entries.meanTubeCurrentMa, &conditions.meanTubeCurrentMa}},
        {{"入射光子数（ヒストリー）", "number of incident photons (histories)"},
            {&entries.histories, &conditions.histories}},
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
    if (c.histories < MinimumHistories)
        return {TranslatedProblem(HistoriesWarning, HistoriesWarningEnglish), MinimumHistoriesText};
    if (c.histories > MaximumHistories)
        return {TranslatedProblem(TooManyHistoriesWarning, TooManyHistoriesWarningEnglish), {}};
    if (c.fieldLongCm > 30.0 || c.fieldShortCm > 30.0)
        return {TranslatedProblem(FieldSizeWarning, FieldSizeWarningEnglish), {}};
    // The job file writes these with one decimal: a value that it writes as 0.0 leaves the
    // beam no distance or area, and the engine would refuse it only after the start.
    const std::pair<BilingualLabel, double> lengths[] = {
        {FsdLabel, c.fsdCm},
        {FieldLongLabel, c.fieldLongCm},
        {FieldShortLabel, c.fieldShortCm},
    };
    for (const auto& [label, value] : lengths) {
        if (!(value >= SmallestLengthCm))
            return {TranslatedProblem(std::string(" ") + label.japanese + " は 0.1 cm 以上にして下さい ",
                        std::string("The ") + label.english + " must be at least 0.1 cm."),
                {}};
    }
    if (c.meanTubeCurrentMa < 0.0)
        return {
            TranslatedProblem(" 管電流は 0 以上にして下さい ", "The tube current must not be negative."), {}};
    if (std::optional<Problem> name = CheckResultName(c.resultName)) return {std::move(*name), {}};
    CalculationConditions conditions = c;
    if (std::optional<Problem> choice = ReadRunChoices(entries, conditions)) return {std::move(*choice), {}};
    return {std::move(conditions), {}};
}

std::optional<Problem> LongRunQuestion(double histories)
{
    if (!(histories > ConfirmedHistories)) return {};
    const std::string count = FormatNumber(histories, "0.000E+00");
    const double seconds = histories / HistoriesPerSecond;
    return TranslatedProblem(" 入射光子数 " + count + " の計算には、1 コアで約 " +
                                 RunTimeText(seconds, Language::Japanese) + "かかります。計算を始めますか？ ",
        "A calculation of " + count + " incident photons takes about " +
            RunTimeText(seconds, Language::English) + " on one core. Start the calculation?");
}

} // namespace brisca
