#pragma once

#include <array>
#include <optional>

#include "logic/problem/Problem.h"

namespace brisca {

// Broad-beam transmission of X-rays through lead and concrete, from the three-parameter fit
// of Archer et al.: B(x) = [(1 + β/α)·exp(αγx) − β/α]^(−1/γ), x in mm. The parameters are those
// of NCRP Report No. 147 (2004), Appendix A, Table A.1, for the tube voltages 50, 70, 100, 125
// and 150 kVp (see data/SOURCES.md). They describe the primary beam; the beam scattered at
// around 90° by the patient is slightly softer than the beam it comes from, so using the
// primary-beam curve of the same voltage errs on the side of too much transmission.

// A shielding material with fitted transmission curves.
enum class ShieldMaterial { Lead, Concrete };

// Fitted parameters of one material at one tube voltage, per mm.
struct ArcherFit {
    double alpha; // α, mm⁻¹
    double beta;  // β, mm⁻¹
    double gamma; // γ, dimensionless
};

// One tabulated tube voltage with the fits of both materials.
struct TransmissionRow {
    double kv;          // tube voltage, kVp
    ArcherFit lead;     // fit for lead
    ArcherFit concrete; // fit for concrete
};

// The fits, by increasing tube voltage.
extern const std::array<TransmissionRow, 5> TransmissionTable;

// Natural logarithm of the transmission B(x) of one fit through `mm` of material; 0 for no
// thickness. Evaluated without overflow for any thickness.
double ArcherLogTransmission(const ArcherFit& fit, double mm);

// Why transmissions cannot be given at tube voltage `kv`: a voltage outside the table (never
// extrapolated); nothing when it lies within.
std::optional<Problem> TransmissionVoltageRefusal(double kv);

// Transmission through `mm` of `material` at tube voltage `kv` within the table. Between two
// tabulated voltages log B is interpolated linearly in kV; at a tabulated voltage it is that
// row's fit. NaN outside the table.
double Transmission(ShieldMaterial material, double kv, double mm);

// The lead thickness, mm, whose transmission at `kv` is `transmission`: 0 for a transmission
// of 1 or more, infinity for 0 or less, NaN outside the table. Found by bisection to 10⁻⁹ mm,
// since the interpolated curve has no closed inverse.
double LeadForTransmission(double kv, double transmission);

} // namespace brisca
