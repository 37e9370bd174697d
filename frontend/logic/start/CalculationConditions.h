#pragma once

#include <string>

#include "logic/PatientPosition.h"

namespace brisca {

// High-voltage waveform of the X-ray generator, numbered as the columns of the tube output
// table and the rows of the reference filtrations.
enum class Rectifier {
    ConstantPotential = 1, // "定電圧"
    ThreePhase12Peak = 2,  // "三相12ピーク"
    SinglePhase = 3,       // "単相全波"
};

// The conditions of one calculation as numbers, read once from the entries by the checks
// that open a calculation start; the spectrum, the tube output and the job file work from
// these. Every number is finite; the defaults are those the window shows after start-up.
struct CalculationConditions {
    double tubeVoltageKv = 80.0;                        // peak tube voltage, kV
    double targetAngleDegrees = 12.0;                   // target angle, degrees
    double inherentFiltrationMmAl = 2.5;                // inherent filtration, mm Al equivalent
    double addedAluminiumMm = 1.5;                      // added aluminium filter, mm
    double addedCopperMm = 0.0;                         // added copper filter, mm
    double meanTubeCurrentMa = 1.0;                     // mean tube current, mA
    double fsdCm = 90.0;                                // focus-to-entrance-surface distance, cm
    double fieldLongCm = 20.0;                          // field size at the FSD along the long axis, cm
    double fieldShortCm = 20.0;                         // field size at the FSD along the short axis, cm
    double histories = 500000000.0;                     // number of incident photons
    std::string resultName;                             // result name without its extension
    int cores = 1;                                      // cores the engine may use; 1: the single stream
    double precisionPercent = 0.0;                      // stop once this precise, percent; 0: no stop
    Rectifier rectifier = Rectifier::ConstantPotential; // generator waveform
    PatientPosition position = PatientPosition::Supine; // engine to start
};

} // namespace brisca
