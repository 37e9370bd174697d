#pragma once

#include <optional>
#include <string>
#include <vector>

#include "logic/exports/PictureNames.h"
#include "logic/problem/Problem.h"
#include "logic/result/DisplayGrid.h"
#include "logic/room/EvaluationPoint.h"

namespace brisca {

// What the command line of brisca-map asks for.
struct MapOptions {
    std::string result;                  // the result file to refine and show
    Quantity quantity = Quantity::Kerma; // --quantity
    bool relativeError = false;          // --quantity kerma-error|dose-error: the quantity's relative errors
    HeightLayer layer = HeightLayer::Centre; // --height
    std::string room;                        // --room: draw over this layout file; empty: the map
    bool bothSides = false;                  // --both-sides: the overlay on both sides of the bed's axis
    std::optional<Thresholds> thresholds;    // --thresholds t1,…,t11; none: the default legend
    std::optional<double> greyAbovePercent;  // --grey-above P: grey the cells whose error exceeds P %
    std::string points;                      // --points: evaluation points file; empty: none
    std::optional<double> workload;          // --workload: beam-on mA·min per week; none: not given
    double weeks = DefaultWeeksPerYear;      // --weeks: weeks of work per year
    bool weeksGiven = false;                 // --weeks was on the command line
    std::string out;   // --out: a .png picture, a .csv grid (with --points of doses), or a .pdf report
    bool csv = false;  // --out names a .csv file
    bool pdf = false;  // --out names a .pdf report (MapReportOptions.h)
    bool help = false; // show the option list and do nothing else
};

// Reads the options (arguments after the program name); a malformed command line is a
// problem. The result, --quantity, --height and
// --out are required; --out must end in .png or .csv; a room and both sides only go with a
// picture; thresholds are "auto" or eleven numbers separated by commas. With --points (which
// needs --room) and a .csv --out the doses are written: --workload is required and --quantity
// and --height are not; with a .png --out the points are drawn, coloured by their verdict
// when --workload is given. --workload (0 or more) and --weeks (positive) go with --points.
// A .pdf --out asks for a report, whose options ReportOptionsProblem checks. The error
// quantities and --grey-above are checked by ErrorOptionsProblem (MapErrorOptions.h).
Expected<MapOptions> ParseMapOptions(const std::vector<std::string>& arguments);

// The --help text.
std::string MapOptionsHelp();

} // namespace brisca
