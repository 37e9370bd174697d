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
    if (!check.warning.empty()) {
        prepared.warning = check.warning;
        return prepared;
    }

    prepared.spectrum = ComputeXraySpectrum(entries, tables);
    prepared.correctedTubeVoltage = prepared.spectrum.correctedTubeVoltage;
    prepared.correctedInherentFiltration = prepared.spectrum.correctedInherentFiltration;
    if (!prepared.spectrum.warning.empty()) {
        prepared.warning = prepared.spectrum.warning;
        return prepared;
    }

    // The tube output reads the voltage box again, after the spectrum has limited it.
    const std::string voltageText = prepared.correctedTubeVoltage.value_or(entries.tubeVoltageKv);
    const TubeOutputResult output = ComputeTubeOutputFor(LeadingNumber(voltageText),
        LeadingNumber(entries.meanTubeCurrentMa), entries.rectifier, prepared.spectrum.kermaRatio, tables);
    if (!output.warning.empty()) {
        prepared.warning = output.warning;
        return prepared;
    }

    prepared.job = ReadJobValues(entries, output.tubeOutput);
    if (const std::string name = NonFiniteJobValue(prepared.job); !name.empty()) {
        prepared.warning = name + " の値が大きすぎて扱えません。";
        return prepared;
    }
    prepared.question = LongRunQuestion(prepared.job.histories);
    prepared.spectrumFile = SpectrumFileText(prepared.spectrum);
    prepared.jobFile = JobFileText(prepared.job);
    prepared.engineProgram = EngineProgramFor(entries.position);
    return prepared;
}

std::string EngineProgramFor(PatientPosition position)
{
    return position == PatientPosition::Supine ? "mcsupine" : "mcstand";
}

std::string WriteCalculationFiles(const PreparedCalculation& prepared)
{
    for (const auto& [name, text] : {std::pair{records::kSpectrumFile, &prepared.spectrumFile},
             std::pair{records::kJobFile, &prepared.jobFile}}) {
        if (std::string error = WriteTextFileAtomically(name, *text); !error.empty()) return error;
    }
    return {};
}

} // namespace brisca
