#pragma once

#include <filesystem>

namespace enginebench {

// Writes the default job into `folder`: 80 kV constant potential, FSD 90 cm, 20 × 20 cm
// field, `histories` photons, result "bench.dsr5", with the shipped tables copied beside it.
// The spectrum is a Kramers thick-target shape filtered by 2.5 + 1.5 mm aluminium with the
// shipped aluminium coefficients. Exits the program when a shipped table cannot be read.
void WriteDefaultJob(const std::filesystem::path& folder, double histories);

} // namespace enginebench
