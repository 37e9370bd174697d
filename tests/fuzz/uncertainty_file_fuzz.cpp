// Feeds arbitrary bytes to the uncertainty file's reader. A file it accepts must hold only
// relative errors from 0 to 100 % and the mark of a cell without score, and so must every
// cell of the 1 cm grid drawn from it: the front end colours its legend by them.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "records/uncertainty_file.h"

namespace {

void CheckLayers(const records::ErrorLayers& layers)
{
    using records::uncertainty_layout::kLargestError;
    using records::uncertainty_layout::kNotScored;
    for (int layer = 1; layer <= 3; ++layer) {
        for (int column = 1; column <= 381; column += 7) {
            for (int row = 1; row <= 601; row += 3) {
                const float error = records::FineRelativeError(layers, layer, column, row);
                if (error != kNotScored && !(error >= 0.0f && error <= kLargestError)) __builtin_trap();
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto errors = std::make_unique<records::RelativeErrors>();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!records::ReadUncertaintyText("fuzz.dsrE", text, *errors).empty()) return 0;
    CheckLayers(errors->kerma);
    CheckLayers(errors->dose);
    return 0;
}
