#pragma once

#include <optional>
#include <string>
#include <vector>

#include "logic/problem/Problem.h"
#include "logic/start/CalculationEntries.h"

namespace brisca {

// The tube current options as given, from which the mean tube current is formed.
struct TubeCurrentOptions {
    std::optional<std::string> continuousMa; // --ma: continuous fluoroscopy
    std::optional<std::string> pulseMa;      // --pulse-ma: pulsed fluoroscopy, tube current
    std::optional<std::string> pulseRateFps; // --rate: pulsed fluoroscopy, pulse rate
    std::optional<std::string> pulseWidthMs; // --width: pulsed fluoroscopy, pulse width
};

// What the command line of brisca-job asks for.
struct JobOptions {
    CalculationEntries entries; // the main window's entries, defaults where not given
    TubeCurrentOptions current; // the tube current entries; none given: the default mean current
    bool nameGiven = false;     // --name was given; otherwise the dated default applies
    bool run = false;           // start the engine after writing the files and wait for it
    bool yes = false;           // go on with a very long run without being asked
    bool help = false;          // show the option list and do nothing else
    bool spectrumOnly = false;  // print the beam's figures and write its spectrum CSV, no job files
    std::string out;            // the CSV file of --spectrum-only (spectrum.csv unless --out names one)
    std::string threads;        // --threads N for the engine (0..4096, 0 every core); empty: not given
    std::string seed;           // --seed S for the engine (a 64-bit whole number); empty: not given
    std::string precision; // --precision P for the engine (percent, above 0, at most 100); empty: not given
};

// Reads the options (arguments after the program name); a malformed command line is a
// problem. Values are taken as texts, exactly as if typed into the window's boxes; only the
// choices (waveform, position), the field size's "LxS" form and the engine's thread count,
// seed and precision are checked here.
Expected<JobOptions> ParseJobOptions(const std::vector<std::string>& arguments);

// The window's entries of the options, the mean tube current formed as "OK →" forms it from
// --ma or from the pulse entries (refused as it refuses them); with neither, the entries'
// default current.
Expected<CalculationEntries> JobEntries(const JobOptions& options);

// The --help text: every option with its default.
std::string JobOptionsHelp();

} // namespace brisca
