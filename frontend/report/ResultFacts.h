#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "logic/problem/Problem.h"
#include "logic/start/DataTables.h"
#include "records/uncertainty_file.h"
#include "refiner/grids.h"
#include "report/ReportInputs.h"

namespace brisca {

// What a report takes from the result's own files, the same for the windows and brisca-map.

// The program's name and version as the build gives it: "Brisca 0.1".
std::string SoftwareVersionText();

// SHA-256 of `bytes` as 64 lower-case hex digits: a fingerprint that tells whether a filed
// report and a result file in hand belong together.
std::string Sha256Hex(const std::string& bytes);

// The beam's half-value layers, homogeneity coefficient and mean energies, recomputed from
// the header's tube voltage, target angle and filtrations with the shipped tables (none:
// "not available"). The header does not record the generator's waveform; constant potential
// is assumed, as the report says.
ReportBeam BeamOfHeader(const ResultHeader& header, const DataTables* tables);

// The largest relative error, in percent, among the cells of interest
// (records/cells_of_interest.h) of one quantity: `values` and `errors` are that quantity's
// grids at the phantom-centre height of the result and of its uncertainty file. None when
// no cell at that height holds a positive value, or a cell of interest has no estimate (an
// uncertainty file that does not belong to the result).
std::optional<double> LargestErrorOfInterest(
    const refiner::CoarseLayer& values, const records::ErrorLayer& errors);

// Fills the title block, the conditions, the beam and the statistics of `inputs` from the
// result file `resultFile` (whose header `header` the caller has read), its uncertainty file
// beside it and the tables (may be null): its name, now as the date, the version, the
// fingerprint of the bytes read, and the largest errors of the cells of interest. A missing
// or refused uncertainty file is stated in the report, not an error. A problem names the
// result file and record, and `inputs` is then left as it was.
std::optional<Problem> GatherResultFacts(const std::filesystem::path& resultFile, const ResultHeader& header,
    const DataTables* tables, ReportInputs& inputs);

// Works out the doses at the room's points from the effective dose rate grid `doseGrid`, with
// the uncertainties gathered, when the room has points and a workload. A problem says why it
// cannot (the result's voltage or current, ExposureRefusal), with the doses left empty.
std::optional<Problem> EvaluateReportDoses(ReportInputs& inputs, const DisplayGrid& doseGrid);

} // namespace brisca
