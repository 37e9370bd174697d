#include "result_comparison.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace enginetest {

namespace {

// Position in the values of (grid, beam-axis index b, lateral index i).
std::size_t At(int grid, int b, int i) { return static_cast<std::size_t>((grid * 61 + b) * 41 + i); }

// Grid 0 is the kerma of the first height, 1 its dose, 2 the kerma of the second, ...
constexpr int kCentreKerma = 2;            // kerma at the phantom-centre height
constexpr int kSideLateral = 10;           // 100 cm
constexpr int kSideAlong[] = {29, 30, 31}; // beam-axis positions −10, 0, +10 cm

double SideOf(const std::vector<double>& values)
{
    double side = 0.0;
    for (int b : kSideAlong) side += values[At(kCentreKerma, b, kSideLateral)];
    return side;
}

std::array<double, kResultGrids> SumsOf(const std::vector<double>& values)
{
    std::array<double, kResultGrids> sums{};
    for (int grid = 0; grid < kResultGrids; ++grid)
        for (int v = 0; v < kGridValues; ++v)
            sums[static_cast<std::size_t>(grid)] += values[static_cast<std::size_t>(grid * kGridValues + v)];
    return sums;
}

// The part's exact sums in the result file's order, as doubles.
std::vector<double> PartValues(const engine::PartialResult& part)
{
    std::vector<double> values(static_cast<std::size_t>(kResultGrids * kGridValues));
    for (int height = 0; height < 3; ++height) {
        for (int b = 0; b < 61; ++b) {
            for (int i = 0; i < 41; ++i) {
                const int cell = engine::Grids::Index(height, b, i);
                values[At(2 * height, b, i)] =
                    static_cast<double>(part.sums->kerma[static_cast<std::size_t>(cell)]);
                values[At(2 * height + 1, b, i)] =
                    static_cast<double>(part.sums->dose[static_cast<std::size_t>(cell)]);
            }
        }
    }
    return values;
}

// The standard error of a total of K independent parts, relative to the total.
double RelativeError(const std::vector<double>& partSums)
{
    double total = 0.0;
    for (double s : partSums) total += s;
    if (total == 0.0) return 0.0;
    const double k = static_cast<double>(partSums.size());
    const double mean = total / k;
    double squares = 0.0;
    for (double s : partSums) squares += (s - mean) * (s - mean);
    return std::sqrt(k * squares / (k - 1.0)) / std::fabs(total);
}

} // namespace

ComparedRun ReadResultValues(const std::string& text)
{
    ComparedRun run;
    run.values.assign(static_cast<std::size_t>(kResultGrids * kGridValues), 0.0);
    std::istringstream in(text);
    std::string line;
    for (int skip = 0; skip < 12; ++skip) std::getline(in, line);
    for (int height = 0; height < 3; ++height) {
        std::getline(in, line); // height
        for (int quantity = 0; quantity < 2; ++quantity) {
            std::getline(in, line); // unit
            for (int b = 0; b < 61; ++b) {
                std::getline(in, line);
                for (int i = 0; i < 41; ++i)
                    run.values[At(2 * height + quantity, b, i)] =
                        std::strtod(line.substr(static_cast<std::size_t>(11 * i), 11).c_str(), nullptr);
            }
        }
    }
    run.sums = SumsOf(run.values);
    run.side = SideOf(run.values);
    return run;
}

ComparedRun ReadResultWithSliceErrors(
    const std::string& text, const std::vector<engine::PartialResult>& parts)
{
    ComparedRun run = ReadResultValues(text);
    std::vector<std::vector<double>> partValues;
    for (const engine::PartialResult& part : parts) partValues.push_back(PartValues(part));
    std::vector<double> partSums(parts.size());
    run.errors.assign(run.values.size(), 0.0);
    for (std::size_t v = 0; v < run.values.size(); ++v) {
        for (std::size_t p = 0; p < parts.size(); ++p) partSums[p] = partValues[p][v];
        run.errors[v] = RelativeError(partSums) * std::fabs(run.values[v]);
    }
    for (std::size_t grid = 0; grid < run.sums.size(); ++grid) {
        for (std::size_t p = 0; p < parts.size(); ++p) partSums[p] = SumsOf(partValues[p])[grid];
        run.sumErrors[grid] = RelativeError(partSums) * std::fabs(run.sums[grid]);
    }
    for (std::size_t p = 0; p < parts.size(); ++p) partSums[p] = SideOf(partValues[p]);
    run.sideError = RelativeError(partSums) * std::fabs(run.side);
    return run;
}

Comparison CompareRuns(const ComparedRun& a, const ComparedRun& b)
{
    if (a.errors.empty() && b.errors.empty()) throw std::invalid_argument("neither run has errors");
    const ComparedRun& aErrors = a.errors.empty() ? b : a;
    const ComparedRun& bErrors = b.errors.empty() ? a : b;
    auto sigmas = [](double difference, double errorA, double errorB) {
        const double error = std::sqrt(errorA * errorA + errorB * errorB);
        return error > 0.0 ? std::fabs(difference) / error : (difference == 0.0 ? 0.0 : INFINITY);
    };
    Comparison result;
    for (std::size_t grid = 0; grid < a.sums.size(); ++grid) {
        result.sumDeviation[grid] = b.sums[grid] / a.sums[grid] - 1.0;
        result.sumSigmas[grid] =
            sigmas(b.sums[grid] - a.sums[grid], aErrors.sumErrors[grid], bErrors.sumErrors[grid]);
    }
    for (int grid = 0; grid < kResultGrids; ++grid) {
        double largest = 0.0;
        for (int v = 0; v < kGridValues; ++v) {
            const std::size_t at = static_cast<std::size_t>(grid * kGridValues + v);
            largest = std::max(largest, 0.5 * (a.values[at] + b.values[at]));
        }
        for (int v = 0; v < kGridValues; ++v) {
            const std::size_t at = static_cast<std::size_t>(grid * kGridValues + v);
            if (!(0.5 * (a.values[at] + b.values[at]) >= 0.01 * largest) || largest == 0.0) continue;
            const double s = sigmas(b.values[at] - a.values[at], aErrors.errors[at], bErrors.errors[at]);
            ++result.cells;
            result.cellsBeyond4 += static_cast<int>(s > 4.0);
            result.cellsBeyond3 += static_cast<int>(s > 3.0);
            result.largestSigmas = std::max(result.largestSigmas, s);
        }
    }
    result.sideDeviation = b.side / a.side - 1.0;
    result.sideSigmas = sigmas(b.side - a.side, aErrors.sideError, bErrors.sideError);
    return result;
}

} // namespace enginetest
