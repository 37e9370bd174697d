#include "platform/QtPlatform.h"

#include <QApplication>
#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include "platform/TerminalCommand.h"

namespace brisca {

namespace {

// A process that reports nothing while it is destroyed: QProcess ends a running program in its
// destructor and signals that end, which would reach an owner already half destroyed.
class WatchedProcess : public QProcess {
public:
    using QProcess::QProcess;
    ~WatchedProcess() override { blockSignals(true); }
};

} // namespace

MessageAnswer QtPlatform::ShowMessage(const QString& text, MessageButtons buttons, MessageIcon icon)
{
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
        QCoreApplication::applicationName(), text,
        buttons == MessageButtons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
        QApplication::activeWindow());
    return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void QtPlatform::ShowNoticeInFront(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text, QMessageBox::Ok,
        QApplication::activeWindow());
    // A console window that opens meanwhile would otherwise cover the box and take the keys.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    QTimer::singleShot(0, &box, [&box] {
        box.raise();
        box.activateWindow();
    });
    box.exec();
}

QString QtPlatform::AskForText(const QString& prompt, const QString& title)
{
    bool accepted = false;
    const QString answer = QInputDialog::getText(QApplication::activeWindow(),
        title.isEmpty() ? QCoreApplication::applicationName() : title, prompt, QLineEdit::Normal, QString(),
        &accepted);
    return accepted ? answer : QString();
}

QString QtPlatform::SaveFileName(const QString& title, const QString& proposedPath, const QString& filter)
{
    // The dialog's own question guards an existing file.
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, proposedPath, filter);
}

void QtPlatform::Beep() { QApplication::beep(); }

QString QtPlatform::DateText() { return QDate::currentDate().toString("yyyy-MM-dd"); }

bool QtPlatform::StartProgram(const ProgramStart& start)
{
    if (!QFileInfo(start.program).isExecutable()) return false;

    QProcess process;
    process.setWorkingDirectory(start.workingDirectory);
    if (start.style == WindowStyle::NormalFocus) {
        const TerminalEnvironment env{qEnvironmentVariable("DISPLAY"),
            qEnvironmentVariable("WAYLAND_DISPLAY"), qEnvironmentVariable("TERMINAL"),
            [](const QString& name) { return QStandardPaths::findExecutable(name); }};
        if (const auto terminal = TerminalCommand(start.program, QFileInfo(start.program).fileName(), env)) {
            process.setProgram(terminal->program);
            process.setArguments(terminal->arguments);
            return process.startDetached();
        }
    }

    // No window to show it in: the program reads end of input and its console goes to the log.
    process.setProgram(start.program);
    process.setStandardInputFile(QProcess::nullDevice());
    if (start.logFile.isEmpty()) {
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
    } else {
        process.setStandardOutputFile(start.logFile, QIODevice::Append);
        process.setStandardErrorFile(start.logFile, QIODevice::Append);
    }
    return process.startDetached();
}

bool QtPlatform::StartWatchedProgram(
    const ProgramStart& start, QObject& owner, std::function<void(const ProgramEnd&)> ended)
{
    if (!QFileInfo(start.program).isExecutable()) return false;

    // The process belongs to the owner, so a call back never reaches a window that is gone.
    auto* process = new WatchedProcess(&owner);
    process->setWorkingDirectory(start.workingDirectory);
    process->setProgram(start.program);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    const auto report = [process, ended](int exitCode, bool crashed) {
        ended({exitCode, crashed, QString::fromUtf8(process->readAllStandardError()).trimmed()});
        process->deleteLater();
    };
    QObject::connect(
        process, &QProcess::finished, process, [report](int exitCode, QProcess::ExitStatus status) {
            report(exitCode, status == QProcess::CrashExit);
        });
    // A start that fails brings no finished signal.
    QObject::connect(process, &QProcess::errorOccurred, process, [report](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) report(-1, true);
    });
    process->start();
    return true;
}

void QtPlatform::ProcessPendingEvents() { QCoreApplication::processEvents(); }

QString QtPlatform::ProgramFolder() { return QCoreApplication::applicationDirPath(); }

void QtPlatform::EndProgram(int exitCode)
{
    ended_ = true;
    // exit() leaves the event loop without sending close events, unlike quit().
    QCoreApplication::exit(exitCode);
}

bool QtPlatform::EndRequested() const { return ended_; }

} // namespace brisca
