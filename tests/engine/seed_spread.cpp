#include "seed_spread.h"

#include "engine_test_support.h"
#include "records/uncertainty_file.h"
#include "refiner/result_file.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>

namespace enginetest {

namespace {

constexpr int kGrids = 6;
constexpr int kAlong = 61;
constexpr int kLateral = 41;

// One repeat's rate and estimated standard error of every cell: [grid][along][lateral].
struct Repeat {
    double rate[kGrids][kAlong][kLateral];
    double error[kGrids][kAlong][kLateral]; // negative where the cell has no score
};

void ReadRepeat(const std::string& folder, const std::string& resultName, Repeat& repeat)
{
    const auto coarse = std::make_unique<refiner::CoarseResult>();
    refiner::ReadResultFile(folder + "/" + resultName, *coarse);
    const auto errors = std::make_unique<records::RelativeErrors>();
    const std::string failure =
        records::ReadUncertaintyFile(folder + "/" + records::UncertaintyFileName(resultName), *errors);
    if (!failure.empty()) throw std::runtime_error(failure);
    for (int g = 0; g < kGrids; ++g) {
        const auto h = static_cast<std::size_t>(g / 2);
        const refiner::CoarseLayer& rates = g % 2 == 0 ? coarse->kerma[h] : coarse->dose[h];
        const records::ErrorLayer& percent = g % 2 == 0 ? errors->kerma[h] : errors->dose[h];
        for (int b = 0; b < kAlong; ++b) {
            for (int i = 0; i < kLateral; ++i) {
                const double rate = rates.rows[static_cast<std::size_t>(b)][static_cast<std::size_t>(i)];
                const double e = percent.rows[static_cast<std::size_t>(b)][static_cast<std::size_t>(i)];
                repeat.rate[g][b][i] = rate;
                repeat.error[g][b][i] = e < 0.0 ? -1.0 : rate * e / 100.0;
            }
        }
    }
}

} // namespace

std::vector<CellSpread> SeedSpread(
    const std::string& folder, const std::string& resultName, int seeds, int threads)
{
    std::vector<std::unique_ptr<Repeat>> repeats;
    for (int seed = 1; seed <= seeds; ++seed) {
        engine::RunOptions options;
        options.chunked = true;
        options.threads = threads;
        options.seed = seed;
        const RunOutcome outcome = RunEngineAt(folder, engine::kStandingGeometry, options);
        if (outcome.status != 0) throw std::runtime_error(outcome.console);
        repeats.push_back(std::make_unique<Repeat>());
        ReadRepeat(folder, resultName, *repeats.back());
    }

    std::vector<CellSpread> cells;
    const double n = static_cast<double>(seeds);
    for (int g = 0; g < kGrids; ++g) {
        double largest = 0.0;
        for (int b = 0; b < kAlong; ++b) {
            for (int i = 0; i < kLateral; ++i) {
                double sum = 0.0;
                for (const auto& r : repeats) sum += r->rate[g][b][i];
                largest = std::max(largest, sum / n);
            }
        }
        for (int b = 0; b < kAlong; ++b) {
            for (int i = 0; i < kLateral; ++i) {
                CellSpread cell{g, b, i, 0.0, 0.0, 0.0};
                double squares = 0.0;
                double estimated = 0.0;
                bool scored = true;
                for (const auto& r : repeats) {
                    cell.mean += r->rate[g][b][i] / n;
                    squares += r->rate[g][b][i] * r->rate[g][b][i];
                    estimated += r->error[g][b][i] * r->error[g][b][i] / n;
                    scored = scored && r->error[g][b][i] >= 0.0;
                }
                if (!scored || largest <= 0.0 || cell.mean < 0.01 * largest) continue;
                cell.observed = std::sqrt(std::max(0.0, (squares - n * cell.mean * cell.mean) / (n - 1.0)));
                cell.estimated = std::sqrt(estimated);
                cells.push_back(cell);
            }
        }
    }
    return cells;
}

double MedianRatio(const std::vector<CellSpread>& cells)
{
    if (cells.empty()) return 0.0;
    std::vector<double> ratios;
    for (const CellSpread& cell : cells) ratios.push_back(cell.observed / cell.estimated);
    const auto middle = ratios.begin() + static_cast<std::ptrdiff_t>(ratios.size() / 2);
    std::nth_element(ratios.begin(), middle, ratios.end());
    if (ratios.size() % 2 == 1) return *middle;
    return 0.5 * (*middle + *std::max_element(ratios.begin(), middle));
}

} // namespace enginetest
