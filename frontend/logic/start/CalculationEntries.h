#pragma once

#include <string>

#include "logic/start/CalculationConditions.h"

namespace brisca {

// The conditions of a calculation start as typed into the main window or given to
// brisca-job, before the checks read them as numbers (CalculationConditions); the defaults
// are those the window shows after start-up.
struct CalculationEntries {
    std::string tubeVoltageKv = "80";                   // peak tube voltage, kV
    std::string targetAngleDegrees = "12";              // target angle, degrees
    std::string inherentFiltrationMmAl = "2.5";         // inherent filtration, mm Al equivalent
    std::string addedAluminiumMm = "1.5";               // added aluminium filter, mm
    std::string addedCopperMm = "0";                    // added copper filter, mm
    std::string meanTubeCurrentMa = "1";                // mean tube current, mA
    std::string fsdCm = "90";                           // focus-to-entrance-surface distance, cm
    std::string fieldLongCm = "20";                     // field size along the long axis, cm
    std::string fieldShortCm = "20";                    // field size along the short axis, cm
    std::string histories = "500000000";                // number of incident photons
    std::string resultName;                             // result name without its extension
    std::string cores = "1";                            // cores the engine may use
    std::string precisionPercent;                       // precision to stop at, percent; empty: none
    Rectifier rectifier = Rectifier::ConstantPotential; // generator waveform
    PatientPosition position = PatientPosition::Supine; // engine to start
};

} // namespace brisca
