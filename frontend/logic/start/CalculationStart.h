#pragma once

#include "records/file_names.h"

#include <optional>
#include <string>

#include "logic/problem/Problem.h"
#include "logic/start/CalculationEntries.h"
#include "logic/start/DataTables.h"
#include "logic/start/JobFile.h"
#include "logic/start/XraySpectrum.h"

namespace brisca {

// Texts the window puts back into its boxes after a calculation start, whether it goes on
// or stops.
struct EntryCorrections {
    std::optional<std::string> histories;              // histories text after a failed check
    std::optional<std::string> tubeVoltageKv;          // voltage text after the limits
    std::optional<std::string> inherentFiltrationMmAl; // inherent filtration text after the limit
    std::optional<Problem> tubeVoltageNotice;          // the voltage used instead; none: as entered
};

// Everything a calculation start produces before it writes a file: the values for the
// shared state and the contents of both files.
struct PreparedCalculation {
    std::optional<Problem> question;  // what to confirm before any file is written; none: nothing
    CalculationConditions conditions; // the conditions after the spectrum's limits
    XraySpectrum spectrum;            // spectrum arrays and kermaRatio
    JobValues job;                    // job values, tubeOutput included
    std::string spectrumFile;         // contents of B_SPCTL.dat
    std::string jobFile;              // contents of B2F.txt
    std::string engineProgram;        // "mcsupine" or "mcstand", without extension
};

// A calculation start up to its files, or why it stops.
struct StartPreparation {
    EntryCorrections corrections;              // reported even when the start stops
    Expected<PreparedCalculation> calculation; // the files to write, or the first failure
};

// The calculation start up to the files: the entry checks (which read the entries as numbers
// once), the spectrum, the tube output and the job values, in that order; the first failure
// stops it and nothing after it is computed. The file texts are complete and free of
// non-finite numbers; a very long run also carries the question the user must confirm first.
StartPreparation PrepareCalculation(const CalculationEntries& entries, const DataTables& tables);

// The engine program for a patient position.
std::string EngineProgramFor(PatientPosition position);

// Writes B_SPCTL.dat, then B2F.txt, into the working directory, each under a temporary name
// first, so an engine starting meanwhile never reads half a file. Stops at the first failure.
std::optional<Problem> WriteCalculationFiles(const PreparedCalculation& prepared);

} // namespace brisca
