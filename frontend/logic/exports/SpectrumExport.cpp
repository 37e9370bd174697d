#include "logic/exports/SpectrumExport.h"

#include "logic/text/CsvText.h"
#include "logic/text/NumberText.h"

namespace brisca {

namespace {

// A value in a pattern, or a dash where the figure does not exist.
std::string Shown(bool given, double value, const char* pattern)
{
    return given ? FormatNumber(value, pattern) : "—";
}

} // namespace

std::string WaveformName(Rectifier rectifier, Language language)
{
    const bool english = language == Language::English;
    switch (rectifier) {
    case Rectifier::ThreePhase12Peak:
        return english ? "3-phase 12-pulse" : "三相12ピーク";
    case Rectifier::SinglePhase:
        return english ? "1-phase full-wave" : "単相全波";
    case Rectifier::ConstantPotential:
        break;
    }
    return english ? "constant potential" : "定電圧";
}

std::vector<std::string> BeamConditionLines(const BeamQuality& beam)
{
    if (!beam.conditions) return {};
    const CalculationConditions& c = *beam.conditions;
    return {"Ｘ線管電圧 " + PlainNumberText(c.tubeVoltageKv) + " kV",
        "高電圧整流方式 " + WaveformName(c.rectifier),
        "ターゲット角度 " + PlainNumberText(c.targetAngleDegrees) + " 度",
        "固有ろ過 " + PlainNumberText(c.inherentFiltrationMmAl) + " mmAl",
        "Al 付加フィルタ " + PlainNumberText(c.addedAluminiumMm) + " mm",
        "銅付加フィルタ " + PlainNumberText(c.addedCopperMm) + " mm"};
}

std::vector<BeamFigure> BeamFigures(const BeamQuality& beam)
{
    const bool spectrum = !beam.problem;
    const bool output = spectrum && !beam.outputProblem;
    const bool atFsd = output && beam.kermaPerMasAtFsd > 0.0;
    const double fsdCm = beam.conditions ? beam.conditions->fsdCm : 0.0;
    const std::string fsd = fsdCm > 0.0 ? PlainNumberText(fsdCm) + " cm" : "—";
    const std::string current = beam.conditions ? PlainNumberText(beam.conditions->meanTubeCurrentMa) : "—";
    std::string reference = "Al " + PlainNumberText(beam.referenceAluminiumMm) + " mm";
    if (beam.referenceCopperMm > 0.0) reference += " + Cu " + PlainNumberText(beam.referenceCopperMm) + " mm";
    return {
        {"第1半価層 HVL1", Shown(spectrum, beam.hvl.firstMm, "0.00"), "mm Al", "First half-value layer HVL1"},
        {"第2半価層 HVL2", Shown(spectrum, beam.hvl.secondMm, "0.00"), "mm Al",
            "Second half-value layer HVL2"},
        {"均質係数 HVL1/HVL2", Shown(spectrum, beam.homogeneity, "0.00"), "",
            "Homogeneity coefficient HVL1/HVL2"},
        {"平均エネルギー（光子フルエンス加重）", Shown(spectrum, beam.meanEnergy.fluenceWeightedKeV, "0.0"),
            "keV", "Mean energy (photon fluence weighted)"},
        {"平均エネルギー（空気カーマ加重）", Shown(spectrum, beam.meanEnergy.kermaWeightedKeV, "0.0"), "keV",
            "Mean energy (air kerma weighted)"},
        {"空気カーマ / mAs（空中、100 cm）", Shown(output, beam.kermaPerMasAt100Cm, "0.0"), "µGy/mAs",
            "Air kerma / mAs (free in air, 100 cm)"},
        {"空気カーマ / mAs（空中、FSD " + fsd + "）", Shown(atFsd, beam.kermaPerMasAtFsd, "0.0"), "µGy/mAs",
            "Air kerma / mAs (free in air, FSD " + fsd + ")"},
        {"カーマ比（基準ろ過 " + reference + " に対する）", Shown(spectrum, beam.kermaRatio, "0.0000"), "",
            "Kerma ratio (to the reference filtration " + reference + ")"},
        {"管出力（100 cm、管電流 " + current + " mA）", Shown(output, beam.tubeOutputGyPerMin, "0.000E+00"),
            "Gy/min", "Tube output (100 cm, tube current " + current + " mA)"},
    };
}

std::string BeamFigureLine(const BeamFigure& figure)
{
    return figure.label + " " + figure.value + (figure.unit.empty() ? "" : " " + figure.unit);
}

std::string SpectrumCsvText(const BeamQuality& beam)
{
    std::vector<std::string> comments = BeamConditionLines(beam);
    for (const BeamFigure& figure : BeamFigures(beam)) comments.push_back(BeamFigureLine(figure));
    comments.push_back("0.5 keV ごとの光子数: 最大を 1 とする相対値（B_SPCTL.dat と同じ値）と、"
                       "100 cm での 1 mm² 1 mAs あたりの光子数");
    std::string out(Utf8ByteOrderMark);
    for (const std::string& comment : comments) out += "# " + comment + "\r\n";
    out += "energy_keV,relative_fluence,photons_per_mm2_per_mAs_at_100cm\r\n";
    for (const SpectrumPoint& point : SpectrumPoints(beam)) {
        out += FormatNumber(point.energyKeV, "0.0") + "," + FormatNumber(point.relativeFluence, "0.00000") +
               "," + FormatNumber(point.photonsPerMm2PerMas, "0.0000E+00") + "\r\n";
    }
    return out;
}

std::string SpectrumExportName(const BeamQuality& beam, const std::string& extension)
{
    return "spectrum_" + PlainNumberText(beam.spectrum.conditions.tubeVoltageKv) + "kV" + extension;
}

} // namespace brisca
