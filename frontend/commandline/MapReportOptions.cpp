#include "commandline/MapReportOptions.h"

namespace brisca {

std::optional<Problem> ReportOptionsProblem(const MapOptions& options)
{
    const bool points = !options.points.empty();
    if (options.result.empty())
        return PlainProblem("結果ファイルが指定されていません", "no result file given");
    if (options.bothSides && options.room.empty())
        return PlainProblem("--both-sides には --room が必要です", "--both-sides needs --room");
    if (points && options.room.empty())
        return PlainProblem("--points には点を置くレイアウトの --room が必要です",
            "--points needs --room, the layout the points are placed in");
    if (points && !options.workload)
        return PlainProblem("--points と .pdf の --out は点ごとに判定するので --workload が必要です",
            "--points with a .pdf --out judges each point: --workload is required");
    if ((options.workload || options.weeksGiven) && !points)
        return PlainProblem(
            "--workload と --weeks は --points と一緒に使います", "--workload and --weeks go with --points");
    return std::nullopt;
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
