#pragma once

#include <string>

#include "logic/start/CalculationConditions.h"

namespace brisca {

// The values of one engine job.
struct JobValues {
    double tubeOutput = 0.0; // free-in-air air kerma rate at 100 cm, per minute
    double fsd = 0.0;        // focus-to-entrance-surface distance, cm
    double fieldLong = 0.0;  // field size at the FSD along the long axis, cm
    double fieldShort = 0.0; // field size at the FSD along the short axis, cm
    double histories = 0.0;  // number of incident photons
    std::string resultName;  // result file name, with its extension
};

// Extension of a result file.
inline constexpr const char* ResultExtension = ".dsr5";

// The job values of the conditions with a given tube output: FSD, field size and histories,
// and the result name followed by ".dsr5" as typed.
JobValues JobValuesOf(const CalculationConditions& conditions, double tubeOutput);

// The six lines of B2F.txt, each ended by CR LF.
std::string JobFileText(const JobValues& job);

// Default result name: the date as yyyy-MM-dd (a form a file name can hold) followed by
// "-臥位" or "-立位".
std::string DefaultResultName(int year, int month, int day, PatientPosition position);

} // namespace brisca
