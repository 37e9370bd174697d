#pragma once

namespace brisca {

// Screen pixels of a length in design units (1/1440 inch) at the standard 96 dots per inch.
constexpr int Twips(int twips) { return (twips + 7) / 15; }

} // namespace brisca
