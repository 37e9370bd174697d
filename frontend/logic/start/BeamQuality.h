#pragma once

#include <optional>
#include <vector>

#include "logic/problem/Problem.h"
#include "logic/start/CalculationConditions.h"
#include "logic/start/DataTables.h"
#include "logic/start/XraySpectrum.h"

namespace brisca {

// First and second half-value layers of a beam in aluminium.
struct HalfValueLayers {
    double firstMm = 0.0;  // aluminium that halves the air kerma, mm
    double secondMm = 0.0; // further aluminium that halves it again, mm
};

// Mean photon energies of a beam.
struct MeanEnergies {
    double fluenceWeightedKeV = 0.0; // mean over the photons
    double kermaWeightedKeV = 0.0;   // mean weighted by each photon's share of the air kerma
};

// What a physicist checks of a beam before a run: the spectrum as the engine will get it,
// its quality in aluminium, its mean energies and the tube's output, free in air.
struct BeamQuality {
    std::optional<Problem> problem;       // why there is no spectrum; none when there is one
    std::optional<Problem> outputProblem; // why there is no tube output; none when there is one
    // The conditions, voltage and inherent filtration after the spectrum's limits; none when
    // the entries did not read as numbers.
    std::optional<CalculationConditions> conditions;
    XraySpectrum spectrum;             // the spectrum of B_SPCTL.dat
    HalfValueLayers hvl;               // half-value layers in aluminium
    double homogeneity = 0.0;          // first over second half-value layer
    MeanEnergies meanEnergy;           // mean photon energies
    double kermaRatio = 0.0;           // air kerma behind the user's over the reference filtration
    double referenceAluminiumMm = 0.0; // reference filtration of the waveform: aluminium, mm
    double referenceCopperMm = 0.0;    // and copper, mm
    double kermaPerMasAt100Cm = 0.0;   // air kerma free in air per mAs at 100 cm from the focus, µGy
    double kermaPerMasAtFsd = 0.0;     // air kerma free in air per mAs at the FSD, µGy; 0 without an FSD
    double tubeOutputGyPerMin = 0.0;   // air kerma rate at 100 cm at the mean current, as B2F.txt carries it
    double fluencePerRelativeUnit = 0.0; // photons per mm² per mAs at 100 cm in a slot of relative fluence 1
};

// One 0.5 keV slot of a beam's spectrum, as plotted and exported.
struct SpectrumPoint {
    double energyKeV = 0.0;           // photon energy of the slot
    double relativeFluence = 0.0;     // photons in the slot over those in the fullest, as in B_SPCTL.dat
    double photonsPerMm2PerMas = 0.0; // photons in the slot per mm² per mAs at 100 cm; 0 without an output
};

// Air kerma, in the spectrum's own units, behind `aluminiumCm` of aluminium: the photons of
// each slot times their energy times the energy-absorption coefficient of air, each slot
// attenuated by the aluminium's linear coefficient.
double AirKermaBehindAluminium(const SlotTable& photons, const DataTables& tables, double aluminiumCm);

// The aluminium thicknesses that bring the air kerma of a photon spectrum down to a half
// and to a quarter, found to well below a micrometre; zero for a spectrum without kerma.
HalfValueLayers HalfValueLayersInAluminium(const SlotTable& photons, const DataTables& tables);

// Fluence- and air-kerma-weighted mean energies of a photon spectrum; zero when it is empty.
MeanEnergies MeanPhotonEnergies(const SlotTable& photons, const DataTables& tables);

// The beam of a set of conditions: the spectrum exactly as the calculation start computes it,
// its half-value layers and mean energies, and the air kerma per mAs from the same tube
// output and kerma ratio that the job file's tube output is made of. Conditions that the
// spectrum refuses give `problem`; a voltage the output table does not cover gives
// `outputProblem` and no output figures.
BeamQuality ComputeBeamQuality(const CalculationConditions& conditions, const DataTables& tables);

// The beam of entries that did not read as numbers: no conditions and no spectrum, for `problem`.
BeamQuality BeamOfUnreadEntries(Problem problem);

// The slots 1..300 of a beam's spectrum; empty when the beam has none.
std::vector<SpectrumPoint> SpectrumPoints(const BeamQuality& beam);

} // namespace brisca
