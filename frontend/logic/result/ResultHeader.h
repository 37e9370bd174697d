#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "logic/PatientPosition.h"
#include "logic/problem/Problem.h"

namespace brisca {

// The twelve header values of a result file, in their order in the file.
enum class HeaderValue {
    PatientPosition,    // 1 supine (vertical beam), anything else standing (horizontal beam)
    FreeAirKermaRate,   // free-in-air air kerma rate at the FSD, mean, Gy/min
    Fsd,                // focus-to-skin distance, cm
    FieldFirst,         // field size at the FSD, first side, cm
    FieldSecond,        // field size at the FSD, second side, cm
    TubeVoltage,        // kV
    TubeCurrent,        // mA
    TargetAngle,        // degrees
    InherentFiltration, // mm aluminium equivalent
    AddedAl,            // added aluminium filter, mm
    AddedCu,            // added copper filter, mm
    Histories           // number of incident photon histories
};

// Number of header values.
inline constexpr int HeaderValueCount = 12;

// Position caption for a supine result (code 1): "supine, vertical irradiation".
inline constexpr const char* SupineText = "臥位（垂直照射）";
// Position caption for every other code: "standing, horizontal irradiation".
inline constexpr const char* StandingText = "立位（水平照射）";

// What the result window shows of a result file's header.
struct ResultHeader {
    PatientPosition patientPosition = PatientPosition::Standing; // first value, for the phantom symbol
    double fsd = 0.0;                                            // third value, kept for the tube symbol
    double tubeVoltage = 0.0;                                    // kV, kept for the shielding transmissions
    double tubeCurrent = 0.0; // mA, kept to scale rates to a workload; NaN as asterisks
    std::array<std::string, HeaderValueCount> labels; // caption texts, indexed by HeaderValue
};

// Caption text of one header value: the position in words, the free-air kerma rate as
// "0.000E+00", the histories as "#.0E+00", every other value as plain number text.
std::string HeaderLabel(HeaderValue which, double value);

// Reads the twelve header values of the result file `file` free-format. An engine writes a
// value too wide for its fixed field as asterisks (a tube current of 10 mA or more); such a
// value is shown as written, except in the position and the FSD, which the map needs. A
// problem names the file, the line and the value that could not be read.
Expected<ResultHeader> ReadResultHeader(const std::filesystem::path& file);

} // namespace brisca
