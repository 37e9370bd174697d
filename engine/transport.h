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
    // same angles to within rounding, for the chunked mode, whose streams match no earlier run.
    Algebraic,
};

// Incoherent scattering at E: Klein-Nishina by Kahn's rejection, thinned by the
// incoherent scattering function below x = 10. Throws InputError naming the interaction
// file when a million tries in a row are rejected: no sound table comes near that.
template <AngleSines kSines = AngleSines::RoundTrip>
IncoherentResult SampleIncoherent(float E, const ScatterTable& table, Rng& rng);

// Coherent scattering angle at E: form-factor sampling with the Rayleigh rejection. Throws
// InputError like SampleIncoherent when no try is accepted.
ScatterAngle SampleCoherent(float E, const ScatterTable& table, Rng& rng);

// Receives each scattered photon that leaves the phantom.
class EscapeScorer {
public:
    virtual ~EscapeScorer() = default;
    // photon: last interaction point, direction and energy at the escape.
    virtual void Score(const Photon& photon) = 0;
};

// Runs photon histories against one set of tables, drawing from one generator.
class Transport {
public:
    // All three must outlive the transport.
    Transport(const Tables& tables, Rng& rng, EscapeScorer& scorer);

    // One history of a photon of energy E (keV), from the focus to its end.
    template <AngleSines kSines = AngleSines::RoundTrip> void RunHistory(float E);

private:
    // Coefficients at E. Two energies are kept: the start energy, shared by every history
    // of a bin, and the last energy after a scattering, which coherent scattering keeps.
    const Coefficients& CachedCoefficients(float E);

    const Tables& tables_;
    Rng& rng_;
    EscapeScorer& scorer_;
    float startEnergy_ = -1.0f;      // energy of startCoefficients_
    Coefficients startCoefficients_; // coefficients at the start energy
    float lastEnergy_ = -1.0f;       // energy of lastCoefficients_
    Coefficients lastCoefficients_;  // coefficients at the latest other energy
};

} // namespace engine
