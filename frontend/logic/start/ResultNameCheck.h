#pragma once

#include <optional>
#include <string>

#include "logic/problem/Problem.h"

namespace brisca {

// Most characters of a result file name, extension included, that the engine keeps.
inline constexpr int ResultFileNameLength = 30;
// Warning when the result name is empty.
inline constexpr const char* ResultNameWarning = " 結果保存ファイル名を入力して下さい ";

// Why the engine could not write a result under this name (without extension), or nothing:
// the name must not be empty or blanks only, must not hold "/", "\" or
// control characters, must not be "." or "..", and must fit the engine's file-name
// field together with ".dsr5".
std::optional<Problem> CheckResultName(const std::string& name);

} // namespace brisca
