#pragma once

#include "records/result_layout.h"

#include <array>

namespace refiner {

// Heights of both grids, written in the order -50, 0, +50 cm.
inline constexpr int kHeights = records::result_layout::kHeights;
// Coarse lateral positions 0, 10, ..., 400 cm (one result-file record holds all of them).
inline constexpr int kCoarseLateral = records::result_layout::kGridFields;
// Coarse beam-axis positions -300, -290, ..., +300 cm (one result-file record each).
inline constexpr int kCoarseBeam = records::result_layout::kGridRecords;
// First coarse lateral index (0-based) the engine scores: 20 cm; 0 and 10 cm stay empty.
inline constexpr int kFirstScoredLateral = 2;
// Fine values per output record: lateral 21 to 401 cm, 1 cm apart.
inline constexpr int kFineLateral = 381;
// Output records per block: beam axis -299 to +301 cm, 1 cm apart.
inline constexpr int kFineBeam = 601;
// Fine cells per coarse interval.
inline constexpr int kStepsPerInterval = 10;

// One quantity at one height on the coarse grid, in Gy/min or Sv/min: rows[b][i] is
// beam-axis position -300 + 10 b cm and lateral position 10 i cm.
struct CoarseLayer {
    std::array<std::array<float, kCoarseLateral>, kCoarseBeam> rows;
};

// Both coarse grids of one result file, heights in file order.
struct CoarseResult {
    std::array<CoarseLayer, kHeights> kerma; // air kerma rate, Gy/min
    std::array<CoarseLayer, kHeights> dose;  // dose-equivalent rate, Sv/min
};

// One quantity at one height on the fine mesh, in µGy/min or µSv/min, laid out as written:
// records[r][c] is beam-axis position -299 + r cm and lateral position 21 + c cm.
struct FineLayer {
    std::array<std::array<float, kFineLateral>, kFineBeam> records;
};

// Both fine grids, heights in file order; about 5.5 MB, so keep it on the heap.
struct FineResult {
    std::array<FineLayer, kHeights> kerma; // air kerma rate, µGy/min
    std::array<FineLayer, kHeights> dose;  // dose-equivalent rate, µSv/min
};

} // namespace refiner
