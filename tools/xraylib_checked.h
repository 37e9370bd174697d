// Calls into the xraylib C library that turn its error reports into exceptions: the library
// returns 0 on failure, and a silent 0 would end up in a shipped table.
#pragma once

namespace tablegen {

// Rayleigh cross section of element Z at E keV, cm²/g.
double RayleighCrossSection(int Z, double E);
// Compton cross section of element Z at E keV, cm²/g.
double ComptonCrossSection(int Z, double E);
// Photoelectric cross section of element Z at E keV, cm²/g.
double PhotoCrossSection(int Z, double E);
// Total (photo + Rayleigh + Compton) cross section of element Z at E keV, cm²/g.
double TotalCrossSection(int Z, double E);
// Atomic form factor of element Z at q = sin(θ/2)/λ (1/Å).
double FormFactor(int Z, double q);
// Incoherent scattering function of element Z at q = sin(θ/2)/λ (1/Å); 0 at q = 0.
double IncoherentFunction(int Z, double q);
// Atomic weight of element Z, g/mol.
double AtomicWeight(int Z);

} // namespace tablegen
