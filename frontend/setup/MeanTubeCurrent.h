#pragma once

#include <string>

// Warning when continuous fluoroscopy has no tube current.
inline constexpr const char* TubeCurrentMissingWarning = "　管電流を入力してください　";
// Warning when the pulse entries multiply to zero.
inline constexpr const char* PulseDataMissingWarning = "　データを入力してください　";

// The mean tube current text that "OK →" puts into Text8, or why it cannot.
struct MeanTubeCurrent {
    std::string Text8;   // mean tube current, mA
    std::string Warning; // empty on success
};

// Continuous fluoroscopy: the tube current text (Text15) unchanged, refused when empty.
MeanTubeCurrent ContinuousMeanCurrent(const std::string& text15);

// Pulsed fluoroscopy: tube current (mA) x pulse rate (fps) x pulse width (ms) / 1000 as
// plain number text, refused when the product is 0.
MeanTubeCurrent PulsedMeanCurrent(
    const std::string& text15, const std::string& text12, const std::string& text6);
