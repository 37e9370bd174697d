#include "engine/parallel/work_curve.h"

#include "engine/block_stream.h"
#include "engine/input_error.h"
#include "engine/parallel/chunked_run.h"
#include "engine/rng.h"
#include "engine/sampling_tables.h"
#include "engine/scoring.h"
#include "engine/transport.h"

#include <algorithm>
#include <ctime>
#include <limits>
#include <memory>

namespace engine {

namespace {

constexpr int kGroupBins = 10;       // bins timed together: 5 keV
constexpr int kSampleHistories = 60; // histories of each bin in one sweep
// Sweeps over all the bins; each group keeps its quickest. Other work on the machine only
// ever slows a sweep down (cache lines it evicted must be fetched again), and the cheap
// low-energy histories suffer most, which would make the early bins look dearer than they are.
constexpr int kSweeps = 5;
constexpr std::uint64_t kStreamKey = 0x70726f6772657373ULL; // a stream no chunk draws from
constexpr long long kSmallestWeighedJob = 100; // jobs of fewer times the sample's histories are not weighed

// CPU seconds of the calling thread: time the system gives to other work does not count.
double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// The sample histories of one bin.
template <class Transport> void RunSample(Transport& transport, int bin)
{
    const float energy = static_cast<float>(bin) * Spectrum::kBinWidth;
    for (int n = 0; n < kSampleHistories; ++n) transport.RunHistory(energy);
}

// CPU seconds per history of each group of bins, `run(bin)` running the sample of one bin.
template <class Run> std::vector<double> GroupCosts(const std::vector<int>& bins, const Run& run)
{
    // The first histories of each energy find its tables outside the cache.
    for (const int bin : bins) run(bin);

    // CPU seconds per history of each group, the least of the sweeps.
    const int groups = (bins.back() - Spectrum::kFirstBin) / kGroupBins + 1;
    std::vector<double> seconds(static_cast<std::size_t>(groups), std::numeric_limits<double>::infinity());
    for (int sweep = 0; sweep < kSweeps; ++sweep) {
        for (std::size_t first = 0; first < bins.size();) {
            const int group = (bins[first] - Spectrum::kFirstBin) / kGroupBins;
            std::size_t last = first;
            while (last < bins.size() && (bins[last] - Spectrum::kFirstBin) / kGroupBins == group) ++last;
            const double start = ThreadSeconds();
            for (std::size_t k = first; k < last; ++k) run(bins[k]);
            const double perHistory =
                (ThreadSeconds() - start) / static_cast<double>((last - first) * kSampleHistories);
            seconds[static_cast<std::size_t>(group)] =
                std::min(seconds[static_cast<std::size_t>(group)], perHistory);
            first = last;
        }
    }
    return seconds;
}

} // namespace

WorkCurve::WorkCurve(const std::vector<long long>& binHistories, const std::vector<double>& binCost)
{
    double histories = 0.0;
    double work = 0.0;
    for (std::size_t k = 0; k < binHistories.size(); ++k) {
        histories += static_cast<double>(binHistories[k]);
        work += static_cast<double>(binHistories[k]) * binCost[k];
        histories_.push_back(histories);
        work_.push_back(work);
    }
    if (!(histories > 0.0 && work > 0.0)) {
        histories_.clear();
        work_.clear();
        return;
    }
    for (double& h : histories_) h /= histories;
    for (double& w : work_) w /= work;
}

double WorkCurve::WorkShare(double historyShare) const
{
    const double share = std::clamp(historyShare, 0.0, 1.0);
    if (histories_.empty()) return share;
    // Within a bin the histories cost alike: the work grows linearly between bin ends.
    const auto end = std::lower_bound(histories_.begin(), histories_.end(), share);
    if (end == histories_.end()) return 1.0;
    const std::size_t k = static_cast<std::size_t>(end - histories_.begin());
    const double h0 = k == 0 ? 0.0 : histories_[k - 1];
    const double w0 = k == 0 ? 0.0 : work_[k - 1];
    const double width = histories_[k] - h0;
    return width > 0.0 ? w0 + (work_[k] - w0) * (share - h0) / width : work_[k];
}

WorkCurve MeasureWorkCurve(const Tables& tables, const EngineGeometry& geometry, bool chunked)
{
    std::vector<int> bins;
    std::vector<long long> histories;
    for (int bin = Spectrum::kFirstBin; bin <= tables.spectrum.lastBin; ++bin) {
        if (BinHistories(tables, bin) == 0) continue;
        bins.push_back(bin);
        histories.push_back(BinHistories(tables, bin));
    }
    // A job that is over in moments needs no weighing, and should not wait for it.
    const auto sample = static_cast<long long>(bins.size()) * kSampleHistories * (kSweeps + 1);
    if (bins.empty() || JobHistories(tables) < kSmallestWeighedJob * sample) return {};
    std::vector<double> groups;
    try {
        // Each mode's own transport on a stream no chunk draws from and grids of its own.
        auto grids = std::make_unique<Grids>();
        GridScorer scorer(tables, geometry, *grids);
        if (chunked) {
            const auto sampling = std::make_unique<const SamplingTables>(BuildSamplingTables(tables));
            auto stream = std::make_unique<BlockStream>();
            stream->SeedStream(kStreamKey);
            TabledTransport transport(tables, *sampling, *stream, scorer);
            groups = GroupCosts(bins, [&](int bin) { RunSample(transport, bin); });
        } else {
            Rng rng;
            rng.SeedStream(kStreamKey);
            Transport transport(tables, rng, scorer);
            groups = GroupCosts(bins, [&](int bin) { RunSample(transport, bin); });
        }
    } catch (const InputError&) {
        // The run meets the same tables and reports what cannot be sampled.
        return {};
    }
    std::vector<double> costs;
    for (const int bin : bins)
        costs.push_back(groups[static_cast<std::size_t>((bin - Spectrum::kFirstBin) / kGroupBins)]);
    return WorkCurve(histories, costs);
}

} // namespace engine
