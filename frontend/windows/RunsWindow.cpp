#include "windows/RunsWindow.h"
#include "windows/ScreenFit.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/Platform.h"

namespace brisca {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Columns of the run table.
enum Column {
    FileColumn,
    PositionColumn,
    ProgressColumn,
    LeftColumn,
    PrecisionColumn,
    StateColumn,
    CancelColumn,
    ShowColumn,
    ColumnCount
};

// Looks per second at the progress files, which the engines replace a few times a second.
constexpr int PollIntervalMs = 250;

// Top of the main window's buttons, below its conditions, in its own pixels.
constexpr int ConditionsBottom = 690;

} // namespace

RunsWindow::RunsWindow(Platform& platform, QWidget* parent) : QWidget(parent), platform_(platform)
{
    setObjectName("runsWindow");
    setWindowTitle(tr("計算の実行状況"));
    resize(1000, 210);

    runTable_ = new QTableWidget(0, ColumnCount, this);
    runTable_->setObjectName("runTable");
    runTable_->setHorizontalHeaderLabels(
        {tr("結果ファイル"), tr("体位"), tr("進捗"), tr("残り時間"), tr("精度"), tr("状態"), "", ""});
    runTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    runTable_->setSelectionMode(QAbstractItemView::NoSelection);
    runTable_->verticalHeader()->setVisible(false);
    const int widths[] = {230, 50, 150, 80, 140, 170, 70, 70};
    for (int column = 0; column < ColumnCount; ++column) runTable_->setColumnWidth(column, widths[column]);
    runTable_->horizontalHeader()->setSectionResizeMode(StateColumn, QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(runTable_);

    pollTimer_ = new QTimer(this);
    pollTimer_->setInterval(PollIntervalMs);
    connect(pollTimer_, &QTimer::timeout, this, &RunsWindow::poll);
    FitOnScreen(*this, 1);
}

void RunsWindow::addRun(RunRow row)
{
    const std::size_t index = runs_.Add(std::move(row));
    const int tableRow = static_cast<int>(index);
    const QString number = QString::number(index + 1);
    runTable_->insertRow(tableRow);
    for (const int column : {FileColumn, PositionColumn, LeftColumn, PrecisionColumn, StateColumn})
        runTable_->setItem(tableRow, column, new QTableWidgetItem);
    auto* bar = new QProgressBar;
    bar->setObjectName("progressBar" + number);
    bar->setRange(0, 1000);
    bar->setFormat("%p %");
    runTable_->setCellWidget(tableRow, ProgressColumn, bar);
    auto* cancel = new QPushButton(tr("中止"));
    cancel->setObjectName("cancelButton" + number);
    connect(cancel, &QPushButton::clicked, this, [this, index] { cancelRun(index); });
    runTable_->setCellWidget(tableRow, CancelColumn, cancel);
    auto* show = new QPushButton(tr("表示"));
    show->setObjectName("showButton" + number);
    connect(show, &QPushButton::clicked, this,
        [this, index] { emit resultRequested(Q(runs_.Rows()[index].ResultFile())); });
    runTable_->setCellWidget(tableRow, ShowColumn, show);
    showRow(index);
    runTable_->scrollToBottom();
    pollTimer_->start();
    if (!isVisible()) QWidget::show();
    raise();
}

void RunsWindow::poll()
{
    const std::vector<std::string> finished =
        runs_.Poll([this](long long pid) { return platform_.ProgramRunning(pid); });
    for (std::size_t index = 0; index < runs_.Rows().size(); ++index) showRow(index);
    if (!runs_.Watched()) pollTimer_->stop();
    for (const std::string& file : finished) emit runFinished(Q(file));
}

void RunsWindow::cancelRun(std::size_t index)
{
    if (index >= runs_.Rows().size() || runs_.Rows()[index].State() != RunState::Running) return;
    const QString question = tr(" 計算「%1」を中止しますか？ ").arg(Q(runs_.Rows()[index].ResultFile()));
    if (platform_.ShowMessage(question, MessageButtons::OkCancel, MessageIcon::Warning) != MessageAnswer::Ok)
        return;
    // The run may have ended while the question was open.
    if (const long long pid = runs_.Cancel(index)) platform_.StopProgram(pid);
    showRow(index);
    pollTimer_->start();
}

void RunsWindow::stopAll()
{
    for (std::size_t index = 0; index < runs_.Rows().size(); ++index) {
        if (const long long pid = runs_.Cancel(index)) platform_.StopProgram(pid);
        showRow(index);
    }
}

void RunsWindow::placeBelow(const QWidget& mainWindow)
{
    const QScreen* screen = mainWindow.screen() ? mainWindow.screen() : QGuiApplication::primaryScreen();
    const QRect frame = mainWindow.frameGeometry();
    int top = frame.bottom() + 1;
    if (screen) {
        const QRect available = screen->availableGeometry();
        const int lowest = available.bottom() + 1 - (frameGeometry().height());
        top = std::max(std::min(top, lowest), mainWindow.mapToGlobal(QPoint(0, ConditionsBottom)).y());
    }
    move(frame.left(), top);
}

void RunsWindow::showRow(std::size_t index)
{
    const RunRow& run = runs_.Rows()[index];
    const int row = static_cast<int>(index);
    runTable_->item(row, FileColumn)->setText(Q(run.ResultFile()));
    runTable_->item(row, PositionColumn)->setText(Q(run.PositionText()));
    runTable_->item(row, LeftColumn)->setText(Q(run.TimeLeftText()));
    runTable_->item(row, PrecisionColumn)->setText(Q(run.PrecisionText()));
    const QString state = Q(run.StateText());
    runTable_->item(row, StateColumn)->setText(state);
    runTable_->item(row, StateColumn)->setToolTip(state);
    static_cast<QProgressBar*>(runTable_->cellWidget(row, ProgressColumn))
        ->setValue(static_cast<int>(run.ShareDone() * 1000.0));
    runTable_->cellWidget(row, CancelColumn)->setEnabled(run.State() == RunState::Running);
    runTable_->cellWidget(row, ShowColumn)->setEnabled(run.State() == RunState::Finished);
}

} // namespace brisca
