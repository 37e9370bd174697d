#pragma once

#include <array>
#include <string>
#include <vector>

#include "logic/room/EvaluationPoint.h"
#include "logic/room/PointDoses.h"

namespace brisca {

// The doses at the evaluation points as text: the doses file brisca-map writes and the number
// texts that any table of the doses shows, so both give the same numbers.

// The header row of the doses file.
inline constexpr const char* DosesHeader =
    "name,rate_usv_per_min,rate_error_percent,annual_msv,quarter_msv,limit_msv_per_year,status,extra_lead_mm";

// A dose or rate to four significant digits (0.01234, 1.234e-05); empty for NaN.
std::string DoseNumberText(double value);

// A relative uncertainty in percent to three significant digits; empty for NaN.
std::string ErrorPercentText(double value);

// Lead to add, rounded up to the next 0.01 mm so that it is never too little ("0.00" for
// none); empty for NaN.
std::string ExtraLeadText(double mm);

// Fields of a point's row, in the header's order.
inline constexpr int DosesFieldCount = 8;

// The texts of one point's row: its name, the grid rate as the grid holds it (the shortest
// text that reads back to it), the uncertainty, the annual and quarterly dose, the limit, the
// status word and the extra lead; the numbers a status gives none for are empty.
std::array<std::string, DosesFieldCount> DoseRowTexts(const EvaluationPoint& point, const PointDose& dose);

// The doses file: the UTF-8 byte-order mark, the header, then one row per point in order with its name, the grid rate as
// the grid holds it, the uncertainty, the annual and quarterly dose, the limit, the status word
// and the extra lead; the numbers a status gives none for are empty. Lines end with CR LF.
std::string DosesCsvText(const std::vector<EvaluationPoint>& points, const std::vector<PointDose>& doses);

} // namespace brisca
