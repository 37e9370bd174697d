#pragma once

#include <QString>
#include <string>

namespace brisca {

class Platform;

// Asks where to save an exported file, proposing `proposedName` in the working directory. A name
// chosen without an extension gets the proposed name's (after a question if that file exists).
// The path to write, or the empty text when the user cancelled.
QString ChooseExportPath(
    Platform& platform, const QString& title, const std::string& proposedName, const QString& filter);

// Asks where to save an exported file, as ChooseExportPath, and writes `bytes` there whole. A
// cancelled dialog does nothing; a failure is shown as a warning. True when the file was written.
bool SaveExport(Platform& platform, const QString& title, const std::string& proposedName,
    const QString& filter, const std::string& bytes);

} // namespace brisca
