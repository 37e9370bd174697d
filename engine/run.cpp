#include "engine/run.h"

#include "engine/input_error.h"
#include "engine/input_files.h"
#include "engine/parallel/partial_result.h"
#include "engine/parallel/precision_run.h"
#include "engine/parallel/progress_title.h"
#include "engine/progress_report.h"
#include "engine/result_file.h"
#include "engine/rng.h"
#include "engine/scoring.h"
#include "engine/stop_signals.h"
#include "engine/transport.h"
#include "records/atomic_file.h"
#include "records/exit_status.h"
#include "records/field_error.h"
#include "records/field_writer.h"
#include "records/uncertainty_file.h"

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace engine {

namespace {

// Console lines written without a format carry one leading blank.
void Say(Console& console, std::string_view text) { console.out << ' ' << text << '\n'; }

// A run asked to stop waits for no one.
void WaitForEnter(Console& console)
{
    console.out.flush();
    if (StopRequested()) return;
    std::string ignored;
    std::getline(console.in, ignored);
}

// "(' ',' <label> =',I2,':',I2,':',I2)"
void SayTime(Console& console, const char* label, const ClockTime& time)
{
    std::string line = "  ";
    line += label;
    line += " =";
    records::AppendI(line, time.hour, 2);
    line += ':';
    records::AppendI(line, time.minute, 2);
    line += ':';
    records::AppendI(line, time.second, 2);
    console.out << line << '\n';
}

void SayPressEnter(Console& console) { Say(console, "  ---     Enter キーを押して下さい   ---"); }

// Shows why the run stops, leaves it in the progress file once the run has begun, waits for
// Enter and gives the failing exit status.
int Refuse(Console& console, const std::string& message, ProgressReport* report = nullptr)
{
    if (report != nullptr) report->Fail(message);
    console.out << message << '\n';
    SayPressEnter(console);
    WaitForEnter(console);
    return records::kExitRefused;
}

// The run was asked to stop: nothing of it stays behind (the pending files remove their
// temporaries as they go).
int Stop(Console& console, ProgressReport& report)
{
    report.Remove();
    console.out
        << " 計算を中止しました。結果は書き込まれていません [the run was stopped; no result was written]\n";
    console.out.flush();
    return records::kExitCancelled;
}

} // namespace

ClockTime LocalClock()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

std::function<void(const std::string&)> TerminalTitle()
{
    if (!isatty(STDOUT_FILENO)) return {};
    return [](const std::string& text) { std::cout << TitleEscape(text) << std::flush; };
}

int EngineMain(const EngineGeometry& geometry, int argc, char** argv)
{
    const ParsedRunOptions parsed = ParseRunOptions(std::vector<std::string>(argv + 1, argv + argc),
        {std::getenv("BRISCA_THREADS"), std::getenv("BRISCA_SEED"), std::getenv("BRISCA_PRECISION")});
    if (!parsed.error.empty()) {
        std::cerr << parsed.error << '\n';
        return records::kExitUsage;
    }
    CatchStopSignals();
    Console console{std::cin, std::cout, LocalClock, TerminalTitle()};
    return RunEngine(geometry, "", console, parsed.options);
}

int RunEngine(
    const EngineGeometry& geometry, const std::string& directory, Console& console, const RunOptions& options)
{
    // The generator is seeded before anything else, so every run draws the same deviates.
    Rng rng;

    // Every input is read and checked before a single history runs.
    std::unique_ptr<Tables> tables;
    std::string fingerprint;
    try {
        tables = std::make_unique<Tables>(LoadTables(directory));
        if (options.sliced) fingerprint = InputsFingerprint(directory);
    } catch (const InputError& e) {
        return Refuse(console, e.what());
    }
    // The output's temporary is made before any history: a name that cannot be created is
    // refused now, with its record, not after the whole run.
    const std::string name =
        options.sliced ? PartialName(tables->job.resultName, options.slice) : tables->job.resultName;
    const std::string path = directory.empty() ? name : directory + "/" + name;
    ProgressReport report(path, JobHistories(*tables), options.precision);
    records::PendingFile result(path);
    if (const auto& failure = result.Failure()) {
        return Refuse(console,
            records::DescribeRecordError(records::kJobFile, kResultNameRecord,
                "結果ファイル「" + records::EchoText(name) + "」を作成できません（" + failure->reason + "）",
                "result file '" + records::EchoText(name) + "' cannot be created (" + failure->reason + ")"));
    }
    // A slice's errors travel in its partial result; a whole run writes them beside the result.
    const std::string errorsName = records::UncertaintyFileName(name);
    const std::string errorsPath = records::UncertaintyFileName(path);
    std::optional<records::PendingFile> errors;
    if (!options.sliced) errors.emplace(errorsPath);
    if (errors && errors->Failure()) {
        return Refuse(console, records::DescribeRecordError(records::kJobFile, kResultNameRecord,
                                   "誤差ファイル「" + records::EchoText(errorsName) + "」を作成できません（" +
                                       errors->Failure()->reason + "）",
                                   "uncertainty file '" + records::EchoText(errorsName) +
                                       "' cannot be created (" + errors->Failure()->reason + ")"));
    }
    auto grids = std::make_unique<Grids>();

    Say(console, "");
    Say(console, "");
    Say(console, "      ***  モンテカルロシミュレーション  ***");
    Say(console, "");
    Say(console, "            Ｘ線透視室内の散乱線分布");
    Say(console, geometry.positionLine);
    if (options.sliced) {
        const std::string slice =
            std::to_string(options.slice.index) + " / " + std::to_string(options.slice.count);
        Say(console, "            分割計算 " + slice + " (slice " + slice + ")");
    }
    Say(console, "");
    Say(console, "  ---   Enter キーを押すと計算が開始されます ---");
    WaitForEnter(console);
    if (StopRequested()) return Stop(console, report);

    Say(console, " <<< Monte Carlo Simulation >>>");
    const ClockTime start = console.clock();
    SayTime(console, "Start time", start);
    report.Begin();

    const Spectrum& spectrum = tables->spectrum;
    // A run that stops at a precision adds the precision reached so far to the title. Only a
    // terminal shows the title, but the progress file follows it whatever the output. Weighing
    // the bins takes a moment; a run in rounds, each a share of every bin, has its work spread
    // like its histories.
    std::string titleNote;
    std::function<void(const std::string&)> titleSink;
    if (console.title) titleSink = [&](const std::string& text) { console.title(text + titleNote); };
    const bool weigh = options.precision <= 0.0;
    ProgressTitle title(titleSink, weigh ? MeasureWorkCurve(*tables, geometry, options.chunked) : WorkCurve{},
        [&](const ProgressMoment& moment) { report.Show(moment); });
    auto sayBin = [&](int bin) {
        std::string progress = " ";
        records::AppendI(progress, bin, 3);
        progress += " / ";
        records::AppendI(progress, spectrum.lastBin + 1, 3);
        console.out << progress << '\n';
        console.out.flush();
    };
    long long histories = 0;
    std::optional<PrecisionOutcome> stopped; // a run that stopped at a precision, and where
    auto sums = std::make_unique<ExactGrids>();
    try {
        const auto tick = [&](long long done, long long total) { title.Update(done, total); };
        if (options.precision > 0.0) {
            const RoundObserver roundEnded = [&](int round, long long done, double largestError) {
                console.out << RoundLine(round, done, largestError, options.precision) << '\n';
                console.out.flush();
                titleNote = PrecisionTitle(largestError, options.precision);
                report.Reached(largestError);
            };
            stopped = RunToPrecision(*tables, geometry, options.precision, options.threads, options.seed,
                {{}, tick}, roundEnded, *sums);
            histories = stopped->histories;
            sums->ToGrids(*grids);
        } else if (options.chunked) {
            histories = RunChunks(*tables, geometry, options.sliced ? options.slice : Slice{},
                options.threads, {sayBin, tick}, *sums, options.seed);
            sums->ToGrids(*grids);
        } else {
            GridScorer scorer(*tables, geometry, *grids);
            Transport transport(*tables, rng, scorer);
            const long long total = JobHistories(*tables);
            for (int bin = Spectrum::kFirstBin; bin <= spectrum.lastBin; ++bin) {
                sayBin(bin);
                const long long binHistories = BinHistories(*tables, bin);
                const float energy = static_cast<float>(bin) * Spectrum::kBinWidth;
                for (long long n = 0; n < binHistories; ++n) {
                    transport.RunHistory(energy);
                    // The clock and the stop request are read only every few thousand histories.
                    if ((n & 4095) == 4095) {
                        if (StopRequested()) throw RunStopped{};
                        title.Update(histories + n + 1, total);
                    }
                }
                histories += binHistories;
            }
        }
    } catch (const InputError& e) {
        return Refuse(console, e.what(), &report);
    } catch (const RunStopped&) {
        return Stop(console, report);
    }
    title.Finish();
    if (stopped) console.out << PrecisionLine(*stopped, options.precision) << '\n';

    Say(console, "");
    SayTime(console, "Start time", start);
    Say(console, "");

    if (options.sliced) {
        const std::string content =
            FormatPartial(*tables, geometry, options.slice, options.seed, fingerprint, histories, *sums);
        auto failure = result.Append(content);
        if (!failure) {
            // A stop is seen before the commit or not at all: the file is whole or absent.
            const StopSignalsHeld held;
            if (StopRequested()) return Stop(console, report);
            failure = result.Commit();
        }
        if (failure) return Refuse(console, DescribeResultFailure(path, *failure), &report);
    } else {
        std::string content;
        std::string uncertainty;
        try {
            // The errors come from the raw sums, before normalising scales them.
            uncertainty = FormatUncertainty(*tables, geometry, *grids, histories);
            Normalise(*tables, *grids, stopped && !stopped->wholeJob ? &stopped->binHistories : nullptr);
            content = FormatResult(*tables, geometry, *grids, histories);
        } catch (const std::runtime_error& e) {
            return Refuse(console, e.what(), &report);
        }
        std::optional<std::string> failure;
        if (const auto appended = result.Append(content))
            failure = DescribeResultFailure(path, *appended);
        else if (const auto appendedErrors = errors->Append(uncertainty))
            failure = DescribeUncertaintyFailure(errorsPath, *appendedErrors);
        else {
            // A stop is seen before the commit or not at all: the files are whole or absent.
            const StopSignalsHeld held;
            if (StopRequested()) return Stop(console, report);
            failure = CommitResultFiles(result, path, *errors, errorsPath);
        }
        if (failure) return Refuse(console, *failure, &report);
    }
    report.Remove();

    SayTime(console, "Finish time", console.clock());
    Say(console, "");
    Say(console, "  ---      計算結果を保存しました    ---");
    Say(console, "");
    SayPressEnter(console);
    WaitForEnter(console);
    console.out << "Stop - Program terminated.\n";
    console.out.flush();
    return records::kExitDone;
}

} // namespace engine
