#pragma once

#include <string>
#include <vector>

#include "logic/start/BeamQuality.h"
#include "logic/text/Language.h"

namespace brisca {

// One figure of a beam as the spectrum view, its picture, its CSV and brisca-job show it.
struct BeamFigure {
    std::string label;   // what the figure is, in Japanese, with its symbol
    std::string value;   // the number, or "—" when it cannot be given
    std::string unit;    // its unit; empty for a ratio
    std::string english; // the label in English, for the English interface
};

// The caption of a waveform on the main window: "定電圧", "三相12ピーク" or "単相全波"; in
// English, short enough for the spectrum plot's conditions line.
std::string WaveformName(Rectifier rectifier, Language language = Language::Japanese);

// The conditions the spectrum was computed for (after the voltage and filtration limits),
// one line each: voltage, waveform, target angle and the three filtrations.
std::vector<std::string> BeamConditionLines(const BeamQuality& beam);

// The figures of a beam in the order shown: half-value layers, homogeneity coefficient, the
// two mean energies, air kerma per mAs at 100 cm and at the FSD, kerma ratio and the tube
// output the job file carries.
std::vector<BeamFigure> BeamFigures(const BeamQuality& beam);

// A figure as one line: label, value and unit.
std::string BeamFigureLine(const BeamFigure& figure);

// The spectrum as CSV: the UTF-8 byte-order mark, "# " comment lines with the conditions and the figures, a header row,
// then one row per 0.5 keV slot: energy (keV), relative photon fluence written as
// B_SPCTL.dat writes it, and photons per mm² per mAs at 100 cm. Lines end with CR LF.
std::string SpectrumCsvText(const BeamQuality& beam);

// The file name the save dialogs propose: "spectrum_<voltage>kV" followed by `extension`.
std::string SpectrumExportName(const BeamQuality& beam, const std::string& extension);

} // namespace brisca
