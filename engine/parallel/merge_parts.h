#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace engine {

// Reads the partial results `parts`, checks that they are the slices of one job and
// spectrum, each slice exactly once, and writes the result file `out` that one machine's
// chunked run would have written. Messages go to `messages`. Returns 0 after a written
// result, 1 when a part is refused, `out` names a part or an engine input, or the result
// cannot be written (then nothing is written).
int MergeParts(const std::vector<std::string>& parts, const std::string& out, std::ostream& messages);

} // namespace engine
