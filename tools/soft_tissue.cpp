#include "soft_tissue.h"

#include "xraylib_checked.h"

#include <cmath>
#include <stdexcept>

namespace tablegen {
namespace {

// Avogadro constant, 1/mol.
constexpr double kAvogadro = 6.02214076e23;

// Integration step of the coherent cumulative, 1/Å. The form factors are smooth splines; at
// this step Simpson's rule is exact to far below the table's five printed digits.
constexpr double kCumulativeStep = 0.0005;

double AtomsPerGram(const ElementFraction& element)
{
    return element.massFraction * kAvogadro / AtomicWeight(element.Z);
}

double IntegrandAt(double x) { return SoftTissueFormFactorSquared(x) * 2.0 * x; }

// Simpson's rule over [a, b] with an even number of steps close to kCumulativeStep.
double IntegrateCoherent(double a, double b)
{
    if (b <= a) return 0.0;
    int steps = static_cast<int>(std::ceil((b - a) / kCumulativeStep));
    if (steps % 2 != 0) ++steps;
    const double h = (b - a) / steps;
    double sum = IntegrandAt(a) + IntegrandAt(b);
    for (int k = 1; k < steps; ++k) {
        const double weight = (k % 2 != 0) ? 4.0 : 2.0;
        sum += weight * IntegrandAt(a + k * h);
    }
    return sum * h / 3.0;
}

} // namespace

InteractionCoefficients SoftTissueCoefficients(double E)
{
    InteractionCoefficients mass{0.0, 0.0, 0.0};
    for (const ElementFraction& element : kSoftTissue) {
        mass.coherent += element.massFraction * RayleighCrossSection(element.Z, E);
        mass.incoherent += element.massFraction * ComptonCrossSection(element.Z, E);
        mass.photoelectric += element.massFraction * PhotoCrossSection(element.Z, E);
    }
    return {mass.coherent * kSoftTissueDensity, mass.incoherent * kSoftTissueDensity,
        mass.photoelectric * kSoftTissueDensity};
}

double SoftTissueIncoherentFunction(double x)
{
    double sum = 0.0;
    for (const ElementFraction& element : kSoftTissue) {
        sum += AtomsPerGram(element) * IncoherentFunction(element.Z, x);
    }
    return sum;
}

double SoftTissueFormFactorSquared(double x)
{
    double sum = 0.0;
    for (const ElementFraction& element : kSoftTissue) {
        const double F = FormFactor(element.Z, x);
        sum += AtomsPerGram(element) * F * F;
    }
    return sum;
}

std::vector<double> SoftTissueCoherentCumulative(const std::vector<double>& x)
{
    if (x.empty() || x.front() != 0.0) {
        throw std::invalid_argument("coherent cumulative must start at x = 0");
    }
    std::vector<double> cumulative(x.size(), 0.0);
    for (std::size_t k = 1; k < x.size(); ++k) {
        if (x[k] <= x[k - 1]) throw std::invalid_argument("x values must ascend");
        cumulative[k] = cumulative[k - 1] + IntegrateCoherent(x[k - 1], x[k]);
    }
    return cumulative;
}

} // namespace tablegen
