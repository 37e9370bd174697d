// ICRU-44 soft tissue built from elemental xraylib data: interaction coefficients and the
// two scattering functions that the engine's coherent and incoherent sampling read.
#pragma once

#include <array>
#include <vector>

namespace tablegen {

// Density of ICRU-44 soft tissue, g/cm³.
inline constexpr double kSoftTissueDensity = 1.06;

// One element of a mixture: atomic number and mass fraction.
struct ElementFraction {
    int Z;
    double massFraction;
};

// ICRU-44 soft tissue by mass fraction (the fractions add up to 1).
inline constexpr std::array<ElementFraction, 9> kSoftTissue = {{
    {1, 0.102},
    {6, 0.143},
    {7, 0.034},
    {8, 0.708},
    {11, 0.002},
    {15, 0.003},
    {16, 0.003},
    {17, 0.002},
    {19, 0.003},
}};

// Linear interaction coefficients of the tissue at one energy, 1/cm.
struct InteractionCoefficients {
    double coherent;
    double incoherent;
    double photoelectric;
};

// Coherent, incoherent and photoelectric coefficients of the tissue at E keV.
InteractionCoefficients SoftTissueCoefficients(double E);

// Incoherent scattering function of one gram of tissue at x = sin(θ/2)/λ (1/Å).
double SoftTissueIncoherentFunction(double x);

// Squared coherent form factor summed over the atoms of one gram of tissue at x (1/Å).
double SoftTissueFormFactorSquared(double x);

// Cumulative of F²(x′)·2x′ dx′ from 0 to each of the ascending x values (first must be 0):
// the distribution in x that coherent sampling inverts, since dΩ is proportional to x dx.
std::vector<double> SoftTissueCoherentCumulative(const std::vector<double>& x);

} // namespace tablegen
