#pragma once

#include "records/file_names.h"

#include <optional>
#include <string>

#include "logic/start/CalculationEntries.h"
#include "logic/start/DataTables.h"
#include "logic/start/JobFile.h"
#include "logic/start/XraySpectrum.h"

namespace brisca {

// Everything a calculation start produces before it writes a file: the texts the window
// must correct, the values for the shared state and the contents of both files.
struct PreparedCalculation {
    std::string warning;  // why the start stops; empty when it may go on
    std::string question; // what to confirm before any file is written; empty: nothing
    std::optional<std::string> correctedHistories;          // histories text after a failed check
    std::optional<std::string> correctedTubeVoltage;        // voltage text after the limits
    std::optional<std::string> correctedInherentFiltration; // inherent filtration text after the limit
    XraySpectrum spectrum;                                  // spectrum arrays and kermaRatio
    JobValues job;                                          // job values, tubeOutput included
    std::string spectrumFile;                               // contents of B_SPCTL.dat
    std::string jobFile;                                    // contents of B2F.txt
    std::string engineProgram;                              // "mcsupine" or "mcstand", without extension
};

// The calculation start up to the files: the entry checks, the spectrum, the tube output
// and the job values, in that order; the first failure fills warning and nothing after
// it is computed. Corrections of the window's texts are reported even then. Only when
// warning is empty are both file texts complete and free of non-finite numbers; a very
// long run then also carries the question the user must confirm first.
PreparedCalculation PrepareCalculation(const CalculationEntries& entries, const DataTables& tables);

// The engine program for a patient position.
std::string EngineProgramFor(PatientPosition position);

// Writes B_SPCTL.dat, then B2F.txt, of a calculation prepared without warning into the
// working directory, each under a temporary name first, so an engine starting meanwhile
// never reads half a file. Returns an empty text, or the message of the first failure.
std::string WriteCalculationFiles(const PreparedCalculation& prepared);

} // namespace brisca
