#pragma once

namespace engine {

// π as the engine's formulas take it, to seven figures; the results depend on this value.
inline constexpr float kPi = 3.141592f;

} // namespace engine
