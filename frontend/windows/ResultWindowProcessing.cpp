// The result window's way from a result file to the display grids: the file list and its
// header, the refiner start and its end, the data processing and the deletion of a file.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>

#include "logic/AppState.h"
#include "logic/exports/PictureNames.h"
#include "logic/files/AtomicWrite.h"
#include "logic/result/DataProcessing.h"
#include "logic/result/ResultHeader.h"
#include "logic/start/EngineLocator.h"
#include "logic/text/NumberText.h"
#include "platform/Platform.h"
#include "windows/OverlayWindow.h"
#include "windows/PictureBox.h"
#include "windows/ResultWindow.h"

namespace brisca {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// A name as the list shows it, as a path of the working directory.
std::filesystem::path LocalPath(const QString& name)
{
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

constexpr const char* kRefiner = "mcrefine";

} // namespace

void ResultWindow::refreshFileList()
{
    resultList->clear();
    resultList->addItems(QDir::current().entryList({"*.dsr5", "*.dsrC"}, QDir::Files, QDir::Name));
}

void ResultWindow::selectResultFile()
{
    const QListWidgetItem* item = resultList->currentItem();
    if (!item) return;
    const Expected<ResultHeader> header = ReadResultHeader(LocalPath(item->text()));
    if (!header) {
        // A file whose header cannot be read is not handed to the refiner.
        clearHeader();
        selected_ = PictureCaption{};
        convertButton->setEnabled(false);
        warn(" 結果ファイルのヘッダを読めません \n" + Q(MessageText(header.Failure())));
        return;
    }
    showHeader(*header);
    selected_.resultName = item->text().toStdString();
    selected_.conditions = ConditionLines(*header);
    state_.patientPosition = header->patientPosition;
    state_.job.fsd = header->fsd;
    convertButton->setEnabled(true);
}

void ResultWindow::showHeader(const ResultHeader& header)
{
    positionLabel->setText(Q(header.labels[static_cast<int>(HeaderValue::PatientPosition)]));
    for (std::size_t n = 0; n < conditionLabels.size(); ++n)
        conditionLabels[n]->setText(Q(header.labels[n + 1]));
    overlay_.showHeader(header);
}

void ResultWindow::clearHeader()
{
    positionLabel->clear();
    for (QLabel* label : conditionLabels) label->clear();
    overlay_.showHeader(ResultHeader{});
}

void ResultWindow::startConversion()
{
    const QListWidgetItem* item = resultList->currentItem();
    if (!item) return;
    // Each step goes on whatever became of the one before: a failure shows up when the
    // refined grids are read, or when the refiner reports its end.
    QFile::remove(records::kRefinedGridFile);
    ++painting_;
    if (paintRunning_) {
        paintRunning_ = false;
        paintButton->setEnabled(true);
    }
    mapView->clear();
    state_.mapDrawn = false;
    imageSaveButton->setEnabled(false);
    converted_ = selected_;
    WriteTextFileAtomically(records::kListFile, (item->text() + "\r\n").toUtf8().toStdString());

    platform_.ProcessPendingEvents();
    const int conversion = ++conversion_;
    const auto refiner =
        LocateEngine(kRefiner, platform_.ProgramFolder().toStdString(), std::filesystem::current_path());
    const QString shown = Q(ProgramFileName(kRefiner));
    if (!refiner) {
        warn(" 変換プログラム " + shown +
             " が見つかりません（brisca と同じフォルダと作業ディレクトリを探しました） ");
    } else {
        ProgramStart start;
        start.program = Q(refiner->string());
        start.workingDirectory = QDir::currentPath();
        start.style = WindowStyle::Hidden;
        const auto ended = [this, conversion](const ProgramEnd& end) { conversionEnded(end, conversion); };
        if (!platform_.StartWatchedProgram(start, *this, ended))
            warn(" 変換プログラム " + shown + " を起動できません ");
    }
    platform_.ProcessPendingEvents();

    processButton->setEnabled(true);
    processButton->setFocus();
}

void ResultWindow::conversionEnded(const ProgramEnd& end, int conversion)
{
    // Only the latest conversion's F2B.dat is the one "データ処理" will read.
    if (conversion != conversion_ || (!end.crashed && end.exitCode == 0)) return;
    QString text =
        " 結果ファイルの変換に失敗しました（" + Q(ProgramFileName(kRefiner)) + " がエラーで終了しました） ";
    if (!end.errorOutput.isEmpty()) text += "\n" + end.errorOutput;
    warn(text);
}

void ResultWindow::processData()
{
    platform_.ProcessPendingEvents();
    Expected<ProcessedResult> processed = ProcessRefinedGrids(records::kRefinedGridFile);
    platform_.ProcessPendingEvents();
    if (!processed) {
        platform_.ShowMessage(
            " もう一度 データ処理ボタン を押してください", MessageButtons::Ok, MessageIcon::None);
        return;
    }
    ProcessedResult& result = *processed;
    if (result.noDose) {
        // Pressing again cannot help: the result itself holds no dose.
        warn(" この計算結果には線量率がありません（管出力または管電流が 0 の条件で計算されています） \n" +
             Q(MessageText(*result.noDose)));
        return;
    }
    state_.kermaGrid = std::move(result.kermaGrid);
    state_.doseGrid = std::move(result.doseGrid);
    state_.kermaMax = result.kermaMax;
    state_.doseMax = result.doseMax;
    state_.kermaScale = result.kermaScale;
    state_.doseScale = result.doseScale;
    kermaMaxLabel->setText(Q(FormatNumber(state_.kermaMax, "0.000E+00")));
    doseMaxLabel->setText(Q(FormatNumber(state_.doseMax, "0.000E+00")));
    // The air kerma legend, whichever quantity is selected.
    showScale(state_.kermaScale);
    processed_ = converted_;
    csvSaveButton->setEnabled(true);
    paintButton->setEnabled(true);
    paintButton->setFocus();
}

void ResultWindow::showScale(const std::optional<Thresholds>& scale)
{
    std::array<QString, 11> texts;
    for (int n = 0; n < 11; ++n) {
        if (scale) texts[n] = Q(PlainNumberText((*scale)[n + 1]));
        thresholdEdits[n]->setText(texts[n]);
    }
    overlay_.showThresholds(texts);
}

void ResultWindow::deleteResultFile()
{
    const QListWidgetItem* item = resultList->currentItem();
    if (!item || !item->isSelected()) return;
    if (platform_.ShowMessage(" このファイルを削除していいですか？ ", MessageButtons::OkCancel,
            MessageIcon::None) != MessageAnswer::Ok)
        return;
    QFile::remove(item->text());
    refreshFileList();
    convertButton->setEnabled(false);
}

} // namespace brisca
