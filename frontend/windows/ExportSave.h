#pragma once

#include <QString>
#include <string>

namespace brisca {

class Platform;

// Asks where to save an exported file, proposing `proposedName` in the working directory, and
// writes `bytes` there whole. A cancelled dialog does nothing; a failure is shown as a warning.
// True when the file was written.
bool SaveExport(Platform& platform, const QString& title, const std::string& proposedName,
    const QString& filter, const std::string& bytes);

} // namespace brisca
