#pragma once

namespace brisca {

// The windows are laid out in a fixed design unit of 1/1440 inch; at the standard 96 dots per
// inch 15 of them make a pixel. Screen pixels of a length in design units, rounded to nearest.
constexpr int DesignToPixels(int designUnits) { return (designUnits + 7) / 15; }

} // namespace brisca
