#include "table_files.h"

#include "fortran_field.h"
#include "icrp74.h"
#include "soft_tissue.h"
#include "tube_output.h"

#include "records/field_writer.h"

#include <cstdio>
#include <vector>

namespace tablegen {
namespace {

constexpr const char* kLineEnd = "\r\n";

// A number in a printf format, for the free-format table.
std::string Plain(double value, const char* format)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// An Ew.d field; a value that does not fit its column stops the generator.
std::string ExponentField(double value, int width, int decimals)
{
    std::string field;
    records::AppendE(field, value, width, decimals);
    return field;
}

} // namespace

double ConversionEnergy(int n)
{
    if (n < 900) return (100 + n) / 10.0;
    return 100.0 + (n - 900);
}

std::string IcruSoftText()
{
    std::string text = FormatI(static_cast<long>(kInteractionEnergies.size()), 3) + kLineEnd;
    text += FormatF(kSoftTissueDensity, 9, 6) + kLineEnd;
    for (double E : kInteractionEnergies) {
        const InteractionCoefficients mu = SoftTissueCoefficients(E);
        text += ExponentField(E / 1000.0, 9, 3) + ExponentField(mu.coherent, 10, 3) +
                ExponentField(mu.incoherent, 10, 3) + ExponentField(mu.photoelectric, 10, 3) + kLineEnd;
    }
    const std::vector<double> x(kScatteringX.begin(), kScatteringX.end());
    const std::vector<double> cumulative = SoftTissueCoherentCumulative(x);
    for (std::size_t k = 0; k < x.size(); ++k) {
        text += ExponentField(x[k], 10, 3) + ExponentField(cumulative[k], 12, 5) +
                ExponentField(SoftTissueIncoherentFunction(x[k]), 12, 5) + kLineEnd;
    }
    return text;
}

std::string AirEacText(const SlotArray& muEnAir)
{
    std::string text;
    for (int i = 1; i <= kSlotCount; ++i) {
        text += ExponentField(SlotEnergy(i), 10, 4) + ExponentField(muEnAir[i], 15, 6) + kLineEnd;
    }
    return text;
}

std::string Ak2SvText()
{
    std::string text;
    for (int n = 0; n < kConversionRows; ++n) {
        const double E = ConversionEnergy(n);
        text += ExponentField(E, 9, 3) + ExponentField(AmbientDosePerAirKerma(E), 12, 5) + kLineEnd;
    }
    return text;
}

std::string MusText(const MetalAttenuation& mu)
{
    std::string text;
    for (int i = 1; i <= kSlotCount; ++i) {
        text += FormatF(SlotEnergy(i), 6, 1) + ExponentField(mu.tungsten[i], 15, 6) +
                ExponentField(mu.aluminium[i], 15, 6) + ExponentField(mu.copper[i], 15, 6) + kLineEnd;
    }
    return text;
}

std::string DefaultOutputText(const MetalAttenuation& mu, const SlotArray& muEnAir)
{
    std::string text = "Tube output at 100 cm, C/kg per mAs: kV row, then per waveform (constant potential, "
                       "three-phase 12-peak, single-phase full-wave) 12 outputs and reference Al, Cu (mm)";
    text += kLineEnd;
    for (double kV : kOutputVoltages) text += Plain(kV, "%5.0f");
    text += kLineEnd;
    for (Waveform waveform :
        {Waveform::ConstantPotential, Waveform::ThreePhase12Peak, Waveform::SinglePhaseFullWave}) {
        for (double kV : kOutputVoltages) {
            text += Plain(ExposurePerMas(waveform, kV, mu, muEnAir), " %.4E");
        }
        text += kLineEnd;
        text += Plain(kReferenceAluminiumMm, "%5.1f") + Plain(kReferenceCopperMm, "%5.1f") + kLineEnd;
    }
    return text;
}

} // namespace tablegen
