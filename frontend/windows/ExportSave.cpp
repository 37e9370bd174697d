#include "windows/ExportSave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "logic/files/AtomicWrite.h"
#include "platform/Platform.h"

namespace brisca {

QString ChooseExportPath(
    Platform& platform, const QString& title, const std::string& proposedName, const QString& filter)
{
    QString path =
        platform.SaveFileName(title, QDir::current().filePath(QString::fromStdString(proposedName)), filter);
    if (path.isEmpty()) return {};
    // A name typed without an extension gets the proposed one; the dialog asked about the
    // name as typed, so a file of the completed name is only replaced when the user agrees.
    if (QFileInfo(path).suffix().isEmpty()) {
        path += "." + QFileInfo(QString::fromStdString(proposedName)).suffix();
        if (QFileInfo::exists(path) &&
            platform.ShowMessage(
                QCoreApplication::translate("brisca::ExportSave", " %1 は既にあります。置き換えますか？ ")
                    .arg(QFileInfo(path).fileName()),
                MessageButtons::OkCancel, MessageIcon::Warning) != MessageAnswer::Ok)
            return {};
    }
    return path;
}

bool SaveExport(Platform& platform, const QString& title, const std::string& proposedName,
    const QString& filter, const std::string& bytes)
{
    const QString path = ChooseExportPath(platform, title, proposedName, filter);
    if (path.isEmpty()) return false;
    const std::optional<Problem> problem =
        bytes.empty() ? PlainProblem(" 画像を作れませんでした ", "the picture could not be made")
                      : WriteTextFileAtomically(QFile::encodeName(path).toStdString(), bytes);
    if (!problem) return true;
    platform.ShowMessage(
        QString::fromStdString(MessageText(*problem)), MessageButtons::Ok, MessageIcon::Warning);
    return false;
}

} // namespace brisca
