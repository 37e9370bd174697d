#pragma once

#include <string>

#include "logic/problem/Problem.h"

namespace brisca {

// Warning when continuous fluoroscopy has no tube current.
inline constexpr const char* TubeCurrentMissingWarning = "　管電流を入力してください　";
// Warning when the pulse entries multiply to zero.
inline constexpr const char* PulseDataMissingWarning = "　データを入力してください　";

// The mean tube current text (mA) that "OK →" puts into the mean-current box, for
// continuous fluoroscopy: the tube current text unchanged, refused when empty.
Expected<std::string> ContinuousMeanCurrent(const std::string& tubeCurrentMa);

// The same for pulsed fluoroscopy: tube current (mA) x pulse rate (fps) x pulse width (ms) /
// 1000 as plain number text, refused when an entry that is not empty does not read as a
// number (as the calculation start reads its boxes) or when the product is 0.
Expected<std::string> PulsedMeanCurrent(
    const std::string& tubeCurrentMa, const std::string& pulseRateFps, const std::string& pulseWidthMs);

} // namespace brisca
