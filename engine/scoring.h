#pragma once

#include "engine/geometry.h"
#include "engine/tables.h"
#include "engine/transport.h"

#include <array>
#include <cstdint>

namespace engine {

// The two dose grids: 3 heights × 61 beam-axis positions × 41 lateral positions, stored in
// the order the result file writes them (one record of 41 lateral values per position).
struct Grids {
    static constexpr int kHeights = 3;     // height blocks
    static constexpr int kAlong = 61;      // positions -300 .. +300 cm, step 10
    static constexpr int kLateral = 41;    // distances 0 .. 400 cm, step 10
    static constexpr int kFirstScored = 2; // 0-based lateral index of 20 cm; 0 and 10 cm stay zero
    static constexpr int kCells = kHeights * kAlong * kLateral; // values per grid

    // 0-based index of (height block, beam-axis position, lateral position).
    static constexpr int Index(int height, int along, int lateral)
    {
        return (height * kAlong + along) * kLateral + lateral;
    }

    // Summed in double precision: at 10^9 photons and more the busiest cells receive so many
    // scores that single-precision sums stop growing by each one. Written in single precision.
    std::array<double, kCells> kerma{}; // air kerma
    std::array<double, kCells> dose{};  // dose equivalent
    // Sums of the squared scores, for the history-by-history variance: a history ends with at
    // most one escape, which crosses each plane once and at most one disc of it within a
    // scoring height, so no cell receives two scores from one history and each square is
    // the square of that history's whole contribution.
    std::array<double, kCells> kermaSquares{}; // squared kerma scores
    std::array<double, kCells> doseSquares{};  // squared dose-equivalent scores
};

// Lateral distance of 0-based lateral index i, cm.
inline float LateralPosition(int i) { return 10.0f * static_cast<float>(i); }
// Beam-axis position of 0-based index b, cm.
inline float AlongPosition(int b) { return -300.0f + 10.0f * static_cast<float>(b); }

// Credits escaping scattered photons to the grids by their crossings of the planes
// x = ±(lateral position) within 5 cm of a grid point.
class GridScorer : public EscapeScorer {
public:
    // All three must outlive the scorer.
    GridScorer(const Tables& tables, const EngineGeometry& geometry, Grids& grids);

    // Scores one escape from the photon's last interaction point.
    void Score(const Photon& photon) override;

    // Adds to the grids the crossing of one plane at one height: `along` and `height` are
    // the crossing point's coordinates, q the kerma credit, h the conversion coefficient.
    void ScorePlane(int block, int lateral, float along, float heightOffset, float q, float h);

private:
    const Tables& tables_;
    const EngineGeometry& geometry_;
    Grids& grids_;
    // Where a search of the conversion table's 1001 energies starts: a look-up in a step or
    // two instead of a bisection of ten dependent reads.
    BasicLookupGuide<2048, std::uint16_t> conversionGuide_;
};

// Scales the kerma and dose grids to rates per minute: the reference kerma of the simulated
// photons spread over the field is made equal to the tube output carried to the
// focus-surface distance. The photons are those of the whole job; `binHistories`, when
// given, holds instead the histories each bin actually ran (entry i for bin i), for a run
// that stopped early. The squares are left as they are.
void Normalise(const Tables& tables, Grids& grids, const std::array<long long, 301>* binHistories = nullptr);

} // namespace engine
