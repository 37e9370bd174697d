#include "logic/start/CalculationStart.h"

#include "logic/files/AtomicWrite.h"
#include "logic/start/StartChecks.h"
#include "logic/start/TubeOutput.h"
#include "logic/text/NumberText.h"

namespace brisca {

PreparedCalculation PrepareCalculation(const CalculationEntries& entries, const DataTables& tables)
{
    PreparedCalculation prepared;
    const StartCheck check = CheckCalculationEntries(entries);
    prepared.correctedHistories = check.correctedHistories;
    if (!check.Warning.empty()) {
        prepared.Warning = check.Warning;
        return prepared;
    }

    prepared.Spectrum = ComputeXraySpectrum(entries, tables);
    prepared.correctedTubeVoltage = prepared.Spectrum.correctedTubeVoltage;
    prepared.correctedInherentFiltration = prepared.Spectrum.correctedInherentFiltration;
    if (!prepared.Spectrum.Warning.empty()) {
        prepared.Warning = prepared.Spectrum.Warning;
        return prepared;
    }

    // The tube output reads the voltage box again, after the spectrum has limited it.
    const std::string voltageText = prepared.correctedTubeVoltage.value_or(entries.tubeVoltageKv);
    const TubeOutputResult output =
        ComputeTubeOutputFor(LeadingNumber(voltageText), LeadingNumber(entries.meanTubeCurrentMa),
            entries.rectifierType, prepared.Spectrum.KermaRatio, tables);
    if (!output.Warning.empty()) {
        prepared.Warning = output.Warning;
        return prepared;
    }

    prepared.Job = ReadJobValues(entries, output.TubeOutput);
    if (const std::string name = NonFiniteJobValue(prepared.Job); !name.empty()) {
        prepared.Warning = name + " の値が大きすぎて扱えません。";
        return prepared;
    }
    prepared.Question = LongRunQuestion(prepared.Job.Histories);
    prepared.SpectrumFile = SpectrumFileText(prepared.Spectrum);
    prepared.JobFile = JobFileText(prepared.Job);
    prepared.EngineProgram = EngineProgramFor(entries.position);
    return prepared;
}

std::string EngineProgramFor(PatientPositionChoice position)
{
    return position == PatientPositionChoice::Supine ? "mcsupine" : "mcstand";
}

std::string WriteCalculationFiles(const PreparedCalculation& prepared)
{
    for (const auto& [name, text] : {std::pair{records::kSpectrumFile, &prepared.SpectrumFile},
             std::pair{records::kJobFile, &prepared.JobFile}}) {
        if (std::string error = WriteTextFileAtomically(name, *text); !error.empty()) return error;
    }
    return {};
}

} // namespace brisca
