#pragma once

#include <array>
#include <string>
#include <vector>

#include "logic/DisplayGrid.h"
#include "setup/DataTables.h"

namespace brisca {

// The front end's shared state for the whole run; the windows and the module-level
// procedures read and write it directly.
struct Module1 {
    // Data tables loaded at start-up.
    DataTables Tables;

    // Rectification of the high voltage: 1 constant potential, 2 three-phase 12-peak,
    // 3 single-phase full-wave.
    int RectifierType = 1;

    SlotTable Spectrum{};      // filtered photon-number spectrum of the last start
    SlotTable PhaseSpectrum{}; // thick-target intensity of the last waveform phase step
    SlotTable KermaRef{};      // air-kerma weight of each slot behind the reference filtration
    SlotTable KermaUser{};     // air-kerma weight of each slot behind the user's filtration
    double KermaRatio = 0.0;   // air kerma behind the user's over the reference filtration
    std::string SpectrumFile;  // the 307 lines of B_SPCTL.dat for the last spectrum

    double Fsd = 0.0;        // focus-to-entrance-surface distance, cm
    double FieldLong = 0.0;  // field size at the FSD along the long axis, cm
    double FieldShort = 0.0; // field size at the FSD along the short axis, cm
    double Histories = 0.0;  // number of incident photons
    double TubeOutput = 0.0; // free-in-air air kerma rate at 100 cm, per minute

    DisplayGrid KermaGrid;        // air kerma rate, μGy/min
    DisplayGrid DoseGrid;         // effective dose (H1cm) rate, μSv/min
    double KermaMax = 0.0;        // largest air kerma rate over all layers
    double DoseMax = 0.0;         // largest effective dose rate over all layers
    Thresholds KermaScale{};      // default legend thresholds of the air kerma rate
    Thresholds DoseScale{};       // default legend thresholds of the effective dose rate
    double PatientPosition = 0.0; // first header value of the selected result: 1 supine
    int MapDrawn = 0;             // 1 once a map has been drawn
    Thresholds MapThresholds{};   // thresholds the map was last painted with
    int HeightLayer = 2;          // displayed height: 1 above, 2 centre, 3 below
};

// The one shared state of the running program.
Module1& module1();

// Start-up step of the main window: loads the data tables from the working directory; on a
// missing or short table shows one warning naming the file and returns false.
bool LoadDataTables();

// The spectrum of the main window's conditions into the spectrum arrays, KermaRatio and
// SpectrumFile; writes the limited voltage and inherent filtration back into their boxes. An
// arithmetic fault gives a warning that says what is wrong, and false.
bool GenerateSpectrum();

// TubeOutput from the voltage and mean-current boxes, RectifierType and KermaRatio; a voltage
// beyond the tube output table gives a warning and false.
bool ComputeTubeOutput();

} // namespace brisca
