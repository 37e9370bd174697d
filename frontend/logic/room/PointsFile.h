#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logic/problem/Problem.h"
#include "logic/room/EvaluationPoint.h"

namespace brisca {

// The evaluation points file: UTF-8 CSV, a header row, then one row per point. A spreadsheet
// can edit it; brisca-map --points and the overlay read the same file. A refusal names the
// file, the line and the field.

// The header row, the columns in their order.
inline constexpr const char* PointsHeader =
    "name,x_cm,y_cm,height,occupancy,apron_mm_pb,barrier,limit_msv_per_year";

// Appends `text` as one CSV field: as it is, or in quotes with each quote doubled when it holds a
// comma, a quote, a line break or blanks at either end.
void AppendCsvText(std::string& out, std::string_view text);

// The file contents of `points`: the UTF-8 byte-order mark, the header, then each point with its height as
// above, center or below, the occupancy as a decimal, the barrier empty, "Pb <mm>" or
// "concrete <mm>", numbers in the shortest text that reads back to the same value; lines end
// with CR LF, a name holding a comma, a quote or blanks at either end is quoted. Refused when
// a point holds what the reader refuses: a line break in its name, a height outside 1..3, an
// occupancy outside (0, 1], a negative apron or barrier, a limit not above 0, a number that
// is not finite.
Expected<std::string> PointsCsvBytes(const std::vector<EvaluationPoint>& points);

// The occupancy factor a text gives, as the points file reads it: a decimal or a fraction such
// as 1/8, above 0 and at most 1; none for any other text.
std::optional<double> OccupancyOfText(std::string_view text);

// Reads file contents; `fileName` is named in the problems. A UTF-8 byte-order
// mark is skipped; lines may end with CR LF, LF or CR; rows of blanks and commas only are
// skipped; fields may be quoted, with "" for a quote; blanks around an unquoted field are
// dropped. Height words and barrier materials are read in any case; the occupancy may be a
// decimal or a fraction such as 1/8 and must lie in (0, 1]; the apron may be empty (none) and
// must not be negative; the limit must be positive. Anything else is refused, naming the
// first faulty line and field.
Expected<std::vector<EvaluationPoint>> ParsePointsCsv(std::string_view bytes, std::string_view fileName);

// Reads the points file at `path`, as ParsePointsCsv.
Expected<std::vector<EvaluationPoint>> ReadPointsFile(const std::filesystem::path& path);

// Writes the points file at `path` whole or not at all (through a temporary name).
std::optional<Problem> WritePointsFile(
    const std::filesystem::path& path, const std::vector<EvaluationPoint>& points);

// The points file that goes with the layout file at `roomFile`, in the same folder.
std::filesystem::path LayoutPointsPath(const std::filesystem::path& roomFile);

// The points saved with the layout file at `roomFile`: those of its points file, or none when
// it has none. The problem of a points file that cannot be read names its line and field.
Expected<std::vector<EvaluationPoint>> ReadLayoutPoints(const std::filesystem::path& roomFile);

// Saves `points` with the layout file at `roomFile`: writes its points file, or none for no
// points where there is none yet. A points file that cannot be read is left as it is, since it
// may hold a spreadsheet's work that these points do not: the problem says so.
std::optional<Problem> WriteLayoutPoints(
    const std::filesystem::path& roomFile, const std::vector<EvaluationPoint>& points);

} // namespace brisca
