#pragma once

#include "records/file_names.h"

#include "refiner/grids.h"

#include <string>

namespace refiner {

// Records of the refined grid file: per height 601 kerma records, then 601 dose records.
inline constexpr int kFineRecords = kHeights * 2 * kFineBeam;

// Appends one "(381E11.4)" record and its CR LF line end to out.
void AppendFineRecord(std::string& out, const std::array<float, kFineLateral>& values);

// Writes both fine grids to the named file, heights in file order, kerma before dose at
// each height. The file appears complete or not at all; throws RunError on failure.
void WriteFineFile(const std::string& fileName, const FineResult& fine);

} // namespace refiner
