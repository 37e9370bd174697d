#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "logic/problem/Problem.h"

namespace brisca {

// What a corrected result was scaled to. It is kept in a small file beside the corrected
// copy ("abc.dsrC" gives "abc.dsrC.correction"): the result file's layout has no free field
// for it, and the refiner and brisca-map read a corrected copy exactly as any result file.
struct CorrectionNote {
    double factor = 1.0;   // the measured value over the current value
    double measured = 0.0; // the measured value
    std::string quantity;  // what was measured, with its unit
};

// The note's file name for the corrected copy `correctedName`.
std::string CorrectionNoteName(std::string_view correctedName);

// The note as its file holds it: one line each for the factor, the measured value and the
// quantity, each after its Japanese key, CR LF line ends.
std::string CorrectionNoteText(const CorrectionNote& note);

// The note of the corrected copy `correctedName` in `folder`; nothing when there is none or it
// is not a complete note.
std::optional<CorrectionNote> ReadCorrectionNote(
    const std::filesystem::path& folder, const std::string& correctedName);

// One line for the result window: "実測値 24.6 による補正（空気カーマ率（μGy/min）、係数 2.000E+00）".
std::string CorrectionCaption(const CorrectionNote& note);

} // namespace brisca
