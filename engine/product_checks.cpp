#include "engine/product_checks.h"

#include "engine/constants.h"
#include "engine/input_error.h"
#include "engine/input_files.h"
#include "engine/parallel/chunked_run.h"
#include "engine/score_bound.h"
#include "records/field_error.h"

#include <algorithm>
#include <cfloat>
#include <sstream>
#include <string>

namespace engine {

namespace {

// One score is a·E/cos κ, and cos κ can be small; real coefficients keep a·E·h near 1e6, so
// this leaves room for any real table while the sums stay finite.
constexpr double kLargestScore = 1e30;

std::string Text(double value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

// Whether a positive product fits single precision without overflowing or vanishing.
bool FitsSingle(double value) { return value <= FLT_MAX && !(value > 0.0 && value < FLT_MIN); }

[[noreturn]] void Refuse(
    const char* file, int record, const std::string& japanese, const std::string& english)
{
    throw InputError(records::DescribeRecordError(file, record, japanese, english));
}

} // namespace

void CheckProducts(const Tables& tables)
{
    const Job& job = tables.job;
    const double fsd2 = static_cast<double>(job.fsd) * job.fsd;
    const double surfaceRate = job.tubeOutput * 10000.0 / fsd2;
    if (!FitsSingle(surfaceRate)) {
        Refuse(records::kJobFile, 1,
            "管出力 × 10000 / 焦点-表面間距離² = " + Text(surfaceRate) + " が単精度の範囲外です",
            "tube output × 10000 / focus-surface distance² = " + Text(surfaceRate) +
                " is beyond single precision");
    }

    const std::array<float, 301>& A = tables.air.coefficient;
    const std::array<float, 301>& S = tables.spectrum.intensity;
    double reference = 0.0;
    double largestAir = 0.0;
    int largestAirRecord = 1;
    for (int i = Spectrum::kFirstBin; i <= 300; ++i) {
        reference += static_cast<double>(A[i]) * S[i] * (i * Spectrum::kBinWidth) * job.photonCount;
        if (A[i] > largestAir) {
            largestAir = A[i];
            largestAirRecord = i;
        }
    }
    const double topEnergy = tables.spectrum.lastBin * Spectrum::kBinWidth;
    if (largestAir * topEnergy > kLargestScore) {
        Refuse(records::kAirTableFile, largestAirRecord,
            "空気の係数 " + Text(largestAir) + " が大きすぎます（散乱線の値が単精度を超えます）",
            "air coefficient " + Text(largestAir) + " makes a score beyond single precision");
    }
    const ConversionTable& conversion = tables.conversion;
    for (int k = 1; k <= ConversionTable::kRows; ++k) {
        if (largestAir * topEnergy * conversion.coefficient[k] > kLargestScore) {
            Refuse(records::kConversionTableFile, k,
                "換算係数 " + Text(conversion.coefficient[k]) +
                    " が大きすぎます（線量当量が単精度を超えます）",
                "conversion coefficient " + Text(conversion.coefficient[k]) +
                    " makes a dose beyond single precision");
        }
    }

    const double referenceKerma =
        reference / (static_cast<double>(job.fieldWidth) * job.fieldLength) * 1.602e-13;
    if (!FitsSingle(reference) || !FitsSingle(referenceKerma) || !(referenceKerma > 0.0)) {
        Refuse(records::kJobFile, 5,
            "光子数 " + Text(job.photonCount) + " と Air.eac の係数の積が単精度の範囲外です",
            "photon count " + Text(job.photonCount) +
                " times the air coefficients of Air.eac is beyond single precision");
    }
    const double scale = surfaceRate / referenceKerma * 8.01e-14 / (kPi * 25.0);
    if (!FitsSingle(scale)) {
        Refuse(records::kJobFile, 1,
            "管出力から求めた線量率への換算係数 " + Text(scale) + " が単精度の範囲外です",
            "the scale from scores to rates, " + Text(scale) + ", is beyond single precision");
    }

    // The rates are worked out in single precision, the surface rate over the reference kerma
    // first; neither that step nor the largest rate any cell could reach may overflow. Half
    // the range is kept in hand for the single-precision sums these double sums stand for.
    const CellScoreBound bound =
        LargestCellScore(tables.air, tables.spectrum.lastBin, LargestConversion(tables.conversion));
    const double histories = static_cast<double>(JobHistories(tables));
    const double largestRate = scale * histories * std::max(bound.kerma, bound.dose);
    if (surfaceRate / referenceKerma > FLT_MAX / 2.0 || largestRate > FLT_MAX / 2.0) {
        Refuse(records::kJobFile, 1, "管出力 " + Text(job.tubeOutput) + " では線量率が単精度の範囲を超えます",
            "tube output " + Text(job.tubeOutput) + " makes dose rates beyond single precision");
    }
}

} // namespace engine
