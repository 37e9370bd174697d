#include "logic/start/EngineLocator.h"

#include <string>
#include <system_error>

namespace brisca {

std::string ProgramFileName(std::string_view program)
{
#ifdef _WIN32
    return std::string(program) + ".exe";
#else
    return std::string(program);
#endif
}

std::optional<std::filesystem::path> LocateEngine(std::string_view program,
    const std::filesystem::path& programFolder, const std::filesystem::path& workingFolder)
{
    const std::string fileName = ProgramFileName(program);
    for (const auto& folder : {programFolder, workingFolder}) {
        if (folder.empty()) continue;
        const std::filesystem::path candidate = folder / fileName;
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
    return std::nullopt;
}

} // namespace brisca
