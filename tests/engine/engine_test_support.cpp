#include "engine_test_support.h"

#include "engine/run.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace enginetest {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> ReadRecords(const std::string& path)
{
    std::vector<std::string> lines;
    std::istringstream in(ReadBytes(path));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

void WriteRecords(const std::string& path, const std::vector<std::string>& lines)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) out << line << "\r\n";
}

} // namespace

JobFolder::JobFolder()
{
    for (const auto& entry : fs::directory_iterator(BRISCA_E2E_INPUTS)) {
        fs::copy_file(entry.path(), fs::path(path_) / entry.path().filename());
    }
}

void JobFolder::SetRecord(const std::string& name, int record, const std::string& text) const
{
    std::vector<std::string> lines = ReadRecords(File(name));
    if (static_cast<int>(lines.size()) < record) lines.resize(static_cast<std::size_t>(record));
    lines[static_cast<std::size_t>(record - 1)] = text;
    WriteRecords(File(name), lines);
}

void JobFolder::Truncate(const std::string& name, int records) const
{
    std::vector<std::string> lines = ReadRecords(File(name));
    lines.resize(static_cast<std::size_t>(records));
    WriteRecords(File(name), lines);
}

RunOutcome RunEngineIn(
    const JobFolder& folder, const engine::EngineGeometry& geometry, const engine::RunOptions& options)
{
    return RunEngineAt(folder.Path(), geometry, options);
}

RunOutcome RunEngineAt(
    const std::string& folder, const engine::EngineGeometry& geometry, const engine::RunOptions& options)
{
    std::istringstream in;
    std::ostringstream out;
    engine::Console console{in, out, [] { return engine::ClockTime{9, 5, 3}; }, {}};
    RunOutcome outcome;
    outcome.status = engine::RunEngine(geometry, folder, console, options);
    outcome.console = out.str();
    return outcome;
}

bool FileExists(const std::string& path) { return fs::exists(path); }

} // namespace enginetest
