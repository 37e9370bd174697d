#pragma once

#include "engine/scoring.h"

namespace enginetest {

// The grid scoring as plainly as it can be written: every plane, every height, every one of
// the 61 discs, and a scan of the conversion table. The engine's scorer must give the same
// grids bit for bit.
class PlainScorer : public engine::EscapeScorer {
public:
    // All three must outlive the scorer.
    PlainScorer(const engine::Tables& tables, const engine::EngineGeometry& geometry, engine::Grids& grids);

    // Scores one escape from the photon's last interaction point.
    void Score(const engine::Photon& photon) override;

private:
    const engine::Tables& tables_;
    const engine::EngineGeometry& geometry_;
    engine::Grids& grids_;
};

} // namespace enginetest
