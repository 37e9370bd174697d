#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace brisca {

// Writes a whole text file so that a reader sees either the old file or the complete new
// one: the text goes to a temporary name in the same folder, which then replaces the
// file. Returns an empty text on success; otherwise a message naming the file, and
// neither the file nor a temporary is left changed or behind.
std::string WriteTextFileAtomically(const std::filesystem::path& path, std::string_view contents);

} // namespace brisca
