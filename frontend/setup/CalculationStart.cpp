#include "setup/CalculationStart.h"

#include "NumberText.h"
#include "setup/StartChecks.h"
#include "setup/TubeOutput.h"

PreparedCalculation PrepareCalculation(const CalculationEntries& entries, const DataTables& tables)
{
    PreparedCalculation prepared;
    const StartCheck check = CheckCalculationEntries(entries);
    prepared.CorrectedText9 = check.CorrectedText9;
    if (!check.Warning.empty()) {
        prepared.Warning = check.Warning;
        return prepared;
    }

    prepared.Spectrum = ComputeXraySpectrum(entries, tables);
    prepared.CorrectedText1 = prepared.Spectrum.CorrectedText1;
    prepared.CorrectedText2 = prepared.Spectrum.CorrectedText2;
    if (!prepared.Spectrum.Warning.empty()) {
        prepared.Warning = prepared.Spectrum.Warning;
        return prepared;
    }

    // The tube output reads the voltage box again, after the spectrum has limited it.
    const std::string voltageText = prepared.CorrectedText1.value_or(entries.Text1);
    const TubeOutputResult output = ComputeTubeOutputFor(
        Val(voltageText), Val(entries.Text8), entries.RectifierType, prepared.Spectrum.KermaRatio, tables);
    if (!output.Warning.empty()) {
        prepared.Warning = output.Warning;
        return prepared;
    }

    prepared.Job = ReadJobValues(entries, output.TubeOutput);
    if (const std::string name = NonFiniteJobValue(prepared.Job); !name.empty()) {
        prepared.Warning = name + " の値が大きすぎて扱えません。";
        return prepared;
    }
    prepared.SpectrumFile = SpectrumFileText(prepared.Spectrum);
    prepared.JobFile = JobFileText(prepared.Job);
    prepared.EngineProgram = EngineProgramFor(entries.Position);
    return prepared;
}

std::string EngineProgramFor(PatientPositionChoice position)
{
    return position == PatientPositionChoice::Supine ? "mcsupine" : "mcstand";
}
