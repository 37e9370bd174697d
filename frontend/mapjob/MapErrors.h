#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "commandline/MapOptions.h"
#include "logic/result/ErrorGrids.h"
#include "logic/result/ErrorShading.h"

namespace brisca {

// What brisca-map takes from a result's uncertainty file: the error map and grid
// (--quantity kerma-error|dose-error), the grey-out (--grey-above) and the uncertainty column
// of the doses file.

// Whether the command line needs the result's relative errors.
bool MapNeedsErrors(const MapOptions& options);

// Reads the relative errors of the result (ReadResultErrors) into `resultErrors`. Returns 0;
// or, when the error map, grid or grey-out cannot be made without them, kExitFile after
// saying why on `errors`. The doses file goes on without them, its uncertainty column empty,
// with a warning.
int ReadMapErrors(const MapOptions& options, ResultErrors& resultErrors, std::ostream& errors);

// The shading of the picture the command line asks for, over the relative errors of its quantity.
MapShading MapShadingOf(const MapOptions& options, const ResultErrors& resultErrors);

// The error grid of the command line's quantity and height as CSV, with its comment lines
// (ErrorCsvComments).
std::string ErrorGridCsv(
    const MapOptions& options, const ResultErrors& resultErrors, const std::vector<std::string>& conditions);

} // namespace brisca
