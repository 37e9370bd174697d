#include "mapjob/MapCommand.h"

#include "records/exit_status.h"

#include <filesystem>
#include <memory>
#include <ostream>

#include "drawing/ResultPicture.h"
#include "logic/exports/GridCsv.h"
#include "logic/files/AtomicWrite.h"
#include "logic/result/ResultHeader.h"
#include "logic/room/DosesCsv.h"
#include "logic/room/GridPlace.h"
#include "logic/room/PointDoses.h"
#include "logic/room/PointsFile.h"
#include "logic/room/RoomFile.h"
#include "logic/text/NumberText.h"
#include "mapjob/MapErrors.h"
#include "mapjob/MapReport.h"
#include "mapjob/RefinedResult.h"

namespace brisca {

namespace {

// The thresholds as the window paints with them: the default legend goes through the
// threshold boxes' text and back, so a map painted with it matches the window's.
Thresholds ThresholdsOf(const MapOptions& options, const ProcessedResult& processed)
{
    if (options.thresholds) return *options.thresholds;
    const Thresholds& scale =
        options.quantity == Quantity::Kerma ? processed.kermaScale : processed.doseScale;
    Thresholds shown{};
    for (int n = 1; n <= 11; ++n) shown[n] = LeadingNumber(PlainNumberText(scale[n]));
    return shown;
}

// The bytes --out gets: the grid (of the rates or their errors) as CSV, or the picture of the
// map or overlay as PNG.
std::string OutputBytes(const MapOptions& options, const ResultHeader& header,
    const ProcessedResult& processed, const ResultErrors& resultErrors, const RoomLayout* layout,
    const std::vector<PointMark>& marks)
{
    const DisplayGrid& grid = options.quantity == Quantity::Kerma ? processed.kermaGrid : processed.doseGrid;
    const std::string name = std::filesystem::path(options.result).filename().string();
    const std::vector<std::string> conditions = ConditionLines(header);
    if (options.csv && options.relativeError) return ErrorGridCsv(options, resultErrors, conditions);
    if (options.csv)
        return GridCsvText(
            grid, options.layer, CsvComments(name, options.quantity, options.layer, conditions));
    const Thresholds thresholds = ThresholdsOf(options, processed);
    const MapShading shading = MapShadingOf(options, resultErrors);
    const QImage view =
        layout ? RenderOverlayView(*layout, grid, options.layer, thresholds, options.bothSides,
                     header.patientPosition, header.fsd, marks, shading)
               : RenderMapView(grid, options.layer, thresholds, header.patientPosition, header.fsd, shading);
    return PngBytes(
        ComposeResultPicture(view, {name, options.quantity, options.layer, thresholds, conditions, shading}));
}

} // namespace

int RunMapCommand(const MapOptions& options, std::ostream& out, std::ostream& errors)
{
    const auto fail = [&errors](const Problem& problem, int status) {
        errors << BilingualText(problem) << "\n";
        return status;
    };
    const Expected<ResultHeader> header = ReadResultHeader(options.result);
    if (!header) return fail(header.Failure(), records::kExitFile);
    const Expected<ProcessedResult> processed = RefineResultInMemory(options.result);
    if (!processed) return fail(processed.Failure(), records::kExitFile);
    RoomLayout layout;
    if (!options.room.empty()) {
        const Expected<RoomLayout> read = ReadRoomFile(options.room);
        if (!read) return fail(read.Failure(), records::kExitFile);
        layout = *read;
    }
    if (!options.room.empty() && RoomBeyondScoredRange(layout))
        errors
            << "注意: 部屋の一部が計算範囲 (軸から横 400 cm、軸方向 ±300 cm) "
               "の外にあり、そこには線量がありません "
               "[warning: part of the room lies beyond the scored range, 400 cm across and ±300 cm along the "
               "bed's axis; it has no dose and is hatched]\n";
    std::vector<EvaluationPoint> points;
    if (!options.points.empty()) {
        Expected<std::vector<EvaluationPoint>> read = ReadPointsFile(options.points);
        if (!read) return fail(read.Failure(), records::kExitFile);
        points = std::move(*read);
    }
    const std::string name = std::filesystem::path(options.result).filename().string();
    const auto resultErrors = std::make_unique<ResultErrors>();
    if (MapNeedsErrors(options))
        if (const int status = ReadMapErrors(options, *resultErrors, errors); status != 0) return status;
    const bool haveErrors = resultErrors->source == UncertaintySource::Read;
    std::vector<PointDose> doses;
    if (options.workload && !options.points.empty()) {
        const ResultExposure exposure{header->tubeVoltage, header->tubeCurrent};
        if (std::optional<Problem> refusal = ExposureRefusal(exposure)) {
            refusal->file = name;
            return fail(*refusal, records::kExitRefused);
        }
        doses = EvaluatePointDoses(points, layout,
            {processed->doseGrid, haveErrors ? &resultErrors->dose : nullptr}, exposure,
            {*options.workload, options.weeks});
    }
    if (options.pdf)
        return WriteMapReport(options, *header, *processed, ThresholdsOf(options, *processed),
            options.room.empty() ? nullptr : &layout, points, out, errors);
    if (processed->noDose && !options.thresholds && !options.csv && !options.relativeError)
        return fail(
            FileProblem(name, "には正の線量率がなく、凡例を決められません。--thresholds を指定して下さい。",
                processed->noDose->english + "; give --thresholds"),
            records::kExitRefused);
    const std::string bytes =
        !options.points.empty() && options.csv
            ? DosesCsvText(points, doses)
            : OutputBytes(options, *header, *processed, *resultErrors,
                  options.room.empty() ? nullptr : &layout, PointMarksOf(points, doses));
    if (bytes.empty())
        return fail(FileProblem(options.out, "の画像を作れません", "the picture cannot be encoded"),
            records::kExitFile);
    if (std::optional<Problem> problem = WriteTextFileAtomically(options.out, bytes))
        return fail(*problem, records::kExitFile);
    out << options.out << " を書き込みました [" << options.out << " written]\n";
    return records::kExitDone;
}

} // namespace brisca
