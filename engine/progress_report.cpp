#include "engine/progress_report.h"

#include <cstdio>
#include <unistd.h>

namespace engine {

ProgressReport::ProgressReport(std::string resultPath, long long total, double precisionAsked)
    : resultPath_(std::move(resultPath))
{
    progress_.pid = ::getpid();
    progress_.total = total;
    progress_.precisionAsked = precisionAsked;
    progress_.workShare = 0;
}

void ProgressReport::Begin() { records::WriteProgressFile(resultPath_, progress_); }

void ProgressReport::Show(const ProgressMoment& moment)
{
    progress_.done = moment.done;
    progress_.total = moment.total;
    progress_.workShare = moment.workShare;
    progress_.elapsedSeconds = moment.elapsedSeconds;
    progress_.secondsLeft = moment.secondsLeft;
    records::WriteProgressFile(resultPath_, progress_);
}

void ProgressReport::Reached(double largestError) { progress_.precisionReached = largestError; }

void ProgressReport::Fail(const std::string& message)
{
    progress_.state = records::RunProgress::State::Failed;
    progress_.message = message;
    records::WriteProgressFile(resultPath_, progress_);
}

void ProgressReport::Remove() { std::remove(records::ProgressFileName(resultPath_).c_str()); }

} // namespace engine
