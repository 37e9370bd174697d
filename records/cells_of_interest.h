#pragma once

namespace records::cells_of_interest {

// The cells whose precision stands for a whole result: a run that stops at a precision waits
// for them, and a report states their largest relative error. They lie at the phantom-centre
// height, within 200 cm laterally and 200 cm either way along the other axis, and hold at
// least 1 % of the largest value anywhere at that height (kerma and dose each by their own
// largest value); farther out or weaker, a cell matters little to where people stand. Indices
// are 0-based, as the result file's layout counts them (result_layout.h).

// Height block of the phantom centre, in file order, in every geometry.
inline constexpr int kBlock = 1;
// First beam-axis record: -200 cm.
inline constexpr int kFirstAlong = 10;
// Last beam-axis record: +200 cm.
inline constexpr int kLastAlong = 50;
// First lateral field: 20 cm, the first the engines score.
inline constexpr int kFirstLateral = 2;
// Last lateral field: 200 cm.
inline constexpr int kLastLateral = 20;
// Share of the height's largest value a cell must hold.
inline constexpr double kShareOfLargest = 0.01;

} // namespace records::cells_of_interest
