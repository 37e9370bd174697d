#include "logic/runs/RunList.h"

#include <chrono>
#include <system_error>

namespace brisca {

std::size_t RunList::Add(RunRow row)
{
    // File times lag the clock by up to a tick of the file system's own.
    started_.push_back({std::filesystem::file_time_type::clock::now() - std::chrono::seconds(2)});
    rows_.push_back(std::move(row));
    return rows_.size() - 1;
}

long long RunList::Cancel(std::size_t index) { return index < rows_.size() ? rows_[index].Cancel() : 0; }

std::size_t RunList::RunningCount() const
{
    std::size_t running = 0;
    for (const RunRow& row : rows_) running += row.State() == RunState::Running ? 1 : 0;
    return running;
}

bool RunList::Watched() const
{
    for (const RunRow& row : rows_)
        if (row.Watched()) return true;
    return false;
}

RunObservation RunList::Look(const RunRow& row, const Started& started, const ProcessProbe& running) const
{
    namespace fs = std::filesystem;
    std::error_code error;
    RunObservation seen;
    const std::string progressFile = records::ProgressFileName(row.ResultFile());
    seen.progressFileExists = fs::exists(progressFile, error);
    if (seen.progressFileExists) seen.progress = records::ReadProgressFile(row.ResultFile());
    const fs::file_time_type written = fs::last_write_time(row.ResultFile(), error);
    seen.resultWritten = !error && written >= started.since;
    seen.launcherRunning = running(row.LauncherPid());
    seen.engineRunning =
        seen.progress && seen.progress->pid > 0 ? running(seen.progress->pid) : seen.launcherRunning;
    return seen;
}

std::vector<std::string> RunList::Poll(const ProcessProbe& running)
{
    std::vector<std::string> finished;
    for (std::size_t n = 0; n < rows_.size(); ++n) {
        RunRow& row = rows_[n];
        if (!row.Watched()) continue;
        const bool wasRunning = row.State() == RunState::Running;
        if (row.Observe(Look(row, started_[n], running)) == RunChore::RemoveProgressFile) {
            std::error_code ignored;
            std::filesystem::remove(records::ProgressFileName(row.ResultFile()), ignored);
        }
        if (wasRunning && row.State() == RunState::Finished) finished.push_back(row.ResultFile());
    }
    return finished;
}

} // namespace brisca
