#include "commandline/MapReportOptions.h"

namespace brisca {

std::string ReportUsageError(const MapOptions& options)
{
    const bool points = !options.points.empty();
    if (options.result.empty()) return "no result file given";
    if (options.bothSides && options.room.empty()) return "--both-sides needs --room";
    if (points && options.room.empty()) return "--points needs --room, the layout the points are placed in";
    if (points && !options.workload)
        return "--points with a .pdf --out judges each point: --workload is required";
    if ((options.workload || options.weeksGiven) && !points) return "--workload and --weeks go with --points";
    return {};
}

std::string MapReportHelp()
{
    return "       brisca-map RESULT.dsr5 [--quantity kerma|dose] [--height above|center|below]\n"
           "                  [--room FILE.Room [--both-sides] [--points POINTS.csv --workload X [--weeks "
           "N]]]\n"
           "                  [--thresholds auto|t1,...,t11] --out REPORT.pdf\n"
           "                           報告書 (PDF): 条件、3 つの高さの分布図、部屋と評価点の線量、不確かさ\n"
           "                           (a PDF report: conditions, the maps of the three heights, the room\n"
           "                           with the points' doses, the uncertainty; --quantity defaults to "
           "dose,\n"
           "                           --height chooses the plane over the room, center by default)\n";
}

} // namespace brisca
