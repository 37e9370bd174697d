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
    const auto points = brisca::ParsePointsCsv(bytes, "fuzz.csv");
    if (!points) return 0;
    const auto written = brisca::PointsCsvBytes(*points);
    if (!written) __builtin_trap();
    const auto again = brisca::ParsePointsCsv(*written, "fuzz.csv");
    if (!again || *again != *points) __builtin_trap();
    return 0;
}
