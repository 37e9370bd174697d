#include "default_job.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace enginebench {

namespace {

// Aluminium linear attenuation (1/cm) on the 0.5 keV slots, third column of MUs.dat.
std::array<double, 301> AluminiumCoefficients()
{
    std::array<double, 301> mu{};
    std::ifstream in(std::string(BRISCA_DATA_DIR) + "/MUs.dat");
    for (int i = 1; i <= 300; ++i) {
        double energy = 0, tungsten = 0, copper = 0;
        if (!(in >> energy >> tungsten >> mu[static_cast<std::size_t>(i)] >> copper)) {
            std::fprintf(stderr, "MUs.dat: record %d unreadable\n", i);
            std::exit(1);
        }
    }
    return mu;
}

} // namespace

void WriteDefaultJob(const fs::path& folder, double histories)
{
    for (const char* table : {"ICRUSoft.dat", "Air.eac", "Ak2Sv.dat"}) {
        fs::copy_file(
            fs::path(BRISCA_DATA_DIR) / table, folder / table, fs::copy_options::overwrite_existing);
    }
    std::ofstream job(folder / "B2F.txt", std::ios::binary);
    char count[32];
    std::snprintf(count, sizeof count, "%.3E", histories);
    job << "1.000E+00\r\n 90.0\r\n20.0\r\n20.0\r\n" << count << "\r\nbench.dsr5\r\n";

    const std::array<double, 301> muAl = AluminiumCoefficients();
    std::array<double, 301> shape{};
    double peak = 0;
    for (int i = 1; i <= 300; ++i) {
        const double E = 0.5 * i;
        if (E < 80.0)
            shape[static_cast<std::size_t>(i)] =
                (80.0 - E) / E * std::exp(-muAl[static_cast<std::size_t>(i)] * 0.40);
        peak = std::max(peak, shape[static_cast<std::size_t>(i)]);
    }
    std::ofstream spectrum(folder / "B_SPCTL.dat", std::ios::binary);
    for (int i = 1; i <= 300; ++i) {
        char line[40];
        std::snprintf(
            line, sizeof line, "%06.1f, %.5f\r\n", 0.5 * i, shape[static_cast<std::size_t>(i)] / peak);
        spectrum << line;
    }
    spectrum << "1000\r\n80\r\n1\r\n12\r\n2.5\r\n1.5\r\n0\r\n";
}

} // namespace enginebench
