#pragma once

#include "records/read_file.h"

#include <optional>
#include <string>
#include <string_view>

namespace records {

// The records of one text file, read whole at opening and handed out one line at a time.
// Lines may end in LF, CR LF or a lone CR; a last line without a line end still counts as a
// record, and a UTF-8 byte-order mark at the start is skipped.
class LineSource {
public:
    // Reads the named file; says why when it cannot be opened or read.
    std::optional<ReadFailure> Open(const std::string& path);
    // Uses the given text instead of a file (tests, stdin captures).
    void SetText(std::string text);
    // The next record without its line end; false at the end of the file.
    bool Next(std::string_view& line);
    // 1-based number of the record that Next returned last (0 before the first).
    int RecordNumber() const { return record_; }

private:
    std::string text_;     // the whole file
    std::size_t next_ = 0; // offset of the next record
    int record_ = 0;       // records handed out so far
};

} // namespace records
