#include "logic/start/JobFile.h"

#include <cstdio>

#include "logic/text/NumberText.h"

namespace brisca {

JobValues JobValuesOf(const CalculationConditions& conditions, double tubeOutput)
{
    return {tubeOutput, conditions.fsdCm, conditions.fieldLongCm, conditions.fieldShortCm,
        conditions.histories, conditions.resultName + ResultExtension};
}

std::string JobFileText(const JobValues& job)
{
    return FormatNumber(job.tubeOutput, "0.000E+00") + "\r\n" + FormatNumber(job.fsd, "#00.0") + "\r\n" +
           FormatNumber(job.fieldLong, "#0.0") + "\r\n" + FormatNumber(job.fieldShort, "#0.0") + "\r\n" +
           FormatNumber(job.histories, "0.000E+00") + "\r\n" + job.resultName + "\r\n";
}

std::string DefaultResultName(int year, int month, int day, PatientPosition position)
{
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, month, day);
    return std::string(date) + (position == PatientPosition::Supine ? "-臥位" : "-立位");
}

} // namespace brisca
