#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace refiner {

// An output file written under a temporary name in the same directory and renamed to its
// final name only when complete, so that a reader never sees half of it. Dropped without
// Commit, the temporary file is removed and the final name is left as it was.
class PendingFile {
public:
    // Creates the temporary file beside finalName; throws RunError when it cannot.
    explicit PendingFile(std::string finalName);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Appends bytes; throws RunError when they cannot be written.
    void Write(std::string_view bytes);
    // Flushes, closes and renames to the final name; throws RunError on failure.
    void Commit();

private:
    // Closes and removes the temporary file, ignoring errors.
    void Discard();

    std::string finalName_;     // name the file gets when complete
    std::string temporaryName_; // name while it is written
    std::FILE* file_ = nullptr; // open while writing
};

} // namespace refiner
