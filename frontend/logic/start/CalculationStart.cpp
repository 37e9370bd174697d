#include "logic/start/CalculationStart.h"

#include <cmath>

#include "logic/files/AtomicWrite.h"
#include "logic/start/StartChecks.h"
#include "logic/start/TubeOutput.h"

namespace brisca {

StartPreparation PrepareCalculation(const CalculationEntries& entries, const DataTables& tables)
{
    StartCheck check = CheckCalculationEntries(entries);
    EntryCorrections corrections;
    corrections.histories = std::move(check.correctedHistories);
    if (!check.conditions) return {corrections, check.conditions.Failure()};

    const SpectrumLimits limits = ApplySpectrumLimits(*check.conditions);
    corrections.tubeVoltageKv = limits.correctedTubeVoltage;
    corrections.inherentFiltrationMmAl = limits.correctedInherentFiltration;
    corrections.tubeVoltageNotice = limits.tubeVoltageNotice;
    const CalculationConditions& conditions = limits.conditions;
    Expected<XraySpectrum> spectrum = ComputeXraySpectrum(conditions, tables);
    if (!spectrum) return {corrections, spectrum.Failure()};

    // The tube output is looked up at the voltage after the spectrum's limits.
    const Expected<double> output = ComputeTubeOutputFor(conditions.tubeVoltageKv,
        conditions.meanTubeCurrentMa, conditions.rectifier, spectrum->kermaRatio, tables);
    if (!output) return {corrections, output.Failure()};
    // Finite entries can still multiply beyond the range of a number.
    if (!std::isfinite(*output))
        return {corrections, TranslatedProblem("管出力 の値が大きすぎて扱えません。",
                                 "The tube output is too large to handle.")};

    PreparedCalculation prepared;
    prepared.conditions = conditions;
    prepared.spectrum = std::move(*spectrum);
    prepared.job = JobValuesOf(conditions, *output);
    prepared.question = LongRunQuestion(prepared.job.histories);
    prepared.spectrumFile = SpectrumFileText(prepared.spectrum);
    prepared.jobFile = JobFileText(prepared.job);
    prepared.engineProgram = EngineProgramFor(conditions.position);
    return {corrections, std::move(prepared)};
}

std::string EngineProgramFor(PatientPosition position)
{
    return position == PatientPosition::Supine ? "mcsupine" : "mcstand";
}

std::optional<Problem> WriteCalculationFiles(const PreparedCalculation& prepared)
{
    for (const auto& [name, text] : {std::pair{records::kSpectrumFile, &prepared.spectrumFile},
             std::pair{records::kJobFile, &prepared.jobFile}}) {
        if (std::optional<Problem> problem = WriteTextFileAtomically(name, *text)) return problem;
    }
    return std::nullopt;
}

} // namespace brisca
