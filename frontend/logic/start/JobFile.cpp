#include "logic/start/JobFile.h"

#include <cmath>
#include <cstdio>

#include "logic/text/NumberText.h"

namespace brisca {

JobValues ReadJobValues(const CalculationEntries& entries, double tubeOutput)
{
    JobValues job;
    job.tubeOutput = tubeOutput;
    job.fsd = LeadingNumber(entries.fsdCm);
    job.fieldLong = LeadingNumber(entries.fieldLongCm);
    job.fieldShort = LeadingNumber(entries.fieldShortCm);
    job.histories = LeadingNumber(entries.histories);
    job.resultName = entries.resultName + ResultExtension;
    return job;
}

std::string NonFiniteJobValue(const JobValues& job)
{
    if (!std::isfinite(job.tubeOutput)) return "管出力";
    if (!std::isfinite(job.fsd)) return "FSD";
    if (!std::isfinite(job.fieldLong)) return "照射野サイズ（長軸）";
    if (!std::isfinite(job.fieldShort)) return "照射野サイズ（短軸）";
    if (!std::isfinite(job.histories)) return "入射光子数";
    return {};
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
