#pragma once

#include <QWidget>
#include <cstddef>

#include "logic/runs/RunList.h"

class QTableWidget;
class QTimer;

namespace brisca {

class Platform;

// The runs started from the main window in this session: one row each with its result, the
// share done, the time left, the precision reached and its state, a way to stop it and, once
// it has finished, to show its result. The rows follow the progress files four times a second.
class RunsWindow : public QWidget {
    Q_OBJECT
public:
    explicit RunsWindow(Platform& platform, QWidget* parent = nullptr);

    // A run started now: its row, followed from now on; the window shows itself.
    void addRun(RunRow row);
    // One look at every followed run: the rows show what it saw.
    void poll();
    // "中止" of row `index` (from 0): asks, then asks the engine to stop.
    void cancelRun(std::size_t index);
    // Asks the engines of all running rows to stop, without a question.
    void stopAll();
    // Number of runs still running.
    std::size_t runningCount() const { return runs_.RunningCount(); }
    // Puts the window below `mainWindow`, or as low as the screen allows without covering the
    // conditions of the calculation.
    void placeBelow(const QWidget& mainWindow);

signals:
    // Run of `resultFile` has written its result.
    void runFinished(const QString& resultFile);
    // "表示" of a finished row.
    void resultRequested(const QString& resultFile);

private:
    // A row's controls as the run stands.
    void showRow(std::size_t index);

    Platform& platform_;     // process ids, stops, the question before a stop
    RunList runs_;           // the runs and their states
    QTableWidget* runTable_; // one row per run
    QTimer* pollTimer_;      // runs the looks while a run is followed
};

} // namespace brisca
