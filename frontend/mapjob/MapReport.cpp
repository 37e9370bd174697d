#include "mapjob/MapReport.h"

#include <filesystem>
#include <ostream>

#include "mapjob/MapCommand.h"
#include "report/ReportPdf.h"
#include "report/ResultFacts.h"

namespace brisca {

int WriteMapReport(const MapOptions& options, const ResultHeader& header, const ProcessedResult& processed,
    const Thresholds& thresholds, const RoomLayout* layout, const std::vector<EvaluationPoint>& points,
    std::ostream& out, std::ostream& errors)
{
    DataTables tables;
    const std::string tablesProblem = ReadDataTables(".", tables);
    if (!tablesProblem.empty())
        errors << "注意: 付属の表を読めないため、報告書に線質は載りません [warning: no beam quality in the "
                  "report: "
               << tablesProblem << "]\n";
    ReportInputs inputs;
    if (const std::string error =
            GatherResultFacts(options.result, header, tablesProblem.empty() ? &tables : nullptr, inputs);
        !error.empty()) {
        errors << error << "\n";
        return MapExitFile;
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
    if (const std::string refusal = EvaluateReportDoses(inputs, processed.doseGrid); !refusal.empty()) {
        errors << inputs.resultName << ": " << refusal << "\n";
        return MapExitRefused;
    }
    if (const std::string error = WriteReportPdf(options.out, inputs); !error.empty()) {
        errors << error << " [" << options.out << ": cannot be written]\n";
        return MapExitFile;
    }
    out << options.out << " を書き込みました [" << options.out << " written]\n";
    return 0;
}

} // namespace brisca
