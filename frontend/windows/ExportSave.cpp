#include "windows/ExportSave.h"

#include <QDir>
#include <QFile>

#include "logic/files/AtomicWrite.h"
#include "platform/Platform.h"

namespace brisca {

bool SaveExport(Platform& platform, const QString& title, const std::string& proposedName,
    const QString& filter, const std::string& bytes)
{
    const QString path =
        platform.SaveFileName(title, QDir::current().filePath(QString::fromStdString(proposedName)), filter);
    if (path.isEmpty()) return false;
    std::string error = bytes.empty() ? " 画像を作れませんでした " : std::string();
    if (error.empty()) error = WriteTextFileAtomically(QFile::encodeName(path).toStdString(), bytes);
    if (error.empty()) return true;
    platform.ShowMessage(QString::fromStdString(error), MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

} // namespace brisca
