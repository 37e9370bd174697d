#pragma once

#include "engine/parallel/progress_title.h"
#include "records/progress_file.h"

#include <string>

namespace engine {

// The progress file beside the result while the run goes on: replaced with each moment the
// terminal title shows, left with the failure when the run fails, removed once the result is
// written or the run is stopped. Writing it never fails the run.
class ProgressReport {
public:
    // resultPath: the result (or partial result) being written; total: the job's histories;
    // precisionAsked: percent, 0 when the run does not stop at a precision.
    ProgressReport(std::string resultPath, long long total, double precisionAsked);

    // Writes the file as the run begins: nothing done, the time left unknown.
    void Begin();
    // Writes the file for a moment of the run.
    void Show(const ProgressMoment& moment);
    // Keeps the largest relative error of the cells of interest after a round, for the next write.
    void Reached(double largestError);
    // Writes the file with the failure and the message the console shows.
    void Fail(const std::string& message);
    // Removes the file.
    void Remove();

private:
    std::string resultPath_;
    records::RunProgress progress_;
};

} // namespace engine
