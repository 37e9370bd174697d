#pragma once

#include <iosfwd>
#include <string>

#include "logic/start/CalculationEntries.h"
#include "logic/start/DataTables.h"

namespace brisca {

// How brisca-job --spectrum-only ended.
enum class SpectrumOnlyOutcome {
    Done,      // figures printed and the CSV written
    Refused,   // the conditions give no spectrum (message on `errors`); nothing written
    FileError, // the CSV could not be written (message on `errors`)
};

// The beam of `entries` without a job: the corrected entries and the figures on `console`,
// one line each (why the output figures are missing, if they are, on `errors`), then the
// spectrum CSV written whole to `csvPath`.
SpectrumOnlyOutcome RunSpectrumOnly(const CalculationEntries& entries, const DataTables& tables,
    const std::string& csvPath, std::ostream& console, std::ostream& errors);

} // namespace brisca
