#include "engine/transport.h"

#include "engine/block_stream.h"
#include "engine/constants.h"
#include "engine/input_error.h"
#include "engine/input_files.h"
#include "engine/sampling_tables.h"
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

// Where a photon enters: the sampled field point (x0, y0) and the point on the surface.
struct EntryPoint {
    Entry outcome = Entry::Entered; // Entered: the fields below hold the point
    float x0 = 0.0f;                // sampled field point, lateral
    float y0 = 0.0f;                // sampled field point, long axis
    float x = 0.0f;                 // entry point
    float y = 0.0f;                 // entry point
    float z = 0.0f;                 // entry point
    float rho2 = 0.0f;              // x² + y² of the entry point
};

EntryPoint LocateEntry(float r1, float r2, const Job& job)
{
    EntryPoint p;
    const float F = job.fsd;
    const float s = F / (F + 10.0f);
    p.x0 = (0.5f - r1) * s * job.fieldWidth;
    p.y0 = (0.5f - r2) * s * job.fieldLength;
    const float x0 = p.x0;

    p.x = x0;
    p.y = p.y0;
    p.z = -10.0f;
    if (x0 > 5.0f || x0 < -5.0f) {
        // The ray from the focus through (x0, y0, -10) meets a rounded side: intersect the
        // line z = k x - F with the circle (x ∓ 5)² + z² = 100, nearer the focus.
        const float k = (F - 10.0f) / x0;
        const float a = k * k + 1.0f;
        const float b = x0 > 5.0f ? -(2.0f * F * k + 10.0f) : 10.0f - 2.0f * F * k;
        const float c = F * F - 75.0f;
        const float D = b * b - 4.0f * a * c;
        if (D <= 0.0f) {
            p.outcome = Entry::Abandoned;
            return p;
        }
        p.x = x0 > 5.0f ? (-b - std::sqrt(D)) / (2.0f * a) : (-b + std::sqrt(D)) / (2.0f * a);
        p.z = k * p.x - F;
        p.y = (p.z + F) * p.y0 / F;
    }
    p.rho2 = p.x * p.x + p.y * p.y;
    if (p.rho2 <= 0.0f) p.outcome = Entry::Redraw;
    return p;
}

} // namespace

Entry EnterPhantom(float r1, float r2, const Job& job, Photon& photon)
{
    const EntryPoint p = LocateEntry(r1, r2, job);
    if (p.outcome != Entry::Entered) return p.outcome;
    const float F = job.fsd;
    photon.x = p.x;
    photon.y = p.y;
    photon.z = p.z;
    const float slant = std::sqrt(F * F + p.rho2);
    photon.direction.cosPolar = F / slant;
    photon.direction.sinPolar = std::sqrt(p.rho2) / slant;
    // The azimuth of the sampled field point; its own radius keeps the direction a unit
    // vector on the rounded sides, where the entry point lies elsewhere.
    const float rho0 = std::sqrt(p.x0 * p.x0 + p.y0 * p.y0);
    photon.direction.cosAzimuth = p.x0 / rho0;
    photon.direction.sinAzimuth = p.y0 / rho0;
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

// The parts of the flight vector and the turn of a direction, for the history loop.
float StepX(const Direction& d) { return d.sinPolar * d.cosAzimuth; }
float StepY(const Direction& d) { return d.sinPolar * d.sinAzimuth; }
float StepZ(const Direction& d) { return d.cosPolar; }
Direction Turn(const Direction& d, ScatterAngle angle, Azimuth phi)
{
    return RotateBy(d, angle, phi.cosPhi, phi.sinPhi);
}
Direction DirectionOf(const Direction& d) { return d; }

// The same for a heading.
float StepX(const Heading& h) { return h.ux; }
float StepY(const Heading& h) { return h.uy; }
float StepZ(const Heading& h) { return h.uz; }

// sin polar and its inverse of a flight vector's lateral parts.
void SetSinPolar(Heading& h)
{
    h.sinPolar = std::sqrt(h.ux * h.ux + h.uy * h.uy);
    h.perSinPolar = h.sinPolar > 0.0f ? 1.0f / h.sinPolar : 0.0f;
}

} // namespace

Direction Rotate(const Direction& d, ScatterAngle angle, float phi)
{
    return RotateBy(d, angle, std::cos(phi), std::sin(phi));
}

Heading HeadingOf(const Direction& d)
{
    Heading h;
    h.ux = d.sinPolar * d.cosAzimuth;
    h.uy = d.sinPolar * d.sinAzimuth;
    h.uz = d.cosPolar;
    SetSinPolar(h);
    return h;
}

Direction DirectionOf(const Heading& h)
{
    Direction d;
    d.cosPolar = h.uz;
    d.sinPolar = h.sinPolar;
    if (h.sinPolar > 0.0f) {
        d.cosAzimuth = h.ux * h.perSinPolar;
        d.sinAzimuth = h.uy * h.perSinPolar;
    }
    return d;
}

Heading Turn(const Heading& h, ScatterAngle angle, Azimuth phi)
{
    Heading turned;
    if (h.perSinPolar == 0.0f) {
        // Along the beam axis the azimuth is φ itself, turned by half a circle, as Rotate has it.
        turned.ux = -angle.sinTheta * phi.cosPhi;
        turned.uy = angle.sinTheta * phi.sinPhi;
        turned.uz = h.uz * angle.cosTheta;
    } else {
        // Rotate's turn written for the flight vector: with a = sin θ / sin polar,
        // u' = u cos θ − a (u_⊥ cos polar cos φ ± the other lateral part sin φ).
        const float a = angle.sinTheta * h.perSinPolar;
        const float zc = h.uz * phi.cosPhi;
        turned.ux = h.ux * angle.cosTheta - a * (h.ux * zc + h.uy * phi.sinPhi);
        turned.uy = h.uy * angle.cosTheta - a * (h.uy * zc - h.ux * phi.sinPhi);
        turned.uz = h.uz * angle.cosTheta + angle.sinTheta * h.sinPolar * phi.cosPhi;
    }
    turned.uz = std::clamp(turned.uz, -1.0f, 1.0f);
    SetSinPolar(turned);
    return turned;
}

template <AngleSines kSines, class Generator>
IncoherentResult SampleIncoherent(float E, const ScatterTable& table, Generator& rng)
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
template IncoherentResult SampleIncoherent<AngleSines::Algebraic>(float, const ScatterTable&, BlockStream&);

template <class Generator> ScatterAngle SampleCoherent(float E, const ScatterTable& table, Generator& rng)
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

template ScatterAngle SampleCoherent(float, const ScatterTable&, Rng&);
template ScatterAngle SampleCoherent(float, const ScatterTable&, BlockStream&);

namespace {

// The single stream's sampling: library calls, in the order and rounding its file keeps.
// Every flight is drawn with μ at the photon's energy; no collision is virtual.
struct LibrarySampling {
    using Way = Direction;       // directions as polar and azimuth sines and cosines
    const Tables& tables;        // the job's tables
    Rng& rng;                    // the run's generator
    CoefficientCache& cache;     // coefficients of recent energies
    const Coefficients* current; // the coefficients of the flight drawn last

    float Next() { return rng.Next(); }

    Entry Enter(float r1, float r2, Photon& photon, Way& way) const
    {
        const Entry entry = EnterPhantom(r1, r2, tables.job, photon);
        way = photon.direction;
        return entry;
    }

    void Start(float E)
    {
        if (E != cache.startEnergy) {
            cache.start = CoefficientsAt(tables.interaction, E);
            cache.startEnergy = E;
        }
    }

    FreePath Flight(float E)
    {
        if (E == cache.startEnergy) {
            current = &cache.start;
        } else {
            if (E != cache.lastEnergy) {
                cache.last = CoefficientsAt(tables.interaction, E);
                cache.lastEnergy = E;
            }
            current = &cache.last;
        }
        return SampleFreePath(rng, current->mu);
    }

    Interaction Choose(float, float choice) const
    {
        if (choice < current->absorption) return Interaction::Absorption;
        return choice >= current->absorptionCoh ? Interaction::Incoherent : Interaction::Coherent;
    }

    IncoherentResult Incoherent(float E) { return SampleIncoherent(E, tables.scatter, rng); }
    ScatterAngle Coherent(float E) { return SampleCoherent(E, tables.scatter, rng); }
    Azimuth NextAzimuth() { return SampleAzimuth(rng); }
};

// The chunked mode's sampling: delta tracking on the energy cells of the job's sampling
// tables, and a block stream.
struct TabledSampling {
    using Way = Heading;                          // directions as flight vectors
    const Tables& tables;                         // the job's tables
    const SamplingTables& sampling;               // built from them once per job
    BlockStream& rng;                             // the chunk's stream
    const InteractionCells::Cell* cell = nullptr; // the cell of the flight drawn last
    InteractionCells::Cell spare{};               // a cell for an energy beyond the table

    float Next() { return rng.Next(); }
    void Start(float) { }

    // The entry point of EnterPhantom with its direction as a heading: the flight vector
    // (ρ x0/ρ0, ρ y0/ρ0, F) / √(F² + ρ²), which on the flat face, where ρ = ρ0, needs neither ρ0
    // nor the azimuth.
    Entry Enter(float r1, float r2, Photon& photon, Way& way) const
    {
        const EntryPoint p = LocateEntry(r1, r2, tables.job);
        if (p.outcome != Entry::Entered) return p.outcome;
        photon.x = p.x;
        photon.y = p.y;
        photon.z = p.z;
        photon.scattered = false;
        const float F = tables.job.fsd;
        const float perSlant = 1.0f / std::sqrt(F * F + p.rho2);
        const float rho = std::sqrt(p.rho2);
        const bool flat = !(p.x0 > 5.0f || p.x0 < -5.0f);
        const float lateral = flat ? perSlant : rho * perSlant / std::sqrt(p.x0 * p.x0 + p.y0 * p.y0);
        way.ux = p.x0 * lateral;
        way.uy = p.y0 * lateral;
        way.uz = F * perSlant;
        way.sinPolar = rho * perSlant;
        way.perSinPolar = 1.0f / way.sinPolar;
        return Entry::Entered;
    }

    FreePath Flight(float E)
    {
        cell = &CellOf(sampling, E, spare);
        const FreePath flight = DrawFlight(rng);
        return {flight.length * cell->perMajorant, flight.choice};
    }

    Interaction Choose(float E, float choice) const { return ChooseInteraction(sampling, *cell, E, choice); }
    IncoherentResult Incoherent(float E) { return SampleIncoherentTabled(E, sampling, tables.scatter, rng); }
    ScatterAngle Coherent(float E) { return SampleCoherent(E, tables.scatter, rng); }

    Azimuth NextAzimuth() { return SampleAzimuth(rng); }
};

// One history of a photon of energy E, written once for both ways of sampling.
template <class Sampling> void FollowHistory(Sampling& sampling, EscapeScorer& scorer, float E)
{
    sampling.Start(E);

    // Entry point on the phantom surface, or the end of a history that misses it.
    Photon photon;
    photon.energy = E;
    typename Sampling::Way way;
    for (int draws = 0;; ++draws) {
        // Only a job the input checks refuse keeps landing on the axis; drop the history then.
        if (draws == kMaxEntryDraws) return;
        const float r1 = sampling.Next();
        const float r2 = sampling.Next();
        const Entry entry = sampling.Enter(r1, r2, photon, way);
        if (entry == Entry::Abandoned) return;
        if (entry == Entry::Entered) break;
    }

    // Path flown since the last interaction through collisions that were not real; the
    // photon keeps its last interaction point, from which an escape is scored.
    float flown = 0.0f;
    while (photon.energy >= kCutoff) {
        // Free flight to the next collision.
        const FreePath flight = sampling.Flight(photon.energy);
        const float length = flown + flight.length;
        const float nx = photon.x + length * StepX(way);
        const float ny = photon.y + length * StepY(way);
        const float nz = photon.z + length * StepZ(way);

        // Escape: scored from the last interaction point. The primary beam is never scored;
        // nor is a flight along a scoring plane.
        if (!InsidePhantom(nx, ny, nz)) {
            if (photon.scattered) {
                photon.direction = DirectionOf(way);
                const Direction& d = photon.direction;
                if (d.cosPolar != 0.0f && d.cosAzimuth * d.sinPolar != 0.0f) scorer.Score(photon);
            }
            return;
        }
        const Interaction interaction = sampling.Choose(photon.energy, flight.choice);
        if (interaction == Interaction::None) {
            flown = length;
            continue;
        }
        flown = 0.0f;
        photon.x = nx;
        photon.y = ny;
        photon.z = nz;

        // The interaction: absorption ends the history, a scattering turns the photon.
        if (interaction == Interaction::Absorption) return;
        ScatterAngle angle;
        if (interaction == Interaction::Incoherent) {
            const IncoherentResult incoherent = sampling.Incoherent(photon.energy);
            photon.energy = incoherent.energy;
            angle = incoherent.angle;
        } else {
            angle = sampling.Coherent(photon.energy);
        }
        if (photon.energy < kCutoff) return;

        way = Turn(way, angle, sampling.NextAzimuth());
        photon.scattered = true;
    }
}

} // namespace

Transport::Transport(const Tables& tables, Rng& rng, EscapeScorer& scorer)
    : tables_(tables), rng_(rng), scorer_(scorer)
{
}

// Flattened: the per-flight helpers are inlined into the history loop.
[[gnu::flatten]] void Transport::RunHistory(float E)
{
    LibrarySampling sampling{tables_, rng_, cache_, nullptr};
    FollowHistory(sampling, scorer_, E);
}

TabledTransport::TabledTransport(
    const Tables& tables, const SamplingTables& sampling, BlockStream& stream, EscapeScorer& scorer)
    : tables_(tables), sampling_(sampling), stream_(stream), scorer_(scorer)
{
}

[[gnu::flatten]] void TabledTransport::RunHistory(float E)
{
    TabledSampling sampling{tables_, sampling_, stream_};
    FollowHistory(sampling, scorer_, E);
}

} // namespace engine
