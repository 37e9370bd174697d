#pragma once

#include <string>

namespace brisca {

// A value's text followed by its relative error: "1.51 ± 4 %", the percent whole from 2 % up and
// to one decimal below ("0.82 ± 1.5 %"), which is as far as an estimate of an error goes; a
// value without an estimate (NaN) gets "1.51 (± ?)". An empty value stays empty.
std::string ValueWithError(const std::string& value, double errorPercent);

} // namespace brisca
