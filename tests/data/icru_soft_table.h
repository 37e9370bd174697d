// ICRUSoft.dat read with the engine's fixed columns.
#pragma once

#include <vector>

namespace tabletest {

// The interaction and scattering-function tables of ICRUSoft.dat.
struct IcruSoftTable {
    int rows = 0;                      // record 1
    double density = 0.0;              // record 2
    std::vector<double> energy;        // keV (file holds MeV)
    std::vector<double> coherent;      // 1/cm
    std::vector<double> incoherent;    // 1/cm
    std::vector<double> photoelectric; // 1/cm
    std::vector<double> x;             // sin(θ/2)/λ, 1/Å
    std::vector<double> cumulative;    // coherent cumulative
    std::vector<double> incoherentS;   // incoherent function S(x)
    std::vector<int> recordLengths;    // length of every record
};

// Reads data/ICRUSoft.dat (45 scattering-function rows after the interaction rows).
IcruSoftTable ReadIcruSoft();

} // namespace tabletest
