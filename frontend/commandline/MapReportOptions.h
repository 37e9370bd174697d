#pragma once

#include <optional>
#include <string>

#include "commandline/MapOptions.h"
#include "logic/problem/Problem.h"

namespace brisca {

// brisca-map's command line when --out names a PDF report: the maps of all three heights, so
// --quantity is optional (the effective dose by default, the quantity of the points' doses) and
// --height only chooses the plane drawn over a room (the phantom-centre height by default).

// What is wrong with a report's command line, or nothing: a result file is required; --both-sides
// and --points need --room; --points needs --workload, the report judging each point; --workload
// and --weeks go with --points.
std::optional<Problem> ReportOptionsProblem(const MapOptions& options);

// The --help lines of the report.
std::string MapReportHelp();

} // namespace brisca
