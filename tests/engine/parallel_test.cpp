#include "engine/parallel/exact_sums.h"
#include "engine/parallel/merge_parts.h"
#include "engine/parallel/progress_title.h"
#include "engine/parallel/run_options.h"
#include "engine/rng.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using enginetest::JobFolder;
using enginetest::ReadWholeFile;

const std::string kResult = "e2e-結果.dsr5";

// Console text without the time lines' digits, which only the clock fixes.
std::string RunIn(const JobFolder& folder, const engine::RunOptions& options)
{
    const enginetest::RunOutcome outcome =
        enginetest::RunEngineIn(folder, engine::kStandingGeometry, options);
    EXPECT_EQ(outcome.status, 0) << outcome.console;
    return outcome.console;
}

engine::RunOptions Threads(int n)
{
    engine::RunOptions options;
    options.chunked = true;
    options.threads = n;
    return options;
}

int Shell(const std::string& folder, const std::string& command)
{
    return std::system(
        ("cd '" + folder + "' && " + command + " </dev/null >/dev/null 2>>messages.txt").c_str());
}

TEST(ParallelTest, EveryThreadCountAndEverySlicingWritesTheSameFile)
{
    // More histories than the e2e job in a few bins, so that bins hold several chunks.
    JobFolder folder;
    for (int i = 1; i <= 300; ++i)
        folder.SetRecord("B_SPCTL.dat", i, i >= 100 && i <= 103 ? "0000.0, 1.00000" : "0000.0, 0.00000");
    folder.SetRecord("B2F.txt", 5, "1.500E+05");

    const std::string console = RunIn(folder, Threads(1));
    const std::string reference = ReadWholeFile(folder.File(kResult));
    ASSERT_FALSE(reference.empty());
    EXPECT_NE(console.find("  98 / 104\n  99 / 104\n 100 / 104\n 101 / 104\n 102 / 104\n 103 / 104\n \n"),
        std::string::npos)
        << console;
    for (int threads : {2, 3, 0}) {
        std::filesystem::remove(folder.File(kResult));
        EXPECT_EQ(RunIn(folder, Threads(threads)), console) << threads << " threads";
        EXPECT_TRUE(ReadWholeFile(folder.File(kResult)) == reference) << threads << " threads";
    }
    const std::string single = (std::filesystem::remove(folder.File(kResult)), RunIn(folder, {}),
        ReadWholeFile(folder.File(kResult)));
    EXPECT_FALSE(single == reference) << "the chunked streams differ from the single stream";

    // Slices as separate processes on this machine, in any order on the merge's line.
    std::filesystem::remove(folder.File(kResult));
    const std::string mcstand = std::string("'") + BRISCA_MCSTAND + "'";
    for (const char* slice : {"1/3", "2/3"})
        ASSERT_EQ(Shell(folder.Path(), mcstand + " --chunks " + slice), 0);
    ASSERT_EQ(Shell(folder.Path(), "BRISCA_THREADS=2 " + mcstand + " --chunks=3/3"), 0);
    EXPECT_FALSE(enginetest::FileExists(folder.File(kResult))) << "a slice writes only its partial result";
    const std::string merge = std::string("'") + BRISCA_MERGE + "' ";
    const std::string part = "'" + kResult + ".part-";
    ASSERT_EQ(Shell(folder.Path(),
                  merge + part + "3-of-3' " + part + "1-of-3' " + part + "2-of-3' --out merged.dsr5"),
        0)
        << ReadWholeFile(folder.File("messages.txt"));
    EXPECT_TRUE(ReadWholeFile(folder.File("merged.dsr5")) == reference);
}

TEST(ParallelTest, MergeRefusesPartsThatDoNotMakeOneJob)
{
    JobFolder folder;
    folder.SetRecord("B2F.txt", 5, "2.000E+04");
    for (const int k : {1, 2}) {
        engine::RunOptions options = Threads(1);
        options.sliced = true;
        options.slice = {k, 2};
        RunIn(folder, options);
    }
    const std::string one = folder.File(kResult + ".part-1-of-2");
    const std::string two = folder.File(kResult + ".part-2-of-2");
    JobFolder other;
    other.SetRecord("B2F.txt", 5, "2.000E+04");
    other.SetRecord("B2F.txt", 1, "2.000E-02");
    engine::RunOptions options = Threads(1);
    options.sliced = true;
    options.slice = {2, 2};
    RunIn(other, options);
    const std::string foreign = other.File(kResult + ".part-2-of-2");
    const std::string truncated = folder.File("truncated");
    const std::string full = ReadWholeFile(two);
    std::ofstream(truncated, std::ios::binary) << full.substr(0, full.size() / 2);
    const std::string altered = folder.File("altered");
    std::string changed = full;
    changed[full.size() / 2] = changed[full.size() / 2] == '1' ? '2' : '1';
    std::ofstream(altered, std::ios::binary) << changed;
    // A part of the earlier version, sealed as that version's engine sealed it.
    const std::string older = folder.File("older");
    std::string olderText =
        "brisca-partial-result 1" + full.substr(full.find('\n'), full.rfind("end ") - full.find('\n'));
    std::uint64_t seal = 0xcbf29ce484222325ULL;
    for (const char ch : olderText) seal = (seal ^ static_cast<unsigned char>(ch)) * 0x100000001b3ULL;
    char sealText[17];
    std::snprintf(sealText, sizeof sealText, "%016llx", static_cast<unsigned long long>(seal));
    std::ofstream(older, std::ios::binary) << olderText << "end " << sealText << "\n";

    const struct {
        std::vector<std::string> parts;
        std::string message; // a part of the message
    } cases[] = {
        {{one, foreign}, "[" + kResult + ".part-2-of-2: belongs to another job"},
        {{one}, "[no part holds slice 2 / 2]"},
        {{one, two, one}, ".part-1-of-2: holds slice 1, as " + one + " does]"},
        {{one, truncated}, "[truncated: the part is truncated or damaged"},
        {{one, altered}, "[altered: the part is truncated or damaged"},
        {{one, older}, "[older: not a partial result of this version"},
        {{one, folder.File("B2F.txt")}, "B2F.txt: the part is truncated or damaged"},
        {{one, folder.File("absent")}, "absent"},
    };
    const std::string out = folder.File("merged.dsr5");
    for (const auto& c : cases) {
        std::ostringstream messages;
        EXPECT_EQ(engine::MergeParts(c.parts, out, messages), 1) << c.message;
        EXPECT_NE(messages.str().find(c.message), std::string::npos) << messages.str();
        EXPECT_FALSE(enginetest::FileExists(out)) << c.message;
    }
    std::ostringstream messages;
    EXPECT_EQ(engine::MergeParts({two, one}, out, messages), 0) << messages.str();
}

TEST(ParallelTest, MalformedOptionsAreRefused)
{
    const struct {
        std::vector<std::string> arguments;
        const char* variable;
        std::string error; // "" when accepted
        int threads;
        bool chunked;
    } cases[] = {
        {{}, nullptr, "", 0, false},
        {{}, "", "", 0, false},
        {{}, "3", "", 3, true},
        {{"--threads", "2"}, "5", "", 2, true},
        {{"--threads=0"}, nullptr, "", 0, true},
        {{"--chunks", "2/5"}, nullptr, "", 0, true},
        {{"--chunks", "2/5"}, "1", "", 1, true},
        {{"--threads", "4097"}, nullptr, "--threads: '4097' is not a whole number from 0 to 4096", 0, false},
        {{"--threads", "-1"}, nullptr, "--threads: '-1' is not a whole number", 0, false},
        {{"--threads", " 2"}, nullptr, "--threads: ' 2' is not a whole number", 0, false},
        {{"--threads"}, nullptr, "[--threads needs a value]", 0, false},
        {{}, "two", "BRISCA_THREADS: 'two' is not a whole number", 0, false},
        {{"--chunks", "0/3"}, nullptr, "'0/3' is not K/M", 0, false},
        {{"--chunks", "4/3"}, nullptr, "'4/3' is not K/M", 0, false},
        {{"--chunks", "3"}, nullptr, "'3' is not K/M", 0, false},
        {{"--chunks", "1/x"}, nullptr, "'1/x' is not K/M", 0, false},
        {{"--chunk", "1/2"}, nullptr, "unknown argument '--chunk'", 0, false},
    };
    for (const auto& c : cases) {
        const engine::ParsedRunOptions parsed = engine::ParseRunOptions(c.arguments, c.variable);
        const std::string where = c.arguments.empty()
                                      ? std::string("variable ") + (c.variable ? c.variable : "unset")
                                      : c.arguments.front();
        if (c.error.empty()) {
            EXPECT_EQ(parsed.error, "") << where;
            EXPECT_EQ(parsed.options.threads, c.threads) << where;
            EXPECT_EQ(parsed.options.chunked, c.chunked) << where;
        } else {
            EXPECT_NE(parsed.error.find(c.error), std::string::npos) << where << ": " << parsed.error;
        }
    }

    // The program itself: status 2, and no result or partial result.
    JobFolder folder;
    const std::string mcstand = std::string("'") + BRISCA_MCSTAND + "'";
    EXPECT_EQ(WEXITSTATUS(Shell(folder.Path(), mcstand + " --chunks 1/0")), 2);
    EXPECT_EQ(WEXITSTATUS(Shell(folder.Path(), "BRISCA_THREADS=x " + mcstand)), 2);
    EXPECT_NE(ReadWholeFile(folder.File("messages.txt")).find("BRISCA_THREADS: 'x'"), std::string::npos);
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        EXPECT_EQ(entry.path().filename().string().find(".dsr5"), std::string::npos) << entry.path();
}

// Correlation coefficient of two streams' first deviates, and how many they share in place.
struct StreamComparison {
    double correlation = 0.0;
    int shared = 0;
};

StreamComparison Compare(std::uint64_t keyA, std::uint64_t keyB)
{
    constexpr int kDraws = 20000;
    engine::Rng a;
    engine::Rng b;
    a.SeedStream(keyA);
    b.SeedStream(keyB);
    double sa = 0, sb = 0, sab = 0, saa = 0, sbb = 0;
    StreamComparison result;
    for (int k = 0; k < kDraws; ++k) {
        const std::int32_t ea = a.NextEntry();
        const std::int32_t eb = b.NextEntry();
        result.shared += ea == eb;
        sa += ea;
        sb += eb;
        sab += double(ea) * eb;
        saa += double(ea) * ea;
        sbb += double(eb) * eb;
    }
    const double n = kDraws;
    result.correlation = (sab - sa * sb / n) / std::sqrt((saa - sa * sa / n) * (sbb - sb * sb / n));
    return result;
}

TEST(ParallelTest, NeighbouringChunksDrawUncorrelatedStreams)
{
    using engine::ChunkStreamKey;
    const std::pair<std::uint64_t, std::uint64_t> pairs[] = {
        {ChunkStreamKey(10, 0), ChunkStreamKey(10, 1)},
        {ChunkStreamKey(10, 0), ChunkStreamKey(11, 0)},
        {ChunkStreamKey(150, 7), ChunkStreamKey(150, 8)},
        {ChunkStreamKey(150, 0), ChunkStreamKey(150, 512)}, // seeds 512 apart once shared half
        {ChunkStreamKey(12, 1), ChunkStreamKey(13, 0)},
    };
    for (const auto& [a, b] : pairs) {
        ASSERT_NE(a, b);
        const StreamComparison c = Compare(a, b);
        // 20000 independent draws: |r| beyond 0.03 is a 4-sigma event; about 1.2 shared entries expected.
        EXPECT_LT(std::fabs(c.correlation), 0.03) << std::hex << a << " " << b;
        EXPECT_LT(c.shared, 10) << std::hex << a << " " << b;
    }
}

TEST(ParallelTest, ExactSumsAndTitleTexts)
{
    for (const engine::ExactInt value : {engine::ExactInt{0}, engine::ExactInt{-7},
             engine::ExactInt{1} << 100, -(engine::ExactInt{1} << 126)}) {
        engine::ExactInt back = 1;
        ASSERT_TRUE(engine::ExactFromText(engine::ExactToText(value), back));
        EXPECT_TRUE(back == value) << engine::ExactToText(value);
    }
    engine::ExactInt ignored;
    for (const char* bad : {"", "-", "1x", "+1", "1234567890123456789012345678901234567890"})
        EXPECT_FALSE(engine::ExactFromText(bad, ignored)) << bad;

    // Chunk sums land on the nearest 2^-32 step, ties to even, below and above 2^19 alike;
    // the chunk is left zero.
    {
        auto chunk = std::make_unique<engine::Grids>();
        engine::ExactGrids steps;
        chunk->kerma[0] = 2.5 * 0x1p-32;
        chunk->kerma[1] = -3.5 * 0x1p-32;
        chunk->kerma[2] = 0x1p19 + 0.5 * 0x1p-32;
        chunk->dose[3] = -(0x1p18 + 1.75 * 0x1p-32);
        steps.Take(*chunk);
        EXPECT_TRUE(steps.kerma[0] == 2);
        EXPECT_TRUE(steps.kerma[1] == -4);
        EXPECT_TRUE(steps.kerma[2] == engine::ExactInt{1} << 51);
        EXPECT_TRUE(steps.dose[3] == -((engine::ExactInt{1} << 50) + 2));
        EXPECT_EQ(*std::max_element(chunk->kerma.begin(), chunk->kerma.end()), 0.0);
        EXPECT_EQ(*std::min_element(chunk->dose.begin(), chunk->dose.end()), 0.0);
    }

    // A chunk sum that is not finite poisons the result, which is then refused, not written.
    auto grids = std::make_unique<engine::Grids>();
    engine::ExactGrids sums;
    grids->kerma[5] = 1.5;
    sums.Take(*grids);
    sums.ToGrids(*grids);
    EXPECT_EQ(grids->kerma[5], 1.5);
    grids->dose[7] = INFINITY;
    sums.Take(*grids);
    sums.ToGrids(*grids);
    EXPECT_TRUE(std::isnan(grids->kerma[5]));

    EXPECT_EQ(engine::ProgressTitleText(0, 1000, 0.0), "0%");
    EXPECT_EQ(engine::ProgressTitleText(250, 1000, 10.0), "25% 残り 0:00:30 (left)");
    EXPECT_EQ(engine::ProgressTitleText(1, 3600 * 10 + 1, 1.0), "0% 残り 10:00:00 (left)");
    EXPECT_EQ(engine::ProgressTitleText(1000, 1000, 5.0), "100%");
    EXPECT_EQ(engine::TitleEscape("x"), "\x1b]0;x\x07");
}

} // namespace
