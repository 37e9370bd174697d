// Feeds arbitrary bytes to the engines as one job folder: the five input files, in the order
// they are read, separated by lines "##". Inputs are either refused with InputError or run:
// a few histories at the lowest and the highest energy, scored, scaled and formatted, which
// must end without a crash, a hang or an exception other than the engine's own refusals.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <typeinfo>

#include "engine/geometry.h"
#include "engine/input_error.h"
#include "engine/input_files.h"
#include "engine/result_file.h"
#include "engine/rng.h"
#include "engine/scoring.h"
#include "engine/transport.h"

namespace {

// One folder for the whole fuzzing run, removed at exit.
struct TemporaryFolder {
    std::string path;
    TemporaryFolder()
    {
        path = (std::filesystem::temp_directory_path() / "job-fuzz-XXXXXX").string();
        if (::mkdtemp(path.data()) == nullptr) std::abort();
    }
    ~TemporaryFolder() { std::filesystem::remove_all(path); }
};

const std::string& Folder()
{
    static const TemporaryFolder folder;
    return folder.path;
}

void WriteInputs(std::string_view bytes)
{
    static constexpr std::string_view kSeparator = "\n##\n";
    const char* names[] = {records::kInteractionTableFile, records::kAirTableFile, records::kConversionTableFile,
        records::kJobFile, records::kSpectrumFile};
    for (const char* name : names) {
        const std::size_t end = bytes.find(kSeparator);
        std::ofstream(Folder() + "/" + name, std::ios::binary | std::ios::trunc) << bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + kSeparator.size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    WriteInputs(std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        const auto tables = std::make_unique<engine::Tables>(engine::LoadTables(Folder()));
        const auto grids = std::make_unique<engine::Grids>();
        engine::Rng rng;
        engine::GridScorer scorer(*tables, engine::kStandingGeometry, *grids);
        engine::Transport transport(*tables, rng, scorer);
        const float lowest = engine::Spectrum::kFirstBin * engine::Spectrum::kBinWidth;
        const float highest = static_cast<float>(tables->spectrum.lastBin) * engine::Spectrum::kBinWidth;
        for (int n = 0; n < 50; ++n) {
            transport.RunHistory(lowest);
            transport.RunHistory(highest);
        }
        engine::FormatUncertainty(*tables, engine::kStandingGeometry, *grids, 100);
        engine::Normalise(*tables, *grids);
        engine::FormatResult(*tables, engine::kStandingGeometry, *grids, 100);
    } catch (const engine::InputError&) {
    } catch (const std::runtime_error& e) {
        // The formatting refuses a value that is not finite with a plain runtime_error; any
        // other kind (a stream failure among them) is a fault.
        if (typeid(e) != typeid(std::runtime_error)) throw;
    }
    return 0;
}
