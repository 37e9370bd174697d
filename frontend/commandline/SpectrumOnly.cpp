#include "commandline/SpectrumOnly.h"

#include <ostream>

#include "logic/exports/SpectrumExport.h"
#include "logic/files/AtomicWrite.h"
#include "logic/start/BeamQuality.h"

namespace brisca {

SpectrumOnlyOutcome RunSpectrumOnly(const CalculationEntries& entries, const DataTables& tables,
    const std::string& csvPath, std::ostream& console, std::ostream& errors)
{
    const BeamQuality beam = ComputeBeamQuality(entries, tables);
    if (beam.spectrum.correctedTubeVoltage)
        console << "管電圧を " << *beam.spectrum.correctedTubeVoltage << " kV にしました。\n";
    if (beam.spectrum.correctedInherentFiltration)
        console << "固有ろ過を " << *beam.spectrum.correctedInherentFiltration << " mm にしました。\n";
    if (!beam.warning.empty()) {
        errors << beam.warning << "\n";
        return SpectrumOnlyOutcome::Refused;
    }
    for (const std::string& line : BeamConditionLines(beam)) console << line << "\n";
    for (const BeamFigure& figure : BeamFigures(beam)) console << BeamFigureLine(figure) << "\n";
    if (!beam.outputWarning.empty()) errors << beam.outputWarning << "\n";
    if (const std::string error = WriteTextFileAtomically(csvPath, SpectrumCsvText(beam)); !error.empty()) {
        errors << error << "\n";
        return SpectrumOnlyOutcome::FileError;
    }
    console << csvPath << " にスペクトルを書き込みました。\n";
    return SpectrumOnlyOutcome::Done;
}

} // namespace brisca
