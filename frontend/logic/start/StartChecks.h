#pragma once

#include <optional>
#include <string>

#include "logic/problem/Problem.h"
#include "logic/start/CalculationEntries.h"
#include "logic/start/ResultNameCheck.h"
#include "logic/text/Language.h"

namespace brisca {

// Warning of the histories check.
inline constexpr const char* HistoriesWarning = "ヒストリー数は少なくても１億個以上が必要です。";
// Warning of the field-size check.
inline constexpr const char* FieldSizeWarning = " 照射野（透視時）は 30×30 以下に設定して下さい ";
// Warning when the histories exceed what the engine accepts.
inline constexpr const char* TooManyHistoriesWarning = " 入射光子数（ヒストリー）は 1E+15 以下にして下さい ";
// Fewest histories a calculation may use.
inline constexpr double MinimumHistories = 100000000.0;
// Most histories the engine accepts.
inline constexpr double MaximumHistories = 1e15;
// Histories above which the start asks before it goes on (about ten hours on one core).
inline constexpr double ConfirmedHistories = 1e11;
// Histories the engine runs per second on one core, for the run-time estimate.
inline constexpr double HistoriesPerSecond = 2.8e6;
// Smallest FSD or field side that the job file's one decimal does not write as 0.0, cm.
inline constexpr double SmallestLengthCm = 0.05;
// Text the histories box takes when the check fails.
inline constexpr const char* MinimumHistoriesText = "100000000";

// English of the warnings above.
inline constexpr const char* HistoriesWarningEnglish = "A calculation needs at least 100000000 histories.";
inline constexpr const char* FieldSizeWarningEnglish = "The field (fluoroscopy) must be at most 30 × 30 cm.";
inline constexpr const char* TooManyHistoriesWarningEnglish =
    "The number of incident photons (histories) must be at most 1E+15.";

// Outcome of the checks that open a calculation start.
struct StartCheck {
    Expected<CalculationConditions> conditions;    // the entries as numbers, or the first failed check
    std::optional<std::string> correctedHistories; // histories text to show after a failed check
};

// Problem of a number box whose text is not one number, naming the box by its label.
Problem NotANumberProblem(const BilingualLabel& label, const std::string& text);

// One number box, named by its label: an empty box reads as 0; a text that is not one number,
// or one beyond the range of a double, is refused.
Expected<double> ReadEntryNumber(const BilingualLabel& label, const std::string& text);

// The entries as numbers, each box read as ReadEntryNumber reads it, in the order the window
// shows them; the first box that does not read is refused. Nothing else is checked, so the
// spectrum view can show the beam of entries that the start would still refuse.
Expected<CalculationConditions> ReadCalculationEntries(const CalculationEntries& entries);

// In this order, the first failure stops: every box reads as a number (ReadCalculationEntries);
// histories at least 100000000 (the box is then reset) and at most 1E+15; neither field side
// above 30 cm; FSD and both field sides at least 0.05 cm (written as 0.1); the mean tube
// current not negative; a result name the engine can write; the cores and the precision
// (ReadRunChoices).
StartCheck CheckCalculationEntries(const CalculationEntries& entries);

// The question asked before a run of more than 1E+11 histories, with its estimated run
// time on one core; none for fewer.
std::optional<Problem> LongRunQuestion(double histories);

} // namespace brisca
