// brisca-job: the main window's calculation start as a console program, for batches of
// conditions. It writes B_SPCTL.dat and B2F.txt into the current directory exactly as
// "計算スタート" does and, with --run, runs the engine on them; with --spectrum-only it
// prints the beam's figures and writes its spectrum as CSV instead.
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "commandline/JobOptions.h"
#include "commandline/SpectrumOnly.h"
#include "logic/start/CalculationStart.h"
#include "logic/start/DataTables.h"
#include "logic/start/EngineLocator.h"
#include "logic/start/EngineRun.h"
#include "logic/text/NumberText.h"

namespace brisca {
namespace {

constexpr int ExitRefused = 1;
constexpr int ExitUsage = 2;
constexpr int ExitFile = 3;
constexpr int ExitEngine = 4;

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

} // namespace
} // namespace brisca

int main(int argc, char** argv)
{
    using namespace brisca;
    const JobOptions options = ParseJobOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options.usageError.empty()) {
        std::cerr << "brisca-job: " << options.usageError << "\n(brisca-job --help lists the options)\n";
        return ExitUsage;
    }
    if (options.help) {
        std::cout << JobOptionsHelp();
        return 0;
    }
    if (!options.warning.empty()) {
        std::cerr << options.warning << "\n";
        return ExitRefused;
    }

    CalculationEntries entries = options.entries;
    if (!options.nameGiven) entries.resultName = TodayResultName(entries.position);

    DataTables tables;
    if (const std::string error = ReadDataTables(".", tables); !error.empty()) {
        std::cerr << error << "\n";
        return ExitFile;
    }

    if (options.spectrumOnly) {
        switch (RunSpectrumOnly(entries, tables, options.out, std::cout, std::cerr)) {
        case SpectrumOnlyOutcome::Done:
            return 0;
        case SpectrumOnlyOutcome::Refused:
            return ExitRefused;
        case SpectrumOnlyOutcome::FileError:
            return ExitFile;
        }
    }

    const PreparedCalculation prepared = PrepareCalculation(entries, tables);
    if (prepared.correctedTubeVoltage)
        std::cout << "管電圧を " << *prepared.correctedTubeVoltage << " kV にしました。\n";
    if (prepared.correctedInherentFiltration)
        std::cout << "固有ろ過を " << *prepared.correctedInherentFiltration << " mm にしました。\n";
    if (!prepared.warning.empty()) {
        std::cerr << prepared.warning << "\n";
        return ExitRefused;
    }
    // No one is there to answer the window's question: only --yes goes on.
    if (!prepared.question.empty() && !options.yes) {
        std::cerr << prepared.question << "\n（確認なしで続けるには --yes を付けて実行して下さい）\n";
        return ExitRefused;
    }

    if (const std::string error = WriteCalculationFiles(prepared); !error.empty()) {
        std::cerr << error << "\n";
        return ExitFile;
    }
    std::cout << records::kSpectrumFile << " と " << records::kJobFile << " を書き込みました。管出力 "
              << FormatNumber(prepared.job.tubeOutput, "0.000E+00") << " Gy/min（100 cm）、結果ファイル "
              << prepared.job.resultName << "\n";
    if (!options.run) return 0;

    const auto engine =
        LocateEngine(prepared.engineProgram, ProgramFolder(argv[0]), std::filesystem::current_path());
    if (!engine) {
        std::cerr << "エンジン " << ProgramFileName(prepared.engineProgram)
                  << " が見つかりません（brisca-job と同じフォルダと作業ディレクトリを探しました）。\n";
        return ExitEngine;
    }
    // The engine reads its parallel mode from the environment it inherits.
    if (!options.threads.empty()) setenv("BRISCA_THREADS", options.threads.c_str(), 1);
    std::cout.flush();
    const EngineRunResult run = RunEngineAndWait(*engine);
    if (!run.started) {
        std::cerr << "エンジンを起動できません: " << run.error << "\n";
        return ExitEngine;
    }
    if (!run.error.empty()) std::cerr << run.error << "\n";
    return run.exitStatus;
}
