#pragma once

#include <optional>
#include <string>
#include <vector>

#include "logic/problem/Problem.h"
#include "logic/start/CalculationEntries.h"

namespace brisca {

// Most cores a run may be given, as the engine takes them.
inline constexpr int MaximumCores = 4096;
// Largest precision that may be asked for, percent.
inline constexpr double LargestPrecisionPercent = 100.0;

// The cores (a whole number from 1 to MaximumCores) and the precision (empty for none, else a
// number above 0 and at most 100) of the entries into `conditions`; the problem of the first
// that does not read.
std::optional<Problem> ReadRunChoices(const CalculationEntries& entries, CalculationConditions& conditions);

// One variable of an engine's environment; an empty value removes it.
struct EnvironmentSetting {
    std::string name;
    std::string value;
};

// How the engine learns the run's choices. One core keeps the single stream unless a
// precision is asked: the precision stop needs the parallel mode, which then runs on one
// thread (and gives the same result as on any other number of threads).
std::vector<EnvironmentSetting> EngineEnvironment(const CalculationConditions& conditions);

} // namespace brisca
