#include "mapjob/MapReport.h"

#include <filesystem>
#include <ostream>

#include "mapjob/MapCommand.h"
#include "records/exit_status.h"
#include "report/ReportPdf.h"
#include "report/ResultFacts.h"

namespace brisca {

int WriteMapReport(const MapOptions& options, const ResultHeader& header, const ProcessedResult& processed,
    const Thresholds& thresholds, const RoomLayout* layout, const std::vector<EvaluationPoint>& points,
    std::ostream& out, std::ostream& errors)
{
    const Expected<DataTables> tables = ReadDataTables(".");
    if (!tables)
        errors << "注意: 付属の表を読めないため、報告書に線質は載りません [warning: no beam quality in the "
                  "report] "
               << BilingualText(tables.Failure()) << "\n";
    ReportInputs inputs;
    if (std::optional<Problem> problem =
            GatherResultFacts(options.result, header, tables ? &*tables : nullptr, inputs)) {
        errors << BilingualText(*problem) << "\n";
        return records::kExitFile;
    }
    if (inputs.statistics.source == UncertaintySource::Unreadable)
        errors << "注意: " << inputs.statistics.uncertaintyProblem << "\n";
    inputs.quantity = options.quantity;
    inputs.thresholds = thresholds;
    inputs.grid = options.quantity == Quantity::Kerma ? processed.kermaGrid : processed.doseGrid;
    if (layout) {
        ReportRoom room;
        room.layout = *layout;
        room.layoutName = std::filesystem::path(options.room).filename().string();
        room.layer = options.layer;
        room.bothSides = options.bothSides;
        room.points = points;
        if (!options.points.empty())
            room.pointsName = std::filesystem::path(options.points).filename().string();
        if (options.workload) room.workload = Workload{*options.workload, options.weeks};
        inputs.room = std::move(room);
    }
    if (std::optional<Problem> refusal = EvaluateReportDoses(inputs, processed.doseGrid)) {
        if (refusal->file.empty()) refusal->file = inputs.resultName;
        errors << BilingualText(*refusal) << "\n";
        return records::kExitRefused;
    }
    if (std::optional<Problem> problem = WriteReportPdf(options.out, inputs)) {
        errors << BilingualText(*problem) << "\n";
        return records::kExitFile;
    }
    out << options.out << " を書き込みました [" << options.out << " written]\n";
    return records::kExitDone;
}

} // namespace brisca
