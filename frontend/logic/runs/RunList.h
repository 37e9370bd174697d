#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "logic/runs/RunRow.h"

namespace brisca {

// The runs started from the main window in this session, in the order they were started, each
// followed through its progress file and result in the working directory.
class RunList {
public:
    // Whether a process runs, asked by its id.
    using ProcessProbe = std::function<bool(long long pid)>;

    // A run started now; its index.
    std::size_t Add(RunRow row);
    const std::vector<RunRow>& Rows() const { return rows_; }
    // Stops row `index`: the process to send the stop to, or 0 when it is not running.
    long long Cancel(std::size_t index);
    // Number of rows still running.
    std::size_t RunningCount() const;
    // Whether any row still needs looks.
    bool Watched() const;
    // One look at every watched row (progress file, result, processes through `running`),
    // removing the progress files the rows give up; the result files finished by this look.
    std::vector<std::string> Poll(const ProcessProbe& running);

private:
    // A result written after this moment is the run's own, not one it will replace.
    struct Started {
        std::filesystem::file_time_type since;
    };
    RunObservation Look(const RunRow& row, const Started& started, const ProcessProbe& running) const;

    std::vector<RunRow> rows_;
    std::vector<Started> started_; // one per row
};

} // namespace brisca
