#pragma once

#include <array>
#include <string>
#include <vector>

#include "setup/DataTables.h"

namespace brisca {

// One display grid: [layer 0..3][column 0..381][row 0..601]; layers 1..3, columns 1..381 and
// rows 1..601 hold values, every entry with an index 0 holds none (NaN, shown as empty text).
struct DisplayGrid {
    static constexpr int Layers = 3;    // heights: 50 cm above, phantom centre, 50 cm below
    static constexpr int Columns = 381; // 1 cm steps, column c at 20 + c cm lateral
    static constexpr int Rows = 601;    // 1 cm steps, row r at −300 + r cm along the axis
    std::vector<double> values;         // (Layers+1)·(Columns+1)·(Rows+1) entries
    // Empty grid: every entry holds no value.
    DisplayGrid();
    // Entry at layer k, column c, row r (indices as above).
    double& at(int k, int c, int r) { return values[Index(k, c, r)]; }
    // Entry at layer k, column c, row r.
    double at(int k, int c, int r) const { return values[Index(k, c, r)]; }

private:
    static std::size_t Index(int k, int c, int r)
    {
        return (static_cast<std::size_t>(k) * (Columns + 1) + c) * (Rows + 1) + r;
    }
};

// Legend thresholds 1..11, index 0 unused.
using Thresholds = std::array<double, 12>;

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
