// brisca-job: the main window's calculation start as a console program, for batches of
// conditions. It writes B_SPCTL.dat and B2F.txt into the current directory exactly as
// "計算スタート" does and, with --run, runs the engine on them; with --spectrum-only it
// prints the beam's figures and writes its spectrum as CSV instead.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

#include "commandline/JobOptions.h"
#include "commandline/RunFollower.h"
#include "commandline/SpectrumOnly.h"
#include "logic/start/CalculationStart.h"
#include "logic/start/DataTables.h"
#include "logic/start/EngineLocator.h"
#include "logic/start/EngineRun.h"
#include "logic/text/NumberText.h"
#include "records/exit_status.h"
#include "records/progress_file.h"

namespace brisca {
namespace {

std::string TodayResultName(PatientPosition position)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DefaultResultName(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, position);
}

// Folder of this program, where the engines are looked for first.
std::filesystem::path ProgramFolder(const char* argv0)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self.parent_path();
    return std::filesystem::absolute(argv0, error).parent_path();
}

// Ctrl+C (or SIGTERM) while the engine runs: the engine, in a session of its own, does not
// see it, so it is passed on and the run ends cleanly.
std::atomic<bool> stopAsked{false};
extern "C" void OnStopSignal(int) { stopAsked.store(true); }

void PassStopsOn()
{
    struct sigaction action { };
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

} // namespace
} // namespace brisca

int main(int argc, char** argv)
{
    using namespace brisca;
    const Expected<JobOptions> options = ParseJobOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options) {
        std::cerr << "brisca-job: " << BilingualText(options.Failure())
                  << "\n（オプションの一覧は brisca-job --help で見られます） [brisca-job --help lists the "
                     "options]\n";
        return records::kExitUsage;
    }
    if (options->help) {
        std::cout << JobOptionsHelp();
        return records::kExitDone;
    }
    Expected<CalculationEntries> entries = JobEntries(*options);
    if (!entries) {
        std::cerr << BilingualText(entries.Failure()) << "\n";
        return records::kExitRefused;
    }
    if (!options->nameGiven) entries->resultName = TodayResultName(entries->position);

    const Expected<DataTables> tables = ReadDataTables(".");
    if (!tables) {
        std::cerr << BilingualText(tables.Failure()) << "\n";
        return records::kExitFile;
    }

    if (options->spectrumOnly) return RunSpectrumOnly(*entries, *tables, options->out, std::cout, std::cerr);

    const StartPreparation preparation = PrepareCalculation(*entries, *tables);
    if (const auto& notice = preparation.corrections.tubeVoltageNotice)
        std::cerr << BilingualText(*notice) << "\n";
    if (preparation.corrections.inherentFiltrationMmAl)
        std::cout << InherentFiltrationLine(*preparation.corrections.inherentFiltrationMmAl) << "\n";
    if (!preparation.calculation) {
        std::cerr << BilingualText(preparation.calculation.Failure()) << "\n";
        return records::kExitRefused;
    }
    const PreparedCalculation& prepared = *preparation.calculation;
    // No one is there to answer the window's question: only --yes goes on.
    if (prepared.question && !options->yes) {
        std::cerr
            << BilingualText(*prepared.question)
            << "\n（確認なしで続けるには --yes を付けて実行して下さい） [add --yes to go on without being "
               "asked]\n";
        return records::kExitRefused;
    }

    if (const std::optional<Problem> problem = WriteCalculationFiles(prepared)) {
        std::cerr << BilingualText(*problem) << "\n";
        return records::kExitFile;
    }
    const std::string output = FormatNumber(prepared.job.tubeOutput, "0.000E+00");
    std::cout << records::kSpectrumFile << " と " << records::kJobFile << " を書き込みました。管出力 "
              << output << " Gy/min（100 cm）、結果ファイル " << prepared.job.resultName << " [wrote "
              << records::kSpectrumFile << " and " << records::kJobFile << "; tube output " << output
              << " Gy/min at 100 cm, result file " << prepared.job.resultName << "]\n";
    if (!options->run) return records::kExitDone;

    const auto engine =
        LocateEngine(prepared.engineProgram, ProgramFolder(argv[0]), std::filesystem::current_path());
    if (!engine) {
        const std::string name = ProgramFileName(prepared.engineProgram);
        std::cerr
            << "エンジン " << name
            << " が見つかりません（brisca-job と同じフォルダと作業ディレクトリを探しました）。 [the engine "
            << name << " was found neither beside brisca-job nor in the working directory]\n";
        return records::kExitEngineNotStarted;
    }
    // The engine reads its parallel mode, seed and precision from the environment it inherits.
    if (!options->threads.empty()) setenv("BRISCA_THREADS", options->threads.c_str(), 1);
    if (!options->seed.empty()) setenv("BRISCA_SEED", options->seed.c_str(), 1);
    if (!options->precision.empty()) setenv("BRISCA_PRECISION", options->precision.c_str(), 1);
    // A progress file left by an earlier run of the same name would be taken for this one's.
    std::remove(records::ProgressFileName(prepared.job.resultName).c_str());
    std::cout.flush();
    RunFollower follower(prepared.job.resultName, std::cerr, isatty(STDERR_FILENO) != 0);
    bool stopPassedOn = false;
    PassStopsOn();
    const Expected<int> run = RunEngineAndWait(*engine, [&](pid_t pid) {
        if (stopAsked && !stopPassedOn) stopPassedOn = kill(pid, SIGTERM) == 0;
        follower.Look();
    });
    if (!run) {
        std::cerr << BilingualText(run.Failure()) << "\n";
        return records::kExitEngineNotStarted;
    }
    follower.End(*run);
    return *run;
}
