#include "engine/parallel/exact_sums.h"
#include "engine/parallel/merge_parts.h"
#include "engine/parallel/partial_result.h"
#include "engine/parallel/progress_title.h"
#include "engine/parallel/run_options.h"
#include "engine/rng.h"
#include "engine/run.h"
#include "engine_test_support.h"
#include "records/uncertainty_file.h"

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
using enginetest::ReadBytes;

const std::string kResult = "e2e-結果.dsr5";
const std::string kErrors = "e2e-結果.dsrE";

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
    const std::string reference = ReadBytes(folder.File(kResult));
    const std::string errors = ReadBytes(folder.File(kErrors));
    ASSERT_FALSE(reference.empty());
    ASSERT_FALSE(errors.empty());
    EXPECT_NE(console.find("  98 / 104\n  99 / 104\n 100 / 104\n 101 / 104\n 102 / 104\n 103 / 104\n \n"),
        std::string::npos)
        << console;
    for (int threads : {2, 3, 0}) {
        std::filesystem::remove(folder.File(kResult));
        EXPECT_EQ(RunIn(folder, Threads(threads)), console) << threads << " threads";
        EXPECT_TRUE(ReadBytes(folder.File(kResult)) == reference) << threads << " threads";
        EXPECT_TRUE(ReadBytes(folder.File(kErrors)) == errors) << threads << " threads";
    }
    const std::string single =
        (std::filesystem::remove(folder.File(kResult)), RunIn(folder, {}), ReadBytes(folder.File(kResult)));
    EXPECT_FALSE(single == reference) << "the chunked streams differ from the single stream";

    // Seed 0 is a run without a seed; any other seed draws other streams.
    for (const long long seed : {0LL, 3LL, -3LL}) {
        engine::RunOptions options = Threads(2);
        options.seed = seed;
        RunIn(folder, options);
        EXPECT_EQ(ReadBytes(folder.File(kResult)) == reference, seed == 0) << "seed " << seed;
    }

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
        << ReadBytes(folder.File("messages.txt"));
    EXPECT_TRUE(ReadBytes(folder.File("merged.dsr5")) == reference);
    EXPECT_TRUE(ReadBytes(folder.File("merged.dsrE")) == errors);
}

// The part with the first value of record `key` (of a grid's first record, for a grid's key)
// replaced by `value` and its check value recomputed, as a tool that edits sums leaves it.
std::string EditedPart(const std::string& text, const std::string& key, const std::string& value)
{
    std::string edited = text.substr(0, text.rfind("end "));
    std::size_t line = edited.find("\n" + key + (key == "kerma" || key == "dose" ? "\n" : " ")) + 1;
    if (edited[line + key.size()] == '\n') line += key.size() + 1;
    const std::size_t first = edited.find(' ', line) + 1;
    edited.replace(first, edited.find_first_of(" \n", first) - first, value);
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : edited) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    char end[32];
    std::snprintf(end, sizeof end, "end %016llx\n", static_cast<unsigned long long>(hash));
    return edited + end;
}

TEST(ParallelTest, GnuParallelRunsTheSlicesThatMergeIntoTheThreadedResult)
{
    // The README's recipe on this machine: ":" makes GNU parallel run the slices as local
    // jobs, "2/" at most two at a time; the engine is named by its absolute path.
    JobFolder folder;
    ASSERT_EQ(Shell(folder.Path(), "command -v parallel"), 0)
        << "GNU parallel is missing: scripts/install-deps.sh installs it";
    const std::string mcstand = std::string("\"") + BRISCA_MCSTAND + "\"";
    ASSERT_EQ(Shell(folder.Path(), mcstand + " --threads 2"), 0);
    const std::string threaded = ReadBytes(folder.File(kResult));
    ASSERT_FALSE(threaded.empty());
    std::filesystem::remove(folder.File(kResult));

    ASSERT_EQ(Shell(folder.Path(), "PARALLEL_HOME=\"$PWD/.parallel\" parallel --will-cite --sshlogin 2/: '" +
                                       mcstand + " --chunks {}/3 --threads 1 </dev/null' ::: 1 2 3"),
        0)
        << ReadBytes(folder.File("messages.txt"));
    ASSERT_EQ(Shell(folder.Path(),
                  std::string("'") + BRISCA_MERGE + "' '" + kResult + "'.part-*-of-3 --out merged.dsr5"),
        0)
        << ReadBytes(folder.File("messages.txt"));
    EXPECT_TRUE(ReadBytes(folder.File("merged.dsr5")) == threaded);
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
    const std::string full = ReadBytes(two);
    std::ofstream(truncated, std::ios::binary) << full.substr(0, full.size() / 2);
    const std::string altered = folder.File("altered");
    std::string changed = full;
    changed[full.size() / 2] = changed[full.size() / 2] == '1' ? '2' : '1';
    std::ofstream(altered, std::ios::binary) << changed;
    // An older engine's part, sealed as that engine sealed it: version 1, no squares.
    const std::string older = folder.File("older");
    std::string version1 = full.substr(0, full.find("kerma-squares\n"));
    version1.replace(version1.find("result 3\n"), 9, "result 1\n");
    std::ofstream(older, std::ios::binary) << version1 << "end " << engine::PartSeal(version1) << "\n";
    const std::string seeded = folder.File("seeded");
    {
        JobFolder again;
        again.SetRecord("B2F.txt", 5, "2.000E+04");
        options.seed = 5;
        RunIn(again, options);
        std::filesystem::copy_file(again.File(kResult + ".part-2-of-2"), seeded);
    }
    const auto edited = [&](const char* name, const std::string& key, const std::string& value) {
        std::ofstream(folder.File(name), std::ios::binary) << EditedPart(full, key, value);
        return folder.File(name);
    };
    std::filesystem::create_hard_link(one, folder.File("linked"));

    const struct {
        std::vector<std::string> parts;
        std::string message;             // a part of the message
        std::string out = "merged.dsr5"; // in the folder
    } cases[] = {
        {{one, foreign}, "[" + kResult + ".part-2-of-2: belongs to another job"},
        {{one}, "[no part holds slice 2 / 2]"},
        {{one, two, one}, ".part-1-of-2: holds slice 1, as " + one + " does]"},
        {{one, truncated}, "[truncated: the part is truncated or damaged"},
        {{one, altered}, "[altered: the part is truncated or damaged"},
        {{one, folder.File("B2F.txt")}, "B2F.txt: the part is truncated or damaged"},
        {{one, folder.File("absent")}, "absent"},
        {{one, older}, "[older: a partial result of the older layout 1, written by an earlier engine"},
        {{one, seeded}, "[seeded: belongs to another job, seed, spectrum or set of tables"},
        {{one, edited("negative", "kerma", "-1")}, "[negative, record 17: kerma sum '-1' is negative]"},
        {{one, edited("unreachable", "dose", "99999999999999999999999999999999")},
            "[unreachable, record 201: dose sum '99999999999999999999999999999999' is beyond what the "
            "part's histories can reach]"},
        {{edited("overflowed", "overflow", "1"), two},
            "overflowed の 15 行目: 和が計算中に溢れています（結合できません） [overflowed, record 15: the "
            "slice's sums overflowed; it cannot be merged]"},
        {{one, two},
            "[result file name '" + kResult + ".part-2-of-2' is the part " + kResult + ".part-2-of-2]",
            kResult + ".part-2-of-2"},
        {{one, two}, "is the part " + kResult + ".part-1-of-2]", "./" + kResult + ".part-1-of-2"},
        {{one, two}, "[result file name 'linked' is the part " + kResult + ".part-1-of-2]", "linked"},
        {{one, two},
            "結果ファイル名「Ak2Sv.dat」は計算の入力ファイルと同じです [result file name 'Ak2Sv.dat' is one "
            "of "
            "the engine's input files]",
            "Ak2Sv.dat"},
    };
    for (const auto& c : cases) {
        const std::string out = folder.File(c.out);
        const bool existed = enginetest::FileExists(out);
        const std::string before = ReadBytes(out);
        std::ostringstream messages;
        EXPECT_EQ(engine::MergeParts(c.parts, out, messages), 1) << c.message;
        EXPECT_NE(messages.str().find(c.message), std::string::npos) << messages.str();
        EXPECT_EQ(enginetest::FileExists(out), existed) << c.message;
        EXPECT_TRUE(ReadBytes(out) == before) << c.message;
        EXPECT_FALSE(enginetest::FileExists(records::UncertaintyFileName(out))) << c.message;
    }
    std::ostringstream messages;
    EXPECT_EQ(engine::MergeParts({two, one}, folder.File("merged.dsr5"), messages), 0) << messages.str();
}

TEST(ParallelTest, MalformedOptionsAreRefused)
{
    const struct {
        std::vector<std::string> arguments;
        const char* variable;
        std::string error; // "" when accepted
        int threads;
        bool chunked;
        long long seed = 0;
        double precision = 0.0;
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
        {{"--seed", "17"}, nullptr, "", 0, true, 17},
        {{"--seed=-9223372036854775808"}, "2", "", 2, true, -9223372036854775807LL - 1},
        {{"--seed", "0"}, nullptr, "", 0, true, 0},
        {{"--seed", "9223372036854775808"}, nullptr, "--seed: '9223372036854775808' is not a whole number", 0,
            false},
        {{"--seed", "1e3"}, nullptr, "--seed: '1e3' is not a whole number", 0, false},
        {{"--seed", "+4"}, nullptr, "--seed: '+4' is not a whole number", 0, false},
        {{"--seed"}, nullptr, "[--seed needs a value]", 0, false},
        {{"--precision", "5"}, nullptr, "", 0, true, 0, 5.0},
        {{"--precision=2.5", "--threads", "1"}, nullptr, "", 1, true, 0, 2.5},
        {{"--precision", "100"}, nullptr, "", 0, true, 0, 100.0},
        {{"--precision", "0"}, nullptr, "--precision: '0' is not a percentage above 0 and at most 100", 0,
            false},
        {{"--precision", "100.5"}, nullptr, "--precision: '100.5' is not a percentage", 0, false},
        {{"--precision", "-5"}, nullptr, "--precision: '-5' is not a percentage", 0, false},
        {{"--precision", "5%"}, nullptr, "--precision: '5%' is not a percentage", 0, false},
        {{"--precision", "nan"}, nullptr, "--precision: 'nan' is not a percentage", 0, false},
        {{"--precision", "5", "--chunks", "1/2"}, nullptr, "--precision cannot be combined with --chunks", 0,
            false},
    };
    for (const auto& c : cases) {
        const engine::ParsedRunOptions parsed = engine::ParseRunOptions(c.arguments, {c.variable});
        const std::string where = c.arguments.empty()
                                      ? std::string("variable ") + (c.variable ? c.variable : "unset")
                                      : c.arguments.front();
        if (c.error.empty()) {
            EXPECT_EQ(parsed.error, "") << where;
            EXPECT_EQ(parsed.options.threads, c.threads) << where;
            EXPECT_EQ(parsed.options.chunked, c.chunked) << where;
            EXPECT_EQ(parsed.options.seed, c.seed) << where;
            EXPECT_EQ(parsed.options.precision, c.precision) << where;
        } else {
            EXPECT_NE(parsed.error.find(c.error), std::string::npos) << where << ": " << parsed.error;
        }
    }

    // The seed and the precision from the environment, unless the command line gives them.
    const struct {
        std::vector<std::string> arguments;
        engine::RunVariables variables;
        std::string error; // "" when accepted
        long long seed;
        double precision;
    } variableCases[] = {
        {{}, {nullptr, "42", "2.5"}, "", 42, 2.5},
        {{"--seed", "7", "--precision", "3"}, {nullptr, "x", "y"}, "", 7, 3.0},
        {{}, {nullptr, "", ""}, "", 0, 0.0},
        {{}, {nullptr, "1e3", nullptr}, "[BRISCA_SEED: '1e3' is not a whole number", 0, 0.0},
        {{}, {nullptr, nullptr, "0"}, "[BRISCA_PRECISION: '0' is not a percentage", 0, 0.0},
        {{"--chunks", "1/2"}, {nullptr, nullptr, "5"}, "cannot be combined with --chunks", 0, 0.0},
    };
    for (const auto& c : variableCases) {
        const engine::ParsedRunOptions parsed = engine::ParseRunOptions(c.arguments, c.variables);
        const std::string where = std::string(c.variables.seed ? c.variables.seed : "-") + " " +
                                  (c.variables.precision ? c.variables.precision : "-");
        if (c.error.empty()) {
            EXPECT_EQ(parsed.error, "") << where;
            EXPECT_EQ(parsed.options.seed, c.seed) << where;
            EXPECT_EQ(parsed.options.precision, c.precision) << where;
            EXPECT_EQ(parsed.options.chunked, c.seed != 0 || c.precision > 0) << where;
        } else {
            EXPECT_NE(parsed.error.find(c.error), std::string::npos) << where << ": " << parsed.error;
        }
    }

    // The program itself: status 2, and no result or partial result.
    JobFolder folder;
    const std::string mcstand = std::string("'") + BRISCA_MCSTAND + "'";
    EXPECT_EQ(WEXITSTATUS(Shell(folder.Path(), mcstand + " --chunks 1/0")), 2);
    EXPECT_EQ(WEXITSTATUS(Shell(folder.Path(), "BRISCA_THREADS=x " + mcstand)), 2);
    EXPECT_NE(ReadBytes(folder.File("messages.txt")).find("BRISCA_THREADS: 'x'"), std::string::npos);
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        EXPECT_EQ(entry.path().filename().string().find(".dsr5"), std::string::npos) << entry.path();
}

// The header's photon count (record 12) and the kerma summed over the phantom-centre height.
struct ResultSummary {
    std::string histories;
    double centreKerma = 0.0;
};

ResultSummary Summarise(const std::string& text)
{
    std::istringstream in(text);
    std::string line;
    ResultSummary summary;
    for (int record = 1; std::getline(in, line); ++record) {
        if (record == 12) summary.histories = line.substr(0, line.size() - 1);
        // Block 2's kerma records follow its height and unit labels.
        const int first = 12 + (2 + 61 + 1 + 61) + 2 + 1;
        for (int i = 0; record >= first && record < first + 61 && i < 41; ++i)
            summary.centreKerma +=
                std::strtod(line.substr(static_cast<std::size_t>(11 * i), 11).c_str(), nullptr);
    }
    return summary;
}

TEST(ParallelTest, PrecisionRunsStopAtTheSameRoundOnAnyThreadCount)
{
    // 5 × 10^5 histories at 50 to 51.5 keV: rounds end after 100 000, 125 000, 156 248, ... histories.
    JobFolder folder;
    for (int i = 1; i <= 300; ++i)
        folder.SetRecord("B_SPCTL.dat", i, i >= 100 && i <= 103 ? "0000.0, 1.00000" : "0000.0, 0.00000");
    folder.SetRecord("B2F.txt", 5, "5.000E+05");
    RunIn(folder, Threads(2));
    const ResultSummary whole = Summarise(ReadBytes(folder.File(kResult)));

    // A precision of 100 % is reached as soon as every cell of interest has a score; 0.5 %
    // not within this job. The tighter the precision, the more rounds.
    const struct {
        double precision;
        std::string line; // the console's last word on the precision
    } cases[] = {
        {100.0, "[precision 100 % reached after 100000 histories"},
        {40.0, "[precision 40 % reached after "},
        {0.5, "[all 500000 histories of the job ran without reaching 0.5 %"},
    };
    std::vector<long long> rounds;
    for (const auto& c : cases) {
        std::string console;
        std::string result;
        std::string errors;
        for (const int threads : {1, 2}) {
            engine::RunOptions options = Threads(threads);
            options.precision = c.precision;
            const std::string shown = RunIn(folder, options);
            EXPECT_NE(shown.find(c.line), std::string::npos) << shown;
            if (threads == 1) {
                console = shown;
                result = ReadBytes(folder.File(kResult));
                errors = ReadBytes(folder.File(kErrors));
            } else {
                EXPECT_EQ(shown, console) << c.precision;
                EXPECT_TRUE(ReadBytes(folder.File(kResult)) == result) << c.precision;
                EXPECT_TRUE(ReadBytes(folder.File(kErrors)) == errors) << c.precision;
            }
        }
        long long count = 0;
        for (std::size_t at = console.find("[round "); at != std::string::npos;
             at = console.find("[round ", at + 1))
            ++count;
        rounds.push_back(count);
        // Normalised by the histories each bin ran: a run stopped early estimates the same
        // rates as the whole job, within a few per cent over the summed plane.
        const ResultSummary stopped = Summarise(result);
        EXPECT_NEAR(stopped.centreKerma / whole.centreKerma, 1.0, 0.03) << c.precision;
        EXPECT_EQ(stopped.histories, c.precision == 100.0 ? " 0.1E+06" : stopped.histories);
        // The header keeps one significant digit of the count: the console says how many ran.
        const std::size_t after = console.find("reached after ");
        EXPECT_EQ(after == std::string::npos, c.precision < 1.0) << console;
        if (after != std::string::npos) {
            EXPECT_LT(std::stoll(console.substr(after + 14)), 500000) << console;
        }
    }
    EXPECT_EQ(rounds.front(), 1);

    // The terminal title carries the error reached beside the share done.
    std::istringstream in;
    std::ostringstream out;
    std::string title;
    engine::Console console{in, out,
        [] {
            return engine::ClockTime{9, 5, 3};
        },
        [&](const std::string& text) { title = text; }};
    engine::RunOptions options = Threads(2);
    options.precision = 100.0;
    ASSERT_EQ(engine::RunEngine(engine::kStandingGeometry, folder.Path(), console, options), 0);
    EXPECT_TRUE(title.starts_with("100% 誤差 ") && title.ends_with("% / 100% (error)")) << title;
    EXPECT_TRUE(
        std::is_sorted(rounds.begin(), rounds.end()) && rounds[0] < rounds[1] && rounds[1] < rounds[2])
        << rounds[0] << " " << rounds[1] << " " << rounds[2];
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

    EXPECT_EQ(engine::ProgressTitleText(0.0, 0.0), "0%");
    EXPECT_EQ(engine::ProgressTitleText(0.25, 10.0), "25% 残り 0:00:30 (left)");
    EXPECT_EQ(engine::ProgressTitleText(1.0 / 36001, 1.0), "0% 残り 10:00:00 (left)");
    EXPECT_EQ(engine::ProgressTitleText(1.0, 5.0), "100%");
    EXPECT_EQ(engine::TitleEscape("x"), "\x1b]0;x\x07");
}

TEST(ParallelTest, WorkCurveWeighsTheHistoriesDoneByTheirBinsCost)
{
    // Bins of 100, 0 and 300 histories; the last costs three times as much per history.
    const engine::WorkCurve curve({100, 0, 300}, {1.0, 5.0, 3.0});
    const struct {
        double histories; // share of the histories done
        double work;      // share of the work done
    } cases[] = {{0.0, 0.0}, {0.125, 0.05}, {0.25, 0.1}, {0.5, 0.4}, {1.0, 1.0}, {1.5, 1.0}, {-1.0, 0.0}};
    for (const auto& c : cases) {
        EXPECT_NEAR(curve.WorkShare(c.histories), c.work, 1e-12) << c.histories;
        EXPECT_EQ(engine::WorkCurve().WorkShare(c.histories), std::clamp(c.histories, 0.0, 1.0));
    }
    EXPECT_EQ(engine::WorkCurve({0, 0}, {1.0, 2.0}).WorkShare(0.5), 0.5);

    // A quarter of the histories took 10 s: a tenth of the work, so 90 s are left, not 30 s.
    std::vector<std::string> titles;
    engine::ProgressTitle title([&](const std::string& text) { titles.push_back(text); }, curve);
    title.Finish();
    EXPECT_EQ(titles, std::vector<std::string>{"100%"});
    EXPECT_EQ(engine::ProgressTitleText(curve.WorkShare(0.25), 10.0), "10% 残り 0:01:30 (left)");
}

} // namespace
