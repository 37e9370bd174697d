#pragma once

#include "records/result_layout.h"
#include "refiner/grids.h"

#include <string>
#include <string_view>

namespace refiner {

// Records of a result file.
inline constexpr int kResultRecords = records::result_layout::kRecords;
// Width of one "E11.4" field.
inline constexpr int kFieldWidth = records::result_layout::kRate.width;
// Decimals of one "E11.4" field.
inline constexpr int kFieldDecimals = records::result_layout::kRate.decimals;
// Largest rate accepted, Gy/min or Sv/min.
inline constexpr float kLargestRate = records::result_layout::kLargestRate;

// Reads one "(41E11.4)" grid row. Throws FieldError when a field is malformed or out of
// range, or the record is too short to hold all 41 fields.
void ReadGridRow(std::string_view record, std::array<float, kCoarseLateral>& row);

// Reads both coarse grids of the named result file; the header and label records are
// skipped unread. Throws RunError naming the file and the record on any fault.
void ReadResultFile(const std::string& fileName, CoarseResult& result);

// The same for the text of a result file already read; fileName names it in messages.
void ReadResultText(const std::string& fileName, std::string text, CoarseResult& result);

} // namespace refiner
