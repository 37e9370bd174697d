#include "refiner/refine.h"

#include <cmath>

namespace refiner {

Node MakeNode(float microValue)
{
    const bool positive = microValue > 0.0f;
    return Node{microValue, positive ? std::log(microValue) : 0.0f, positive};
}

Node Interpolate(const Node& a, const Node& b, float f)
{
    if (a.positive && b.positive) {
        // Scattered dose falls off roughly exponentially with distance, so a straight line
        // in the logarithm follows it far better than one in the value.
        const float logValue = a.logValue + (b.logValue - a.logValue) * f;
        return Node{std::exp(logValue), logValue, true};
    }
    // A cell without dose has no logarithm: ramp straight to it instead.
    return MakeNode(a.value + (b.value - a.value) * f);
}

namespace {

// Node of a coarse rate in Gy/min or Sv/min. A rate below zero is no dose at all; keeping it
// out also keeps every written field positive, so each one stays separated by a blank.
Node CoarseNode(float rate)
{
    const float micro = rate * kMicroPerUnit;
    return MakeNode(micro > 0.0f ? micro : 0.0f);
}

// Lateral pass: each coarse row from 20 to 400 cm. Where two intervals share an end point
// the later interval writes it last, so its value is the one kept.
void RefineLateral(const CoarseLayer& coarse, LateralPass& pass)
{
    for (int b = 0; b < kCoarseBeam; ++b) {
        const auto& row = coarse.rows[b];
        auto& out = pass.rows[b];
        Node right = CoarseNode(row[kFirstScoredLateral]);
        for (int i = kFirstScoredLateral; i + 1 < kCoarseLateral; ++i) {
            const Node left = right;
            right = CoarseNode(row[i + 1]);
            const int first = (i - kFirstScoredLateral) * kStepsPerInterval;
            for (int t = 0; t <= kStepsPerInterval; ++t) {
                out[first + t] = Interpolate(left, right, StepFraction(t));
            }
        }
    }
}

// Beam-axis pass between the lateral-pass rows. Fine row q lies at -300 + q cm and inner
// column p at 20 + p cm; the output starts one cell further on both axes, at -299 and 21 cm.
void RefineBeamAxis(const LateralPass& pass, FineLayer& fine)
{
    for (int b = 0; b + 1 < kCoarseBeam; ++b) {
        const auto& near = pass.rows[b];
        const auto& far = pass.rows[b + 1];
        for (int l = 0; l <= kStepsPerInterval; ++l) {
            const int q = b * kStepsPerInterval + l;
            if (q == 0) {
                continue; // -300 cm is not written
            }
            const float f = StepFraction(l);
            auto& record = fine.records[q - 1];
            for (int p = 1; p < kInnerLateral; ++p) {
                record[p - 1] = Interpolate(near[p], far[p], f).value;
            }
        }
    }
}

// Lateral 401 cm and beam axis +301 cm lie beyond the coarse grid; they repeat the nearest
// cell inside it rather than hold an invented rate that would enter the display maxima.
void FillOuterEdges(FineLayer& fine)
{
    for (int r = 0; r + 1 < kFineBeam; ++r) {
        fine.records[r][kFineLateral - 1] = fine.records[r][kFineLateral - 2];
    }
    fine.records[kFineBeam - 1] = fine.records[kFineBeam - 2];
}

} // namespace

void RefineLayer(const CoarseLayer& coarse, FineLayer& fine, LateralPass& scratch)
{
    RefineLateral(coarse, scratch);
    RefineBeamAxis(scratch, fine);
    FillOuterEdges(fine);
}

void RefineResult(const CoarseResult& coarse, FineResult& fine, LateralPass& scratch)
{
    for (int h = 0; h < kHeights; ++h) {
        RefineLayer(coarse.kerma[h], fine.kerma[h], scratch);
        RefineLayer(coarse.dose[h], fine.dose[h], scratch);
    }
}

} // namespace refiner
