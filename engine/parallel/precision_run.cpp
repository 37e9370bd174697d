#include "engine/parallel/precision_run.h"

#include "engine/scoring.h"
#include "engine/uncertainty.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace engine {

namespace {

// The rounds' chunks are numbered from here within each bin, so that their streams are none
// of those a run of the whole job draws (no bin has 2^40 chunks).
constexpr long long kRoundChunkBase = 1LL << 40;

// "12.3" for a relative error, "—" when no cell of interest has one yet.
std::string ErrorText(double largestError)
{
    if (largestError < 0.0) return "—";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", largestError);
    return text;
}

std::string PrecisionText(double precision)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", precision);
    return text;
}

} // namespace

PrecisionRounds MakePrecisionRounds(const Tables& tables)
{
    __extension__ typedef unsigned __int128 Wide;
    const long long total = JobHistories(tables);
    PrecisionRounds rounds;
    std::array<long long, 301> done{};
    std::array<long long, 301> chunksSoFar{};
    for (long long target = kFirstRoundHistories;; target += target / 4) {
        const bool last = target >= total;
        std::vector<Chunk> chunks;
        long long histories = 0;
        for (int bin = Spectrum::kFirstBin; bin <= tables.spectrum.lastBin; ++bin) {
            const auto b = static_cast<std::size_t>(bin);
            const long long binTotal = BinHistories(tables, bin);
            // The same share of every bin: floor(binTotal × target / total), exact.
            const long long share =
                last ? binTotal
                     : static_cast<long long>(static_cast<Wide>(binTotal) * static_cast<Wide>(target) /
                                              static_cast<Wide>(total));
            for (long long first = done[b]; first < share; first += kChunkHistories)
                chunks.push_back(
                    {bin, kRoundChunkBase + chunksSoFar[b]++, std::min(kChunkHistories, share - first)});
            done[b] = share;
            histories += share;
        }
        rounds.chunks.push_back(std::move(chunks));
        rounds.binHistories.push_back(done);
        rounds.histories.push_back(histories);
        if (last) break;
    }
    return rounds;
}

PrecisionOutcome RunToPrecision(const Tables& tables, const EngineGeometry& geometry, double precision,
    int threads, long long seed, const ChunkObserver& observer, const RoundObserver& roundEnded,
    ExactGrids& sums)
{
    const PrecisionRounds rounds = MakePrecisionRounds(tables);
    const long long total = JobHistories(tables);
    auto grids = std::make_unique<Grids>();
    PrecisionOutcome outcome;
    for (std::size_t r = 0; r < rounds.chunks.size(); ++r) {
        const long long before = outcome.histories;
        const ChunkObserver within{{}, [&](long long done, long long) {
                                       if (observer.ticked) observer.ticked(before + done, total);
                                   }};
        RunChunkList(tables, geometry, rounds.chunks[r], threads, within, sums, seed);
        outcome.rounds = static_cast<int>(r) + 1;
        outcome.histories = rounds.histories[r];
        outcome.binHistories = rounds.binHistories[r];
        outcome.wholeJob = r + 1 == rounds.chunks.size();
        sums.ToGrids(*grids);
        outcome.largestError = LargestErrorOfInterest(*grids, outcome.histories);
        if (roundEnded) roundEnded(outcome.rounds, outcome.histories, outcome.largestError);
        // After an overflow nothing will be written; running on would only waste the time.
        if (sums.overflow || (outcome.largestError >= 0.0 && outcome.largestError <= precision)) break;
    }
    return outcome;
}

std::string RoundLine(int round, long long histories, double largestError, double precision)
{
    const std::string r = std::to_string(round);
    const std::string n = std::to_string(histories);
    const std::string e = ErrorText(largestError);
    const std::string p = PrecisionText(precision);
    return " 第 " + r + " 回 " + n + " 履歴: 相対誤差の最大 " + e + " % (目標 " + p + " %) [round " + r +
           ", " + n + " histories: largest relative error " + e + " %, target " + p + " %]";
}

std::string PrecisionLine(const PrecisionOutcome& outcome, double precision)
{
    const std::string n = std::to_string(outcome.histories);
    const std::string e = ErrorText(outcome.largestError);
    const std::string p = PrecisionText(precision);
    if (outcome.largestError >= 0.0 && outcome.largestError <= precision)
        return " 目標の精度 " + p + " % に " + n + " 履歴で達しました（相対誤差の最大 " + e +
               " %） [precision " + p + " % reached after " + n + " histories; largest relative error " + e +
               " %]";
    return " 全 " + n + " 履歴を終えましたが目標の精度 " + p + " % に達していません（相対誤差の最大 " + e +
           " %） [all " + n + " histories of the job ran without reaching " + p +
           " %; largest relative error " + e + " %]";
}

std::string PrecisionTitle(double largestError, double precision)
{
    return " 誤差 " + ErrorText(largestError) + "% / " + PrecisionText(precision) + "% (error)";
}

} // namespace engine
