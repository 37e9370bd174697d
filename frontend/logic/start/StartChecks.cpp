#include "logic/start/StartChecks.h"

#include <cmath>
#include <utility>

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

} // namespace

std::string NotANumberWarning(const std::string& label, const std::string& text)
{
    return " " + label + " の「" + text +
           "」は数値として読めません。数字だけで入力して下さい（小数は 2.5 "
           "のように半角のピリオドで書きます） ";
}

StartCheck CheckCalculationEntries(const CalculationEntries& entries)
{
    StartCheck check;
    // Boxes in the order the window shows them; an empty box keeps its own meaning (0).
    const std::pair<const char*, const std::string*> boxes[] = {
        {"FSD（焦点-入射表面間距離）", &entries.fsdCm},
        {"照射野サイズ（長軸）", &entries.fieldLongCm},
        {"照射野サイズ（短軸）", &entries.fieldShortCm},
        {"Ｘ線管電圧", &entries.tubeVoltageKv},
        {"ターゲット角度", &entries.targetAngleDegrees},
        {"固有ろ過（Al 当量）", &entries.inherentFiltrationMmAl},
        {"アルミ付加フィルタ", &entries.addedAluminiumMm},
        {"銅付加フィルタ", &entries.addedCopperMm},
        {"管電流", &entries.meanTubeCurrentMa},
        {"入射光子数（ヒストリー）", &entries.histories},
    };
    for (const auto& [label, text] : boxes) {
        if (!text->empty() && !ReadsAsNumber(*text)) {
            check.warning = NotANumberWarning(label, *text);
            return check;
        }
    }

    const double histories = LeadingNumber(entries.histories);
    if (histories < MinimumHistories) {
        check.warning = HistoriesWarning;
        check.correctedHistories = MinimumHistoriesText;
        return check;
    }
    if (histories > MaximumHistories) {
        check.warning = TooManyHistoriesWarning;
        return check;
    }
    const double fieldLong = LeadingNumber(entries.fieldLongCm);
    const double fieldShort = LeadingNumber(entries.fieldShortCm);
    if (fieldLong > 30.0 || fieldShort > 30.0) {
        check.warning = FieldSizeWarning;
        return check;
    }
    // The job file writes these with one decimal: a value that it writes as 0.0 leaves the
    // beam no distance or area, and the engine would refuse it only after the start.
    const std::pair<const char*, double> lengths[] = {
        {"FSD（焦点-入射表面間距離）", LeadingNumber(entries.fsdCm)},
        {"照射野サイズ（長軸）", fieldLong},
        {"照射野サイズ（短軸）", fieldShort},
    };
    for (const auto& [label, value] : lengths) {
        if (!(value >= SmallestLengthCm)) {
            check.warning = std::string(" ") + label + " は 0.1 cm 以上にして下さい ";
            return check;
        }
    }
    if (LeadingNumber(entries.meanTubeCurrentMa) < 0.0) {
        check.warning = " 管電流は 0 以上にして下さい ";
        return check;
    }
    check.warning = CheckResultName(entries.resultName);
    return check;
}

std::string LongRunQuestion(double histories)
{
    if (!(histories > ConfirmedHistories)) return {};
    return " 入射光子数 " + FormatNumber(histories, "0.000E+00") + " の計算には、1 コアで約 " +
           RunTimeText(histories / HistoriesPerSecond) + "かかります。計算を始めますか？ ";
}

} // namespace brisca
