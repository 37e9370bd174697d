#include "engine/transport.h"

#include "engine/constants.h"
#include "engine/input_error.h"
#include "engine/input_files.h"
#include "records/field_error.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

constexpr float kElectronRest = 511.0f; // electron rest energy, keV
constexpr float kWavelengthKeV = 12.4f; // λ [Å] = 12.4 / E [keV]
constexpr float kCutoff = 5.0f;         // photons below this energy (keV) are not followed
// Rejection sampling from sound tables accepts within a handful of tries; a table that makes
// every try fail must end the run rather than hang it.
constexpr int kMaxSamplingTries = 1000000;
// A valid job puts a point on the beam axis about once in 2^48 draws.
constexpr int kMaxEntryDraws = 1000;

[[noreturn]] void ThrowUnsampleable(const char* what, float E)
{
    const std::string energy = std::to_string(E);
    throw InputError(records::DescribeFileError(records::kInteractionTableFile,
        std::string("の表から ") + energy + " keV の" + (what[0] == 'c' ? "干渉性" : "非干渉性") +
            "散乱の角度を抽出できません",
        std::string("no ") + what + " scattering angle at " + energy + " keV can be drawn from the tables"));
}

} // namespace

Entry EnterPhantom(float r1, float r2, const Job& job, Photon& photon)
{
    const float F = job.fsd;
    const float s = F / (F + 10.0f);
    const float x0 = (0.5f - r1) * s * job.fieldWidth;
    const float y0 = (0.5f - r2) * s * job.fieldLength;

    float x = x0;
    float y = y0;
    float z = -10.0f;
    if (x0 > 5.0f || x0 < -5.0f) {
        // The ray from the focus through (x0, y0, -10) meets a rounded side: intersect the
        // line z = k x - F with the circle (x ∓ 5)² + z² = 100, nearer the focus.
        const float k = (F - 10.0f) / x0;
        const float a = k * k + 1.0f;
        const float b = x0 > 5.0f ? -(2.0f * F * k + 10.0f) : 10.0f - 2.0f * F * k;
        const float c = F * F - 75.0f;
        const float D = b * b - 4.0f * a * c;
        if (D <= 0.0f) return Entry::Abandoned;
        x = x0 > 5.0f ? (-b - std::sqrt(D)) / (2.0f * a) : (-b + std::sqrt(D)) / (2.0f * a);
        z = k * x - F;
        y = (z + F) * y0 / F;
    }
    const float rho2 = x * x + y * y;
    if (rho2 <= 0.0f) return Entry::Redraw;

    photon.x = x;
    photon.y = y;
    photon.z = z;
    const float slant = std::sqrt(F * F + rho2);
    photon.direction.cosPolar = F / slant;
    photon.direction.sinPolar = std::sqrt(rho2) / slant;
    // The azimuth of the sampled field point; its own radius keeps the direction a unit
    // vector on the rounded sides, where the entry point lies elsewhere.
    const float rho0 = std::sqrt(x0 * x0 + y0 * y0);
    photon.direction.cosAzimuth = x0 / rho0;
    photon.direction.sinAzimuth = y0 / rho0;
    photon.scattered = false;
    return Entry::Entered;
}

Coefficients CoefficientsAt(const InteractionTable& table, float E)
{
    const int k = FirstAbove(table.energy, 2, table.rows, E);
    const float f = (std::log(E) - table.logEnergy[k - 1]) / (table.logEnergy[k] - table.logEnergy[k - 1]);
    const float coherent =
        std::exp(table.logCoherent[k - 1] + (table.logCoherent[k] - table.logCoherent[k - 1]) * f);
    const float incoherent =
        std::exp(table.logIncoherent[k - 1] + (table.logIncoherent[k] - table.logIncoherent[k - 1]) * f);
    const float photoelectric = std::exp(
        table.logPhotoelectric[k - 1] + (table.logPhotoelectric[k] - table.logPhotoelectric[k - 1]) * f);
    Coefficients result;
    result.mu = photoelectric + incoherent + coherent;
    result.absorption = photoelectric / result.mu;
    result.absorptionCoh = (photoelectric + coherent) / result.mu;
    return result;
}

bool InsidePhantom(float x, float y, float z)
{
    // Every test is made and the answers combined without branches: where a flight ends
    // is random, and mispredicted branches cost more than the few spare comparisons.
    const bool alongInside = !(y < -30.0f) & !(y > 30.0f);
    const bool flatPart = (x >= -5.0f) & (x <= 5.0f);
    const bool inFlat = (z >= -10.0f) & (z <= 10.0f);
    const float cx = x > 5.0f ? x - 5.0f : x + 5.0f; // from the nearer half-disc's centre
    const bool inRound = cx * cx + z * z <= 100.0f;
    return alongInside & ((flatPart & inFlat) | (!flatPart & inRound));
}

namespace {

// Rotate with cos φ and sin φ given.
Direction RotateBy(const Direction& d, ScatterAngle angle, float cosPhi, float sinPhi)
{
    // Clamped both ways: a rounding step past ±1 would make the sine NaN.
    const float w =
        std::clamp(angle.sinTheta * d.sinPolar * cosPhi + d.cosPolar * angle.cosTheta, -1.0f, 1.0f);
    const float s = std::sqrt(1.0f - w * w);
    Direction result;
    result.cosPolar = w;
    result.sinPolar = s;
    if (s == 0.0f) {
        result.sinAzimuth = 0.0f;
        result.cosAzimuth = 1.0f;
        return result;
    }
    const float g = angle.sinTheta * sinPhi / s;
    if (d.sinPolar == 0.0f) {
        result.sinAzimuth = sinPhi;
        result.cosAzimuth = -cosPhi;
        return result;
    }
    const float h = (angle.cosTheta - d.cosPolar * w) / (d.sinPolar * s);
    result.sinAzimuth = h * d.sinAzimuth + d.cosAzimuth * g;
    result.cosAzimuth = h * d.cosAzimuth - g * d.sinAzimuth;
    return result;
}

} // namespace

Direction Rotate(const Direction& d, ScatterAngle angle, float phi)
{
    return RotateBy(d, angle, std::cos(phi), std::sin(phi));
}

template <AngleSines kSines> IncoherentResult SampleIncoherent(float E, const ScatterTable& table, Rng& rng)
{
    const float beta = kElectronRest / E;
    const float betaPlus2 = beta + 2.0f;
    const float split = betaPlus2 / (9.0f * beta + 2.0f);
    // Fixed for the call: worked out once, not on every attempt.
    const float twoOverBeta = 2.0f / beta;
    for (int tries = 0;; ++tries) {
        if (tries == kMaxSamplingTries) ThrowUnsampleable("incoherent", E);
        const float r1 = rng.Next();
        const float r2 = rng.Next();
        const float r3 = rng.Next();
        float eta = 0.0f;
        bool accepted = false;
        if (r1 <= split) {
            eta = 1.0f + twoOverBeta * r2;
            accepted = 4.0f * (1.0f / eta - 1.0f / (eta * eta)) > r3;
        } else {
            eta = betaPlus2 / (2.0f * (1.0f - r2) + beta);
            const float term = 1.0f + beta - beta * eta;
            accepted = 0.5f * (term * term + 1.0f / eta) > r3;
        }
        if (!accepted) continue;

        float cosTheta = 1.0f - beta * (eta - 1.0f);
        float theta = kPi / 2.0f;
        float sinHalf = 0.0f; // sin(θ/2)
        if constexpr (kSines == AngleSines::RoundTrip) {
            if (cosTheta != 0.0f) {
                cosTheta = std::clamp(cosTheta, -1.0f, 1.0f);
                theta = std::atan(std::sqrt(1.0f - cosTheta * cosTheta) / cosTheta);
                if (theta < 0.0f) theta += kPi;
            }
            sinHalf = std::sin(theta / 2.0f);
        } else {
            cosTheta = std::clamp(cosTheta, -1.0f, 1.0f);
            sinHalf = std::sqrt(0.5f * (1.0f - cosTheta));
        }

        // Binding of the electrons: thin the free-electron angles by S(q) / S(max).
        const float q = sinHalf * E / kWavelengthKeV;
        if (q < 10.0f) {
            const int k = FirstAboveGuided(table.x, table.xGuide, 2, ScatterTable::kRows, q);
            const float S = table.incoherent[k - 1] + (q - table.x[k - 1]) *
                                                          (table.incoherent[k] - table.incoherent[k - 1]) /
                                                          (table.x[k] - table.x[k - 1]);
            const float r = rng.Next();
            if (S / table.incoherentMax < r) continue;
        }

        IncoherentResult result;
        if constexpr (kSines == AngleSines::RoundTrip) {
            result.angle.cosTheta = std::cos(theta);
            result.angle.sinTheta = std::sin(theta);
        } else {
            result.angle.cosTheta = cosTheta;
            result.angle.sinTheta = std::sqrt(1.0f - cosTheta * cosTheta);
        }
        result.energy = E / (1.0f + (E / kElectronRest) * (1.0f - result.angle.cosTheta));
        return result;
    }
}

template IncoherentResult SampleIncoherent<AngleSines::RoundTrip>(float, const ScatterTable&, Rng&);
template IncoherentResult SampleIncoherent<AngleSines::Algebraic>(float, const ScatterTable&, Rng&);

ScatterAngle SampleCoherent(float E, const ScatterTable& table, Rng& rng)
{
    for (int tries = 0;; ++tries) {
        if (tries == kMaxSamplingTries) ThrowUnsampleable("coherent", E);
        const float r = rng.Next() * table.cumulativeMax;
        const int k = FirstAboveGuided(table.cumulative, table.cumulativeGuide, 2, ScatterTable::kRows, r);
        const float x = table.x[k - 1] + (r - table.cumulative[k - 1]) * (table.x[k] - table.x[k - 1]) /
                                             (table.cumulative[k] - table.cumulative[k - 1]);
        const float sinHalf = x * kWavelengthKeV / E;
        if (sinHalf > 1.0f) continue;
        float cosTheta = 1.0f - 2.0f * (sinHalf * sinHalf);
        const float rayleigh = rng.Next();
        if (2.0f * rayleigh > 1.0f + cosTheta * cosTheta) continue;
        cosTheta = std::min(cosTheta, 1.0f);
        return {cosTheta, std::sqrt(1.0f - cosTheta * cosTheta)};
    }
}

Transport::Transport(const Tables& tables, Rng& rng, EscapeScorer& scorer)
    : tables_(tables), rng_(rng), scorer_(scorer)
{
}

const Coefficients& Transport::CachedCoefficients(float E)
{
    if (E == startEnergy_) return startCoefficients_;
    if (E != lastEnergy_) {
        lastCoefficients_ = CoefficientsAt(tables_.interaction, E);
        lastEnergy_ = E;
    }
    return lastCoefficients_;
}

// Flattened: the per-flight helpers above are inlined into the history loop.
template <AngleSines kSines> [[gnu::flatten]] void Transport::RunHistory(float E)
{
    if (E != startEnergy_) {
        startCoefficients_ = CoefficientsAt(tables_.interaction, E);
        startEnergy_ = E;
    }

    // Entry point on the phantom surface, or the end of a history that misses it.
    Photon photon;
    photon.energy = E;
    for (int draws = 0;; ++draws) {
        // Only a job the input checks refuse keeps landing on the axis; drop the history then.
        if (draws == kMaxEntryDraws) return;
        const float r1 = rng_.Next();
        const float r2 = rng_.Next();
        const Entry entry = EnterPhantom(r1, r2, tables_.job, photon);
        if (entry == Entry::Abandoned) return;
        if (entry == Entry::Entered) break;
    }

    while (photon.energy >= kCutoff) {
        // Free flight to the next interaction point.
        const Coefficients& mu = CachedCoefficients(photon.energy);
        const FreePath flight = SampleFreePath(rng_, mu.mu);
        const Direction& d = photon.direction;
        const float nx = photon.x + flight.length * (d.sinPolar * d.cosAzimuth);
        const float ny = photon.y + flight.length * (d.sinPolar * d.sinAzimuth);
        const float nz = photon.z + flight.length * d.cosPolar;

        // Escape: scored from the last interaction point. The primary beam is never scored;
        // nor is a flight along a scoring plane.
        if (!InsidePhantom(nx, ny, nz)) {
            if (photon.scattered && d.cosPolar != 0.0f && d.cosAzimuth * d.sinPolar != 0.0f)
                scorer_.Score(photon);
            return;
        }
        photon.x = nx;
        photon.y = ny;
        photon.z = nz;

        // The interaction: absorption ends the history, a scattering turns the photon.
        if (flight.choice < mu.absorption) return;
        ScatterAngle angle;
        if (flight.choice >= mu.absorptionCoh) {
            const IncoherentResult incoherent =
                SampleIncoherent<kSines>(photon.energy, tables_.scatter, rng_);
            photon.energy = incoherent.energy;
            angle = incoherent.angle;
        } else {
            angle = SampleCoherent(photon.energy, tables_.scatter, rng_);
        }
        if (photon.energy < kCutoff) return;

        const Azimuth phi = SampleAzimuth(rng_);
        photon.direction = RotateBy(photon.direction, angle, phi.cosPhi, phi.sinPhi);
        photon.scattered = true;
    }
}

template void Transport::RunHistory<AngleSines::RoundTrip>(float);
template void Transport::RunHistory<AngleSines::Algebraic>(float);

} // namespace engine
