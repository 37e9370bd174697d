#pragma once

#include <iosfwd>
#include <string>

#include "logic/start/CalculationEntries.h"
#include "logic/start/DataTables.h"

namespace brisca {

// The line that says the inherent filtration was raised to `millimetres` (text as the box
// takes it), in both languages.
std::string InherentFiltrationLine(const std::string& millimetres);

// The beam of `entries` without a job, read as the spectrum view reads them: the corrected
// entries and the figures on `console`, one line each (the voltage used instead of the one
// entered, and why the output figures are missing, if they are, on `errors`), then the spectrum CSV written whole to `csvPath`. Returns the exit
// status: done, refused (entries that give no spectrum; nothing written) or a file error.
int RunSpectrumOnly(const CalculationEntries& entries, const DataTables& tables, const std::string& csvPath,
    std::ostream& console, std::ostream& errors);

} // namespace brisca
