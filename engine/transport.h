#pragma once

#include "engine/rng.h"
#include "engine/tables.h"

namespace engine {

// Flight direction as stored: the flight vector is
// (sinPolar × cosAzimuth, sinPolar × sinAzimuth, cosPolar).
struct Direction {
    float cosPolar = 1.0f;   // cosine of the angle to +z (the beam axis)
    float sinPolar = 0.0f;   // sine of that angle, never negative
    float cosAzimuth = 1.0f; // azimuth around z, from +x toward +y
    float sinAzimuth = 0.0f; // sine of the azimuth
};

// The photon during a history; origin at the phantom centre, lengths in cm.
struct Photon {
    float x = 0.0f;         // lateral
    float y = 0.0f;         // phantom long axis
    float z = 0.0f;         // beam axis, the beam travels toward +z
    float energy = 0.0f;    // keV
    Direction direction;    // current flight direction
    bool scattered = false; // true after the first coherent or incoherent scattering
};

// Cosine and sine of a scattering angle θ.
struct ScatterAngle {
    float cosTheta = 1.0f; // cos θ
    float sinTheta = 0.0f; // sin θ
};

// Total attenuation coefficient and the cumulative shares that pick the interaction.
struct Coefficients {
    float mu = 0.0f;            // photoelectric + incoherent + coherent, per cm
    float absorption = 0.0f;    // photoelectric / μ
    float absorptionCoh = 0.0f; // (photoelectric + coherent) / μ
};

// What happens at the end of a flight inside the phantom, in the order the deviate that
// picks it runs through the cumulative shares.
enum class Interaction {
    Absorption, // photoelectric absorption: the history ends
    Coherent,   // coherent scattering: the direction changes
    Incoherent, // incoherent scattering: direction and energy change
    None,       // a delta-tracking collision that is not real: the photon flies on
};

// Outcome of one draw of the entry point.
enum class Entry {
    Entered,   // the photon stands on the phantom surface with its first direction
    Abandoned, // the ray misses the rounded side: the history ends without scoring
    Redraw,    // the entry point lies on the beam axis: draw two new deviates
};

// Entry point and first direction for the deviates r1, r2 and the job's F, W, L.
Entry EnterPhantom(float r1, float r2, const Job& job, Photon& photon);

// Coefficients at energy E by log-log interpolation between the table rows around E.
Coefficients CoefficientsAt(const InteractionTable& table, float E);

// True when (x, y, z) lies inside the phantom or on its surface.
bool InsidePhantom(float x, float y, float z);

// Turns `direction` by the scattering angle θ and the azimuth φ around the old direction.
Direction Rotate(const Direction& direction, ScatterAngle angle, float phi);

// A flight direction as the chunked mode carries it: the flight vector itself, so that a
// flight and a turn need no trigonometry, with the sine of the polar angle and its inverse
// ready for the next turn.
struct Heading {
    float ux = 0.0f;          // flight vector, x
    float uy = 0.0f;          // flight vector, y
    float uz = 1.0f;          // flight vector, z: cos polar
    float sinPolar = 0.0f;    // √(ux² + uy²)
    float perSinPolar = 0.0f; // 1 / sinPolar; 0 along the beam axis
};

// The heading of a direction.
Heading HeadingOf(const Direction& d);

// The direction of a heading, as the scorer takes it.
Direction DirectionOf(const Heading& h);

// Turns a heading by the scattering angle θ and the azimuth φ, as Rotate turns a direction.
Heading Turn(const Heading& h, ScatterAngle angle, Azimuth phi);

// Result of an incoherent scattering.
struct IncoherentResult {
    float energy = 0.0f; // keV after the scattering
    ScatterAngle angle;  // scattering angle
};

// How a scattering angle's sines are found from its sampled cosine.
enum class AngleSines {
    // Through θ = atan(sin θ / cos θ) and back by cos, sin and sin(θ/2): the single stream's
    // historical rounding, kept bit for bit.
    RoundTrip,
    // Straight from the cosine by sin θ = √(1 − cos²θ) and sin(θ/2) = √((1 − cos θ)/2): the
    // same angles to within rounding, for the chunked mode where its tables do not reach.
    Algebraic,
};

// Incoherent scattering at E: Klein-Nishina by Kahn's rejection, thinned by the
// incoherent scattering function below x = 10. Throws InputError naming the interaction
// file when a million tries in a row are rejected: no sound table comes near that.
// Generator: Rng, or the chunked mode's BlockStream.
template <AngleSines kSines = AngleSines::RoundTrip, class Generator = Rng>
IncoherentResult SampleIncoherent(float E, const ScatterTable& table, Generator& rng);

// Coherent scattering angle at E: form-factor sampling with the Rayleigh rejection. Throws
// InputError like SampleIncoherent when no try is accepted.
template <class Generator = Rng>
ScatterAngle SampleCoherent(float E, const ScatterTable& table, Generator& rng);

// Receives each scattered photon that leaves the phantom.
class EscapeScorer {
public:
    virtual ~EscapeScorer() = default;
    // photon: last interaction point, direction and energy at the escape.
    virtual void Score(const Photon& photon) = 0;
};

// The coefficients of the two energies a history asks for most: the start energy, shared by
// every history of a bin, and the last energy after a scattering, which coherent scattering
// keeps.
struct CoefficientCache {
    float startEnergy = -1.0f; // energy of `start`
    Coefficients start;        // coefficients at the start energy
    float lastEnergy = -1.0f;  // energy of `last`
    Coefficients last;         // coefficients at the latest other energy
};

// Runs the single stream's photon histories against one set of tables, drawing from one
// generator, with the library calls whose roundings its result file depends on.
class Transport {
public:
    // All three must outlive the transport.
    Transport(const Tables& tables, Rng& rng, EscapeScorer& scorer);

    // One history of a photon of energy E (keV), from the focus to its end.
    void RunHistory(float E);

private:
    const Tables& tables_;
    Rng& rng_;
    EscapeScorer& scorer_;
    CoefficientCache cache_;
};

class BlockStream;     // the chunked mode's generator (block_stream.h)
struct SamplingTables; // the chunked mode's tables (sampling_tables.h)

// Runs the chunked mode's histories: the same physics as Transport, sampled through the job's
// sampling tables (delta tracking on energy cells, the incoherent angle from an envelope) from
// a block stream.
class TabledTransport {
public:
    // All four must outlive the transport.
    TabledTransport(
        const Tables& tables, const SamplingTables& sampling, BlockStream& stream, EscapeScorer& scorer);

    // One history of a photon of energy E (keV), from the focus to its end.
    void RunHistory(float E);

private:
    const Tables& tables_;
    const SamplingTables& sampling_;
    BlockStream& stream_;
    EscapeScorer& scorer_;
};

} // namespace engine
