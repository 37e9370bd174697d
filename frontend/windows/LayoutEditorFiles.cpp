// The layout editor's file part: layout files in the working folder, saved, loaded and deleted.
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <filesystem>

#include "logic/AppState.h"
#include "logic/room/PointsFile.h"
#include "logic/room/RoomFile.h"
#include "logic/room/RoomFileList.h"
#include "platform/Platform.h"
#include "windows/LayoutEditor.h"

namespace brisca {

namespace {

// A file of the working folder, named as the file system spells it.
std::filesystem::path WorkingFile(const QString& name)
{
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

} // namespace

void LayoutEditor::refreshFileList()
{
    layoutFileList_->clear();
    for (const std::string& name : ListRoomFiles("."))
        layoutFileList_->addItem(QFile::decodeName(QByteArray::fromStdString(name)));
}

void LayoutEditor::saveLayout()
{
    const std::string name = layoutNameEdit_->text().toStdString();
    if (const std::optional<Problem> refusal = RoomNameRefusal(name)) {
        warn(QString::fromStdString(MessageText(*refusal)));
        return;
    }
    const QString fileName = QString::fromStdString(RoomFileName(name));
    if (const std::optional<Problem> refusal = WriteRoomFile(WorkingFile(fileName), state_.roomLayout)) {
        warn(QString::fromStdString(MessageText(*refusal)));
        return;
    }
    // The evaluation points go with the layout, in their own file beside it.
    if (const std::optional<Problem> refusal = WriteLayoutPoints(WorkingFile(fileName), state_.roomPoints)) {
        warn(QString::fromStdString(MessageText(*refusal)));
        return;
    }
    // The new file is listed, and chosen, at once.
    refreshFileList();
    const auto saved = layoutFileList_->findItems(fileName, Qt::MatchExactly);
    if (!saved.isEmpty()) layoutFileList_->setCurrentItem(saved[0]);
    platform_.ShowMessage(tr("レイアウトデータを保存しました"), MessageButtons::Ok, MessageIcon::None);
}

void LayoutEditor::loadLayoutFile(QListWidgetItem* item)
{
    if (!item) return;
    // A file that cannot be read leaves the layout and the plan as they are.
    const Expected<RoomLayout> loaded = ReadRoomFile(WorkingFile(item->text()));
    if (!loaded) {
        warn(QString::fromStdString(MessageText(loaded.Failure())));
        return;
    }
    state_.roomLayout = *loaded;
    plan_ = *loaded;
    showPlan();
    setElementsVisible(true);
    const QString name = QString::fromStdString(LayoutNameOf(item->text().toStdString()));
    layoutNameEdit_->setText(name);
    nameLayout(name);
    // The points of another layout have no place in this one: those saved with it, or none.
    Expected<std::vector<EvaluationPoint>> points = ReadLayoutPoints(WorkingFile(item->text()));
    state_.roomPoints = points ? std::move(*points) : std::vector<EvaluationPoint>{};
    emit pointsReplaced();
    if (!points) warn(QString::fromStdString(MessageText(points.Failure())));
}

void LayoutEditor::deleteLayoutFile()
{
    const QListWidgetItem* item = layoutFileList_->currentItem();
    if (!item || !item->isSelected()) return;
    if (platform_.ShowMessage(tr(" %1 を削除していいですか？ ").arg(item->text()), MessageButtons::OkCancel,
            MessageIcon::None) != MessageAnswer::Ok)
        return;
    if (platform_.ShowMessage(tr(" 本当に削除しますか？ "), MessageButtons::OkCancel, MessageIcon::None) !=
        MessageAnswer::Ok)
        return;
    if (const std::optional<Problem> refusal = DeleteRoomFile(WorkingFile(item->text())))
        warn(QString::fromStdString(MessageText(*refusal)));
    refreshFileList();
}

} // namespace brisca
