#pragma once

#include "records/file_names.h"

#include <array>
#include <filesystem>
#include <string>

#include "logic/problem/Problem.h"

namespace brisca {

// Number of 0.5 keV energy slots; slot i stands for 0.5·i keV.
inline constexpr int EnergySlots = 300;

// A value per energy slot, indexed 1..300 (index 0 unused).
using SlotTable = std::array<double, EnergySlots + 1>;

// Number of tube voltages in the tube output table.
inline constexpr int OutputRows = 12;

// The front end's data tables, loaded once at start-up. Arrays are indexed as the tables
// are numbered (slot 1..300, column 1..4, row 1..12, waveform 1..3); index 0 is unused.
struct DataTables {
    SlotTable muTarget{}; // tungsten linear attenuation, 1/cm
    SlotTable muAl{};     // aluminium linear attenuation, 1/cm
    SlotTable muCu{};     // copper linear attenuation, 1/cm
    SlotTable muEnAir{};  // energy-absorption coefficient of air
    // OutputTable[1][row]: tube voltage, kV (increasing); OutputTable[r + 1][row]: tube
    // output of waveform r (1 constant potential, 2 three-phase 12-peak, 3 single-phase).
    std::array<std::array<double, OutputRows + 1>, 5> outputTable{};
    std::array<double, 4> refAl{}; // reference aluminium filtration of waveform r, cm
    std::array<double, 4> refCu{}; // reference copper filtration of waveform r, cm
};

// Reads MUs.dat, Air.eac and default-output.op from `folder`. Numbers are free-format
// (separated by commas, blanks or line ends); the energy columns are discarded, the header
// line of default-output.op is skipped and the reference filtrations are turned from mm into
// cm. A problem names the file, the record and what was missing or malformed.
Expected<DataTables> ReadDataTables(const std::filesystem::path& folder);

} // namespace brisca
