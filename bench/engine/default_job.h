#pragma once

#include <filesystem>

namespace enginebench {

// Writes the default job into `folder`: the shipped ICRUSoft.dat, Air.eac and Ak2Sv.dat, and
// B2F.txt and B_SPCTL.dat for 80 kV constant potential, FSD 90 cm, a 20 × 20 cm field and
// `histories` photons. The spectrum is a Kramers thick-target shape filtered by 2.5 + 1.5 mm
// aluminium with the shipped aluminium coefficients; the result is bench.dsr5.
void WriteDefaultJob(const std::filesystem::path& folder, double histories);

} // namespace enginebench
