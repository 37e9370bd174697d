#include "logic/start/JobFile.h"

#include <cmath>
#include <cstdio>

#include "logic/text/NumberText.h"

namespace brisca {

JobValues ReadJobValues(const CalculationEntries& entries, double tubeOutput)
{
    JobValues job;
    job.TubeOutput = tubeOutput;
    job.Fsd = LeadingNumber(entries.fsdCm);
    job.FieldLong = LeadingNumber(entries.fieldLongCm);
    job.FieldShort = LeadingNumber(entries.fieldShortCm);
    job.Histories = LeadingNumber(entries.histories);
    job.ResultName = entries.resultName + ResultExtension;
    return job;
}

std::string NonFiniteJobValue(const JobValues& job)
{
    if (!std::isfinite(job.TubeOutput)) return "管出力";
    if (!std::isfinite(job.Fsd)) return "FSD";
    if (!std::isfinite(job.FieldLong)) return "照射野サイズ（長軸）";
    if (!std::isfinite(job.FieldShort)) return "照射野サイズ（短軸）";
    if (!std::isfinite(job.Histories)) return "入射光子数";
    return {};
}

std::string JobFileText(const JobValues& job)
{
    return FormatNumber(job.TubeOutput, "0.000E+00") + "\r\n" + FormatNumber(job.Fsd, "#00.0") + "\r\n" +
           FormatNumber(job.FieldLong, "#0.0") + "\r\n" + FormatNumber(job.FieldShort, "#0.0") + "\r\n" +
           FormatNumber(job.Histories, "0.000E+00") + "\r\n" + job.ResultName + "\r\n";
}

std::string DefaultResultName(int year, int month, int day, PatientPositionChoice position)
{
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, month, day);
    return std::string(date) + (position == PatientPositionChoice::Supine ? "-臥位" : "-立位");
}

} // namespace brisca
