#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "report/ReportInputs.h"

namespace brisca {

// The words of the report, apart from its drawing: Japanese, with the English of what matters
// in brackets, as the programs' messages are.

// The rows of the title block: what, and its value.
std::vector<std::pair<std::string, std::string>> TitleRows(const ReportInputs& inputs);

// The note under the beam's figures: how they were found and what was assumed, or why there
// are none.
std::string BeamNote(const ReportBeam& beam);

// The statement of the method and its statistical uncertainty, a paragraph each.
std::vector<std::string> MethodParagraphs(const ReportInputs& inputs);

// The workload and the dose and transmission model with their sources, a paragraph each;
// empty without a room that has a workload.
std::vector<std::string> WorkloadParagraphs(const ReportInputs& inputs);

// Columns of the table of the points' doses.
inline constexpr int PointColumnCount = 12;

// Headings of those columns, each the Japanese over its unit or English.
extern const std::array<const char*, PointColumnCount> PointColumnHeadings;

// One point's row of that table: its name, height, occupancy, apron and barrier, then the
// numbers and the status word exactly as the doses file writes them (an empty number as "—"),
// the status with its Japanese above it.
std::array<std::string, PointColumnCount> PointRowTexts(const EvaluationPoint& point, const PointDose& dose);

} // namespace brisca
