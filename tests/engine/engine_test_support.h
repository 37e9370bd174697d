#pragma once

#include "engine/geometry.h"
#include "engine/parallel/run_options.h"

#include "TempFolder.h"

#include <string>

namespace enginetest {

// A fresh folder holding a copy of the hand-made end-to-end inputs; removed on destruction.
class JobFolder {
public:
    JobFolder();
    JobFolder(const JobFolder&) = delete;
    JobFolder& operator=(const JobFolder&) = delete;

    // The folder's path.
    const std::string& Path() const { return path_; }
    // Path of a file in the folder.
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Replaces record `record` (1-based) of `name` by `text`; CR LF line ends are kept.
    void SetRecord(const std::string& name, int record, const std::string& text) const;
    // Cuts `name` down to its first `records` records.
    void Truncate(const std::string& name, int records) const;

private:
    testsupport::TempFolder folder_{"mcstand-test"};
    std::string path_ = folder_.Path().string();
};

// What one engine run showed and returned.
struct RunOutcome {
    int status = -1;     // exit status
    std::string console; // everything written to the console
};

// Runs the engine in `folder` with no console input (end of input stands for Enter) and a
// clock that always reads 9:05:03.
RunOutcome RunEngineIn(const JobFolder& folder,
    const engine::EngineGeometry& geometry = engine::kStandingGeometry,
    const engine::RunOptions& options = {});

// The same in any folder that holds a job.
RunOutcome RunEngineAt(const std::string& folder,
    const engine::EngineGeometry& geometry = engine::kStandingGeometry,
    const engine::RunOptions& options = {});

using testsupport::ReadBytes;

// Whether a file exists.
bool FileExists(const std::string& path);

} // namespace enginetest
