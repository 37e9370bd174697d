#include "plain_scorer.h"

#include <algorithm>
#include <cmath>

namespace enginetest {

using engine::Grids;

PlainScorer::PlainScorer(const engine::Tables& tables, const engine::EngineGeometry& geometry, Grids& grids)
    : tables_(tables), geometry_(geometry), grids_(grids)
{
}

void PlainScorer::Score(const engine::Photon& photon)
{
    const float E = photon.energy;
    if (E < 10.0f) return;

    const std::array<float, 301>& A = tables_.air.coefficient;
    const int j = std::min(static_cast<int>(2.0f * E) + 1, 300);
    const float a = A[j - 1] + (E - static_cast<float>(j - 1) * 0.5f) * (A[j] - A[j - 1]) / 0.5f;

    const engine::ConversionTable& conv = tables_.conversion;
    int k = 1;
    while (k < engine::ConversionTable::kRows && !(conv.energy[k] > E)) ++k;
    const float h = conv.coefficient[k - 1] + (E - conv.energy[k - 1]) *
                                                  (conv.coefficient[k] - conv.coefficient[k - 1]) /
                                                  (conv.energy[k] - conv.energy[k - 1]);

    const engine::Direction& d = photon.direction;
    const bool heightIsY = geometry_.heightAxis == engine::HeightAxis::Y;
    for (int block = 0; block < Grids::kHeights; ++block) {
        for (int i = Grids::kFirstScored; i < Grids::kLateral; ++i) {
            const float xp = d.cosAzimuth >= 0.0f ? engine::LateralPosition(i) : -engine::LateralPosition(i);
            const float t = (xp - photon.x) / (d.cosAzimuth * d.sinPolar);
            const float yc = d.sinAzimuth * d.sinPolar * t + photon.y;
            const float zc = d.cosPolar * t + photon.z;
            const float offset = (heightIsY ? yc : zc) - geometry_.heights[block];
            if (std::fabs(offset) > 5.0f) continue;
            const float dist =
                std::sqrt((photon.z - zc) * (photon.z - zc) + (photon.y - yc) * (photon.y - yc) +
                          (photon.x - xp) * (photon.x - xp));
            const float q = a * E / (std::fabs(xp - photon.x) / dist);
            for (int b = 0; b < Grids::kAlong; ++b) {
                const float dz = (heightIsY ? zc : yc) - engine::AlongPosition(b);
                if (dz * dz + offset * offset <= 25.0f) {
                    const int cell = Grids::Index(block, b, i);
                    grids_.kerma[cell] += q;
                    grids_.dose[cell] += q * h;
                    grids_.kermaSquares[cell] += static_cast<double>(q) * q;
                    grids_.doseSquares[cell] += static_cast<double>(q * h) * (q * h);
                }
            }
        }
    }
}

} // namespace enginetest
