#pragma once

#include <string>
#include <vector>

#include "logic/start/CalculationEntries.h"

namespace brisca {

// What the command line of brisca-job asks for.
struct JobOptions {
    CalculationEntries entries; // the main window's entries, defaults where not given
    bool nameGiven = false;     // --name was given; otherwise the dated default applies
    bool run = false;           // start the engine after writing the files and wait for it
    bool yes = false;           // go on with a very long run without being asked
    bool help = false;          // show the option list and do nothing else
    bool spectrumOnly = false;  // print the beam's figures and write its spectrum CSV, no job files
    std::string out;            // the CSV file of --spectrum-only (spectrum.csv unless --out names one)
    std::string threads;        // --threads N for the engine (0..4096, 0 every core); empty: not given
    std::string warning;        // a refused tube current (the window's own message)
    std::string usageError;     // a malformed command line; empty when it was understood
};

// Reads the options (arguments after the program name). Values are taken as texts,
// exactly as if typed into the window's boxes; only the choices (waveform, position) and
// the field size's "LxS" form are checked here.
JobOptions ParseJobOptions(const std::vector<std::string>& arguments);

// The --help text: every option with its default.
std::string JobOptionsHelp();

} // namespace brisca
