#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace engine {

// Reads the partial results `parts`, checks that they are the slices of one job and
// spectrum, each slice exactly once, and writes the result file `out` and its uncertainty
// file that one machine's chunked run would have written. Messages go to `messages`. Returns
// 0 after written files, 1 when a part is refused, `out` names a part or an engine input, or
// a file cannot be written (then neither is written).
int MergeParts(const std::vector<std::string>& parts, const std::string& out, std::ostream& messages);

} // namespace engine
