#include "logic/room/ShieldTransmission.h"

#include <cmath>
#include <limits>

#include "logic/text/NumberText.h"

namespace brisca {

const std::array<TransmissionRow, 5> TransmissionTable = {{
    {50, {8.801, 27.28, 0.2957}, {0.09032, 0.1712, 0.2324}},
    {70, {5.369, 23.49, 0.5881}, {0.05087, 0.1696, 0.3847}},
    {100, {2.507, 15.33, 0.9124}, {0.03925, 0.08567, 0.4273}},
    {125, {2.219, 7.923, 0.5386}, {0.03502, 0.07113, 0.6974}},
    {150, {1.757, 5.177, 0.3156}, {0.03243, 0.08599, 1.467}},
}};

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

bool WithinTable(double kv)
{
    return kv >= TransmissionTable.front().kv && kv <= TransmissionTable.back().kv;
}

double LogTransmission(ShieldMaterial material, double kv, double mm)
{
    const auto fitOf = [material](const TransmissionRow& row) {
        return material == ShieldMaterial::Lead ? row.lead : row.concrete;
    };
    std::size_t upper = 1;
    while (upper + 1 < TransmissionTable.size() && kv > TransmissionTable[upper].kv) ++upper;
    const TransmissionRow& low = TransmissionTable[upper - 1];
    const TransmissionRow& high = TransmissionTable[upper];
    const double t = (kv - low.kv) / (high.kv - low.kv);
    if (t == 0.0) return ArcherLogTransmission(fitOf(low), mm);
    if (t == 1.0) return ArcherLogTransmission(fitOf(high), mm);
    return (1.0 - t) * ArcherLogTransmission(fitOf(low), mm) + t * ArcherLogTransmission(fitOf(high), mm);
}

} // namespace

double ArcherLogTransmission(const ArcherFit& fit, double mm)
{
    if (mm <= 0.0) return 0.0;
    // ln[(1 + r)·e^(αγx) − r] = αγx + ln[1 + r·(1 − e^(−αγx))] with r = β/α: no overflow at
    // any thickness, and no cancellation for thin layers.
    const double r = fit.beta / fit.alpha;
    const double a = fit.alpha * fit.gamma * mm;
    return -(a + std::log1p(-r * std::expm1(-a))) / fit.gamma;
}

std::optional<Problem> TransmissionVoltageRefusal(double kv)
{
    if (WithinTable(kv)) return std::nullopt;
    const std::string low = PlainNumberText(TransmissionTable.front().kv);
    const std::string high = PlainNumberText(TransmissionTable.back().kv);
    const std::string given = PlainNumberText(kv);
    return PlainProblem(
        "管電圧 " + given + " kV は鉛・コンクリートの透過率表 (" + low + "–" + high + " kV) の範囲外です",
        "the tube voltage " + given + " kV lies outside the " + low + "–" + high +
            " kV of the lead and concrete transmission table");
}

double Transmission(ShieldMaterial material, double kv, double mm)
{
    if (!WithinTable(kv)) return NaN;
    return std::exp(LogTransmission(material, kv, mm));
}

double LeadForTransmission(double kv, double transmission)
{
    if (!WithinTable(kv) || std::isnan(transmission)) return NaN;
    if (transmission >= 1.0) return 0.0;
    if (transmission <= 0.0) return std::numeric_limits<double>::infinity();
    const double target = std::log(transmission);
    // log B falls strictly with thickness: widen until the target is passed, then halve.
    double low = 0.0;
    double high = 1.0;
    while (LogTransmission(ShieldMaterial::Lead, kv, high) > target) {
        low = high;
        high *= 2.0;
    }
    while (high - low > 1e-9) {
        const double middle = 0.5 * (low + high);
        if (LogTransmission(ShieldMaterial::Lead, kv, middle) > target)
            low = middle;
        else
            high = middle;
    }
    return 0.5 * (low + high);
}

} // namespace brisca
