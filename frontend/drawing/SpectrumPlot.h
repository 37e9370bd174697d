#pragma once

#include <QImage>

#include "logic/start/BeamQuality.h"

namespace brisca {

// Size of the spectrum plot, pixels.
inline constexpr int SpectrumPlotWidth = 640;
inline constexpr int SpectrumPlotHeight = 420; // see SpectrumPlotWidth

// The filtered photon spectrum of a beam as a histogram of relative photon fluence per
// 0.5 keV against photon energy, with the conditions above it and the tungsten K lines
// named; an empty frame with the warning when the beam has no spectrum.
QImage RenderSpectrumPlot(const BeamQuality& beam);

// The picture "画像保存" of the spectrum view writes: the plot, and beside it the
// conditions and the figures of the beam with their units.
QImage ComposeSpectrumPicture(const BeamQuality& beam);

} // namespace brisca
