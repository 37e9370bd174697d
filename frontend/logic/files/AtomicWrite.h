#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "logic/problem/Problem.h"

namespace brisca {

// Writes a whole text file so that a reader sees either the old file or the complete new
// one: the text goes to a temporary name in the same folder, which then replaces the
// file. On failure the problem names the file, and neither the file nor a temporary is left
// changed or behind.
std::optional<Problem> WriteTextFileAtomically(const std::filesystem::path& path, std::string_view contents);

} // namespace brisca
