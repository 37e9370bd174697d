// The result window's way from a result file to the display grids: the file list and its
// header, the refiner start and its end, the data processing and the deletion of a file.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>
#include <string_view>

#include "logic/AppState.h"
#include "logic/files/AtomicWrite.h"
#include "logic/result/CorrectionNote.h"
#include "logic/result/DataProcessing.h"
#include "logic/result/ResultHeader.h"
#include "logic/start/EngineLocator.h"
#include "logic/text/NumberText.h"
#include "platform/Platform.h"
#include "windows/PictureBox.h"
#include "windows/ResultWindow.h"

namespace brisca {

namespace {

// The header's position captions, for the translation of the caption shown.
constexpr const char* PositionCaptions[] = {QT_TRANSLATE_NOOP("brisca::ResultWindow", "臥位（垂直照射）"),
    QT_TRANSLATE_NOOP("brisca::ResultWindow", "立位（水平照射）")};
static_assert(std::string_view(PositionCaptions[0]) == SupineText);
static_assert(std::string_view(PositionCaptions[1]) == StandingText);

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
    // Refilling the list is no choice of the user's: the file on show stays selected.
    const QSignalBlocker quiet(resultList_);
    resultList_->clear();
    resultList_->addItems(QDir::current().entryList({"*.dsr5", "*.dsrC"}, QDir::Files, QDir::Name));
    if (const auto& selected = state_.display.selected) {
        const auto found = resultList_->findItems(Q(selected->name), Qt::MatchExactly);
        if (!found.isEmpty()) resultList_->setCurrentItem(found[0]);
    }
}

void ResultWindow::selectResultFile()
{
    const QListWidgetItem* item = resultList_->currentItem();
    if (!item) return;
    Expected<ResultHeader> header = ReadResultHeader(LocalPath(item->text()));
    clearDisplay();
    if (!header) {
        // A file whose header cannot be read is not handed to the refiner.
        state_.display.Select(std::nullopt);
        showHeader(nullptr);
        convertButton_->setEnabled(false);
        warn(tr(" 結果ファイルのヘッダを読めません \n") + Q(MessageText(header.Failure())));
        return;
    }
    state_.display.Select(ResultFile{item->text().toStdString(), std::move(*header)});
    showHeader(&state_.display.selected->header);
    // A corrected copy says what it was scaled to.
    if (const auto note = ReadCorrectionNote(std::filesystem::current_path(), state_.display.selected->name))
        correctionNoteLabel_->setText(Q(CorrectionCaption(*note)));
    convertButton_->setEnabled(true);
}

void ResultWindow::showHeader(const ResultHeader* header)
{
    const auto text = [header](int n) { return header ? Q(header->labels[n]) : QString(); };
    // The position caption is the header's own text, shown in the interface's language.
    positionLabel_->setText(
        header ? tr(header->labels[static_cast<int>(HeaderValue::PatientPosition)].c_str()) : QString());
    for (std::size_t n = 0; n < conditionLabels_.size(); ++n) conditionLabels_[n]->setText(text(n + 1));
    correctionNoteLabel_->clear();
}

void ResultWindow::clearMap()
{
    // A painting under way stops at its next yield.
    ++painting_;
    if (paintRunning_) {
        paintRunning_ = false;
        paintButton_->setEnabled(true);
    }
    mapView_->clear();
    clearReadout();
    imageSaveButton_->setEnabled(false);
    csvSaveButton_->setEnabled(false);
    reportSaveButton_->setEnabled(false);
}

void ResultWindow::clearDisplay()
{
    clearMap();
    kermaMaxLabel_->setText("-");
    doseMaxLabel_->setText("-");
    showScale(std::nullopt);
    ShowUncertaintyNote(uncertaintyLabel_, nullptr);
}

void ResultWindow::startConversion()
{
    const QListWidgetItem* item = resultList_->currentItem();
    if (!item || !state_.display.selected) return;
    // The map of an earlier conversion goes, and the grids wait for this one's processing.
    QFile::remove(records::kRefinedGridFile);
    clearMap();
    state_.display.StartConversion();
    const int conversion = ++conversion_;
    setCursor(Qt::BusyCursor);
    showConversionStatus(tr("変換中です…"));
    processButton_->setEnabled(true);
    processButton_->setFocus();

    // Without its list file the refiner would convert the file named there before.
    if (const std::optional<Problem> unwritten =
            WriteTextFileAtomically(records::kListFile, (item->text() + "\r\n").toUtf8().toStdString())) {
        const QString text = Q(MessageText(*unwritten));
        conversionFailed(" " + text + " ", text);
        return;
    }
    platform_.ProcessPendingEvents();
    const auto refiner =
        LocateEngine(kRefiner, platform_.ProgramFolder().toStdString(), std::filesystem::current_path());
    const QString shown = Q(ProgramFileName(kRefiner));
    if (!refiner) {
        const QString problem =
            tr(" 変換プログラム %1 が見つかりません（brisca と同じフォルダと作業ディレクトリを探しました） ")
                .arg(shown);
        conversionFailed(problem, problem);
        return;
    }
    ProgramStart start;
    start.program = Q(refiner->string());
    start.workingDirectory = QDir::currentPath();
    start.style = WindowStyle::Hidden;
    const auto ended = [this, conversion](const ProgramEnd& end) { conversionEnded(end, conversion); };
    if (!platform_.StartWatchedProgram(start, *this, ended)) {
        const QString problem = tr(" 変換プログラム %1 を起動できません ").arg(shown);
        conversionFailed(problem, problem);
        return;
    }
    platform_.ProcessPendingEvents();
}

void ResultWindow::showResult(const QString& name)
{
    refreshFileList();
    const auto found = resultList_->findItems(name, Qt::MatchExactly);
    if (found.isEmpty()) {
        warn(tr(" 結果ファイル %1 が見つかりません ").arg(name));
        return;
    }
    if (resultList_->currentItem() == found[0])
        selectResultFile();
    else
        resultList_->setCurrentItem(found[0]);
    // A header that does not read was refused with a warning.
    if (!state_.display.selected || Q(state_.display.selected->name) != name) return;
    startConversion();
    if (state_.display.conversion == Conversion::Running) processAfter_ = conversion_;
}

void ResultWindow::showConversionStatus(const QString& status)
{
    // The file's name after the status, so that a selection moved on meanwhile is not taken
    // for the converted file, and a long name is cut rather than the status.
    conversionStatusLabel_->setText(tr("%1（%2）").arg(status, Q(state_.display.converted->name)));
}

void ResultWindow::conversionFailed(const QString& warning, const QString& reason)
{
    state_.display.EndConversion(false, reason.trimmed().toStdString());
    unsetCursor();
    showConversionStatus(tr("変換に失敗しました"));
    warn(warning);
}

void ResultWindow::conversionEnded(const ProgramEnd& end, int conversion)
{
    // Only the latest conversion's F2B.dat is the one "データ処理" will read.
    if (conversion != conversion_) return;
    if (!end.crashed && end.exitCode == 0) {
        state_.display.EndConversion(true, {});
        unsetCursor();
        showConversionStatus(tr("変換が終わりました"));
        if (processAfter_ == conversion) processData();
        return;
    }
    const QString refiner = Q(ProgramFileName(kRefiner));
    const QString output = end.errorOutput.isEmpty() ? QString() : "\n" + end.errorOutput;
    conversionFailed(
        tr(" 結果ファイルの変換に失敗しました（%1 がエラーで終了しました） ").arg(refiner) + output,
        tr("%1 がエラーで終了しました").arg(refiner) + output);
}

void ResultWindow::processData()
{
    if (const std::string refusal = state_.display.ProcessingRefusal(); !refusal.empty()) {
        warn(Q(refusal));
        return;
    }
    platform_.ProcessPendingEvents();
    Expected<ProcessedResult> processed = ProcessRefinedGrids(records::kRefinedGridFile);
    platform_.ProcessPendingEvents();
    if (!processed) {
        // Only a refiner still at work can leave the file missing or short for a while.
        if (state_.display.conversion == Conversion::Running) {
            platform_.ShowMessage(
                tr(" もう一度 データ処理ボタン を押してください"), MessageButtons::Ok, MessageIcon::None);
        } else {
            warn(tr(" 変換された結果を読めません \n") + Q(MessageText(processed.Failure())));
        }
        return;
    }
    ProcessedResult& result = *processed;
    if (result.noDose) {
        // Pressing again cannot help: the result itself holds no dose.
        warn(tr(" この計算結果には線量率がありません（管出力または管電流が 0 の条件で計算されています） \n") +
             Q(MessageText(*result.noDose)));
        return;
    }
    state_.display.TakeProcessed(std::move(result));
    auto errors = std::make_shared<ResultErrors>();
    ReadResultErrors(LocalPath(Q(state_.display.processed->name)), *errors);
    state_.display.errors = std::move(errors);
    ShowUncertaintyNote(uncertaintyLabel_, state_.display.errors.get());
    kermaMaxLabel_->setText(Q(FormatNumber(state_.display.kermaMax, "0.000E+00")));
    doseMaxLabel_->setText(Q(FormatNumber(state_.display.doseMax, "0.000E+00")));
    // The air kerma legend, whichever quantity is selected.
    showScale(state_.display.kermaScale);
    emit displayChoiceChanged();
    csvSaveButton_->setEnabled(true);
    paintButton_->setEnabled(true);
    paintButton_->setFocus();
}

void ResultWindow::showScale(const std::optional<Thresholds>& scale)
{
    for (int n = 0; n < 11; ++n)
        thresholdEdits_[n]->setText(scale ? Q(PlainNumberText((*scale)[n + 1])) : QString());
}

void ResultWindow::deleteResultFile()
{
    const QListWidgetItem* item = resultList_->currentItem();
    if (!item || !item->isSelected()) return;
    if (platform_.ShowMessage(tr(" このファイルを削除していいですか？ "), MessageButtons::OkCancel,
            MessageIcon::None) != MessageAnswer::Ok)
        return;
    const QString deleted = item->text();
    QFile::remove(deleted);
    // A corrected copy's note goes with it.
    QFile::remove(Q(CorrectionNoteName(deleted.toStdString())));
    // The deleted file's conditions and whatever was on show of it go with it, and so does
    // its conversion, whose end then reports to nobody.
    clearDisplay();
    if (state_.display.converted && Q(state_.display.converted->name) == deleted) {
        ++conversion_;
        unsetCursor();
        conversionStatusLabel_->clear();
        state_.display.converted.reset();
    }
    state_.display.Select(std::nullopt);
    showHeader(nullptr);
    refreshFileList();
    convertButton_->setEnabled(false);
}

} // namespace brisca
