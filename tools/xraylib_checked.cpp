#include "xraylib_checked.h"

#include <xraylib.h>

#include <stdexcept>
#include <string>

namespace tablegen {
namespace {

// Runs one library call with an error pointer and throws if the library reported a problem.
template <typename Call> double Checked(const char* what, int Z, double arg, Call call)
{
    xrl_error* error = nullptr;
    const double value = call(&error);
    if (error != nullptr) {
        const std::string message = std::string(what) + "(Z=" + std::to_string(Z) + ", " +
                                    std::to_string(arg) + "): " + error->message;
        xrl_error_free(error);
        throw std::runtime_error(message);
    }
    return value;
}

} // namespace

double RayleighCrossSection(int Z, double E)
{
    return Checked("CS_Rayl", Z, E, [&](xrl_error** e) { return CS_Rayl(Z, E, e); });
}

double ComptonCrossSection(int Z, double E)
{
    return Checked("CS_Compt", Z, E, [&](xrl_error** e) { return CS_Compt(Z, E, e); });
}

double PhotoCrossSection(int Z, double E)
{
    return Checked("CS_Photo", Z, E, [&](xrl_error** e) { return CS_Photo(Z, E, e); });
}

double TotalCrossSection(int Z, double E)
{
    return Checked("CS_Total", Z, E, [&](xrl_error** e) { return CS_Total(Z, E, e); });
}

double FormFactor(int Z, double q)
{
    return Checked("FF_Rayl", Z, q, [&](xrl_error** e) { return FF_Rayl(Z, q, e); });
}

double IncoherentFunction(int Z, double q)
{
    // S(0) = 0 exactly; the library refuses q = 0 and extrapolates nothing below its first node,
    // so very small q would fail below rather than come back as a silent 0.
    if (q == 0.0) return 0.0;
    return Checked("SF_Compt", Z, q, [&](xrl_error** e) { return SF_Compt(Z, q, e); });
}

double AtomicWeight(int Z)
{
    return Checked("AtomicWeight", Z, 0.0, [&](xrl_error** e) { return ::AtomicWeight(Z, e); });
}

} // namespace tablegen
