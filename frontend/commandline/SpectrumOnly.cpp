#include "commandline/SpectrumOnly.h"

#include "records/exit_status.h"

#include <ostream>

#include "logic/exports/SpectrumExport.h"
#include "logic/files/AtomicWrite.h"
#include "logic/start/BeamQuality.h"
#include "logic/start/StartChecks.h"

namespace brisca {

std::string InherentFiltrationLine(const std::string& millimetres)
{
    return "固有ろ過を " + millimetres + " mm にしました。 [the inherent filtration was raised to " +
           millimetres + " mm]";
}

int RunSpectrumOnly(const CalculationEntries& entries, const DataTables& tables, const std::string& csvPath,
    std::ostream& console, std::ostream& errors)
{
    const Expected<CalculationConditions> conditions = ReadCalculationEntries(entries);
    if (!conditions) {
        errors << BilingualText(conditions.Failure()) << "\n";
        return records::kExitRefused;
    }
    const SpectrumLimits limits = ApplySpectrumLimits(*conditions);
    if (limits.tubeVoltageNotice) errors << BilingualText(*limits.tubeVoltageNotice) << "\n";
    if (limits.correctedInherentFiltration)
        console << InherentFiltrationLine(*limits.correctedInherentFiltration) << "\n";
    const BeamQuality beam = ComputeBeamQuality(limits.conditions, tables);
    if (beam.problem) {
        errors << BilingualText(*beam.problem) << "\n";
        return records::kExitRefused;
    }
    for (const std::string& line : BeamConditionLines(beam)) console << line << "\n";
    for (const BeamFigure& figure : BeamFigures(beam)) console << BeamFigureLine(figure) << "\n";
    if (beam.outputProblem) errors << BilingualText(*beam.outputProblem) << "\n";
    if (const std::optional<Problem> problem = WriteTextFileAtomically(csvPath, SpectrumCsvText(beam))) {
        errors << BilingualText(*problem) << "\n";
        return records::kExitFile;
    }
    console << csvPath << " にスペクトルを書き込みました。 [wrote the spectrum to " << csvPath << "]\n";
    return records::kExitDone;
}

} // namespace brisca
