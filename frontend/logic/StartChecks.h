#pragma once

#include <optional>
#include <string>

#include "logic/CalculationEntries.h"

namespace brisca {

// Warning of the histories check.
inline constexpr const char* HistoriesWarning = "ヒストリー数は少なくても１億個以上が必要です。";
// Warning of the field-size check.
inline constexpr const char* FieldSizeWarning = " 照射野（透視時）は 30×30 以下に設定して下さい ";
// Warning of the result-name check.
inline constexpr const char* ResultNameWarning = " 結果保存ファイル名を入力して下さい ";
// Fewest histories a calculation may use.
inline constexpr double MinimumHistories = 100000000.0;
// Text the histories box takes when the check fails.
inline constexpr const char* MinimumHistoriesText = "100000000";

// Outcome of the three checks that open a calculation start.
struct StartCheck {
    std::string Warning;                           // the first failed check's message; empty if all pass
    std::optional<std::string> correctedHistories; // histories text to show after a failed check
};

// Histories (at least 100000000; the box is then reset), field size (neither side above
// 30 cm) and result name (not empty), in this order; the first failure stops.
StartCheck CheckCalculationEntries(const CalculationEntries& entries);

} // namespace brisca
