#include "report/ResultFacts.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>

#include "logic/start/BeamQuality.h"
#include "logic/start/StartChecks.h"
#include "logic/text/FreeFormatReader.h"
#include "records/cells_of_interest.h"
#include "records/field_error.h"
#include "refiner/result_file.h"

namespace brisca {

namespace {

namespace interest = records::cells_of_interest;

// BeamFigures lists the beam's quality first: the two half-value layers, the homogeneity
// coefficient and the two mean energies. The output figures after them hang on the waveform,
// which a result does not record; its header states the output actually used.
constexpr std::size_t QualityFigureCount = 5;

std::string HeaderText(const ResultHeader& header, HeaderValue which)
{
    return header.labels[static_cast<std::size_t>(which)];
}

ReportStatistics StatisticsOf(
    const std::filesystem::path& resultFile, const ResultHeader& header, const refiner::CoarseResult& values)
{
    ReportStatistics statistics;
    statistics.historiesText = HeaderText(header, HeaderValue::Histories);
    const auto errors = std::make_unique<ResultErrors>();
    ReadResultErrors(resultFile, *errors);
    statistics.uncertaintyFileName = std::filesystem::path(errors->fileName).filename().string();
    statistics.source = errors->source;
    if (errors->source == UncertaintySource::Unreadable)
        statistics.uncertaintyProblem = MessageText(*errors->problem);
    if (errors->source != UncertaintySource::Read) return statistics;
    statistics.largestKermaErrorPercent =
        LargestErrorOfInterest(values.kerma[interest::kBlock], errors->coarse.kerma[interest::kBlock]);
    statistics.largestDoseErrorPercent =
        LargestErrorOfInterest(values.dose[interest::kBlock], errors->coarse.dose[interest::kBlock]);
    statistics.doseErrorPercent = std::move(errors->dose);
    return statistics;
}

} // namespace

std::string SoftwareVersionText() { return std::string("Brisca ") + BRISCA_VERSION; }

std::string Sha256Hex(const std::string& bytes)
{
    const QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex().toStdString();
}

ReportBeam BeamOfHeader(const ResultHeader& header, const DataTables* tables)
{
    ReportBeam beam;
    if (!tables) {
        beam.unavailable = "付属の表 (MUs.dat, Air.eac, default-output.op) が見つからないため算出できません "
                           "[not available: the shipped tables are not at hand]";
        return beam;
    }
    CalculationEntries entries;
    entries.tubeVoltageKv = HeaderText(header, HeaderValue::TubeVoltage);
    entries.targetAngleDegrees = HeaderText(header, HeaderValue::TargetAngle);
    entries.inherentFiltrationMmAl = HeaderText(header, HeaderValue::InherentFiltration);
    entries.addedAluminiumMm = HeaderText(header, HeaderValue::AddedAl);
    entries.addedCopperMm = HeaderText(header, HeaderValue::AddedCu);
    entries.meanTubeCurrentMa = HeaderText(header, HeaderValue::TubeCurrent);
    entries.fsdCm = HeaderText(header, HeaderValue::Fsd);
    entries.rectifier = Rectifier::ConstantPotential;
    entries.position = header.patientPosition;
    const Expected<CalculationConditions> conditions = ReadCalculationEntries(entries);
    if (!conditions) {
        beam.unavailable = "算出できません [not available]: " + MessageText(conditions.Failure());
        return beam;
    }
    const BeamQuality quality = ComputeBeamQuality(*conditions, *tables);
    if (quality.problem) {
        beam.unavailable = "算出できません [not available]: " + MessageText(*quality.problem);
        return beam;
    }
    beam.figures = BeamFigures(quality);
    beam.figures.resize(std::min(beam.figures.size(), QualityFigureCount));
    return beam;
}

std::optional<double> LargestErrorOfInterest(
    const refiner::CoarseLayer& values, const records::ErrorLayer& errors)
{
    float largestValue = 0.0f;
    for (const auto& row : values.rows)
        for (const float value : row) largestValue = std::max(largestValue, value);
    if (!(largestValue > 0.0f)) return std::nullopt;
    double largest = 0.0;
    for (int b = interest::kFirstAlong; b <= interest::kLastAlong; ++b) {
        for (int i = interest::kFirstLateral; i <= interest::kLastLateral; ++i) {
            const auto along = static_cast<std::size_t>(b);
            const auto lateral = static_cast<std::size_t>(i);
            if (values.rows[along][lateral] < interest::kShareOfLargest * largestValue) continue;
            const float error = errors.rows[along][lateral];
            if (error == records::uncertainty_layout::kNotScored) return std::nullopt;
            largest = std::max(largest, static_cast<double>(error));
        }
    }
    return largest;
}

std::optional<Problem> GatherResultFacts(const std::filesystem::path& resultFile, const ResultHeader& header,
    const DataTables* tables, ReportInputs& inputs)
{
    const Expected<std::string> read = ReadTextFile(resultFile);
    if (!read) return read.Failure();
    const std::string& bytes = *read;
    const auto values = std::make_unique<refiner::CoarseResult>();
    try {
        refiner::ReadResultText(resultFile.string(), bytes, *values);
    } catch (const std::exception& error) {
        // The refiner's reader already words its message "Japanese [English]" with file and record.
        return PlainProblem(error.what());
    }
    inputs.resultName = resultFile.filename().string();
    inputs.dateText = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm").toStdString();
    inputs.softwareVersion = SoftwareVersionText();
    inputs.fingerprint = Sha256Hex(bytes);
    inputs.header = header;
    inputs.beam = BeamOfHeader(header, tables);
    inputs.statistics = StatisticsOf(resultFile, header, *values);
    return std::nullopt;
}

std::optional<Problem> EvaluateReportDoses(ReportInputs& inputs, const DisplayGrid& doseGrid)
{
    if (!inputs.room) return std::nullopt;
    ReportRoom& room = *inputs.room;
    room.doses.clear();
    if (room.points.empty() || !room.workload) return std::nullopt;
    const ResultExposure exposure{inputs.header.tubeVoltage, inputs.header.tubeCurrent};
    if (std::optional<Problem> refusal = ExposureRefusal(exposure)) return refusal;
    if (std::optional<Problem> refusal = WorkloadRefusal(*room.workload)) return refusal;
    const DisplayGrid* errors =
        inputs.statistics.source == UncertaintySource::Read ? &inputs.statistics.doseErrorPercent : nullptr;
    room.doses = EvaluatePointDoses(room.points, room.layout, {doseGrid, errors}, exposure, *room.workload);
    return std::nullopt;
}

} // namespace brisca
