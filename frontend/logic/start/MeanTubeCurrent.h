#pragma once

#include <string>

namespace brisca {

// Warning when continuous fluoroscopy has no tube current.
inline constexpr const char* TubeCurrentMissingWarning = "　管電流を入力してください　";
// Warning when the pulse entries multiply to zero.
inline constexpr const char* PulseDataMissingWarning = "　データを入力してください　";

// The mean tube current text that "OK →" puts into the mean-current box, or why it cannot.
struct MeanTubeCurrent {
    std::string meanTubeCurrentMa; // mean tube current, mA
    std::string warning;           // empty on success
};

// Continuous fluoroscopy: the tube current text unchanged, refused when empty.
MeanTubeCurrent ContinuousMeanCurrent(const std::string& tubeCurrentMa);

// Pulsed fluoroscopy: tube current (mA) x pulse rate (fps) x pulse width (ms) / 1000 as
// plain number text, refused when an entry that is not empty is not one number or when
// the product is 0.
MeanTubeCurrent PulsedMeanCurrent(
    const std::string& tubeCurrentMa, const std::string& pulseRateFps, const std::string& pulseWidthMs);

} // namespace brisca
