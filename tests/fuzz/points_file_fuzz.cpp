// Feeds arbitrary bytes to the evaluation points reader. Whatever it accepts must be points
// the writer can store again, and what the writer stores must load as the same points.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "logic/room/PointsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<brisca::EvaluationPoint> points;
    if (!brisca::ParsePointsCsv(bytes, "fuzz.csv", points).empty()) return 0;
    std::string written;
    if (!brisca::PointsCsvBytes(points, written).empty()) __builtin_trap();
    std::vector<brisca::EvaluationPoint> again;
    if (!brisca::ParsePointsCsv(written, "fuzz.csv", again).empty() || again != points) __builtin_trap();
    return 0;
}
