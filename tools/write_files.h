// Writing a set of files so that a failure leaves none of them half-written.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tablegen {

// A file name in the working directory and its complete contents.
using NamedText = std::pair<std::string, std::string>;

// Writes every file under a temporary name in the same folder and renames them only once all
// are written; a failed write removes the temporaries and throws, leaving the older files.
void WriteAllOrNothing(const std::vector<NamedText>& files);

} // namespace tablegen
