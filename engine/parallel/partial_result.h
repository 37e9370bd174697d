#pragma once

#include "engine/geometry.h"
#include "engine/parallel/chunked_run.h"
#include "engine/parallel/exact_sums.h"
#include "engine/tables.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace engine {

// What one slice ran: enough of the job to write the result, and the slice's exact sums.
struct PartialResult {
    std::string jobText;            // the records that must agree between the parts of one job
    std::string geometryCode;       // result record 1, e.g. "  2"
    Slice slice;                    // which slice of how many
    Tables tables;                  // job, spectrum and air table; the rest is left empty
    float largestConversion = 0.0f; // the largest conversion coefficient of Ak2Sv.dat
    long long histories = 0;        // histories the slice ran
    std::unique_ptr<ExactGrids> sums = std::make_unique<ExactGrids>(); // the slice's grids
};

// Name of slice K of M's partial result beside the result: "<result>.part-K-of-M".
std::string PartialName(const std::string& resultName, Slice slice);

// A fingerprint (64-bit FNV-1a, in hex) of the five input files in `directory`, so that
// parts run on machines with other data tables are not merged. Throws InputError naming
// a file that cannot be read.
std::string InputsFingerprint(const std::string& directory);

// The check value that a part's closing `end` record carries for all the text before it.
std::string PartSeal(std::string_view text);

// The partial result's text (its layout is described in docs/partial-results.md); `seed` is
// the run's --seed, which the parts of one job must share.
std::string FormatPartial(const Tables& tables, const EngineGeometry& geometry, Slice slice, long long seed,
    const std::string& fingerprint, long long histories, const ExactGrids& sums);

// Reads a partial result's text; `name` is the part as the user gave it. Throws InputError
// naming the part and the record for a truncated, damaged or malformed part, a part of an
// older layout (which lacks the sums of squares), one whose sums overflowed, and a sum that is
// negative or beyond what its histories can reach.
PartialResult ParsePartial(const std::string& name, const std::string& text);

} // namespace engine
