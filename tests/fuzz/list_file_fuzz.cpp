// Feeds arbitrary bytes to the refiner's reader of FLname.txt. Whatever name it accepts is a
// plain file name of the working folder, at most 30 characters, never blank.
#include <cstddef>
#include <cstdint>
#include <string>

#include "records/utf8_cut.h"
#include "refiner/result_name.h"
#include "refiner/run_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string name;
    try {
        name =
            refiner::ResultNameFromList("FLname.txt", std::string(reinterpret_cast<const char*>(data), size));
    } catch (const refiner::RunError&) {
        return 0;
    }
    if (name.empty() || name.find('/') != std::string::npos || name.find('\0') != std::string::npos ||
        name == "." || name == "..")
        __builtin_trap();
    if (records::FirstCodePoints(name, refiner::kNameLength) != name) __builtin_trap();
    return 0;
}
