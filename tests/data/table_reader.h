// Reading the shipped tables back the way their users do: fixed columns for the engine,
// free-format numbers for the front end.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tabletest {

// Path of a shipped table in data/.
std::string DataPath(const std::string& name);

// Lines of a text file without their line ends; fails the calling test (ADD_FAILURE) if a
// line does not end in CR LF.
std::vector<std::string> ReadCrLfLines(const std::string& path);

// Numeric field in 1-based columns [first, first + width): blanks ignored, all-blank reads 0,
// a short record reads as padded; throws on anything else that is not one number.
double Field(const std::string& record, int first, int width);

// Every number of the lines from `firstLine` (0-based) on, separated by commas, blanks or line
// ends; throws on a token that is not a number.
std::vector<double> FreeFormNumbers(const std::vector<std::string>& lines, std::size_t firstLine);

// Engine-style log-log interpolation in ascending (energy, value) rows.
double LogLogAt(const std::vector<double>& energies, const std::vector<double>& values, double E);

} // namespace tabletest
