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

#include <cerrno>
#include <csignal>

namespace brisca {

namespace {

// A process that reports nothing while it is destroyed: QProcess ends a running program in its
// destructor and signals that end, which would reach an owner already half destroyed.
class WatchedProcess : public QProcess {
public:
    using QProcess::QProcess;
    ~WatchedProcess() override { blockSignals(true); }
};

// The environment of this program with `settings` applied.
QProcessEnvironment EnvironmentWith(const std::vector<std::pair<QString, QString>>& settings)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : settings) {
        if (value.isEmpty())
            environment.remove(name);
        else
            environment.insert(name, value);
    }
    return environment;
}

} // namespace

MessageAnswer QtPlatform::ShowMessage(const QString& text, MessageButtons buttons, MessageIcon icon)
{
    const QMessageBox::StandardButtons shown =
        buttons == MessageButtons::OkCancel      ? QMessageBox::Ok | QMessageBox::Cancel
        : buttons == MessageButtons::YesNoCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                                                 : QMessageBox::Ok;
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
        QCoreApplication::applicationName(), text, shown, QApplication::activeWindow());
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return MessageAnswer::Cancel;
    }
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

std::optional<qint64> QtPlatform::StartProgram(const ProgramStart& start)
{
    if (!QFileInfo(start.program).isExecutable()) return std::nullopt;

    QProcess process;
    process.setWorkingDirectory(start.workingDirectory);
    // A terminal hands its environment on to the program it shows.
    process.setProcessEnvironment(EnvironmentWith(start.environment));
    qint64 pid = 0;
    const auto detach = [&process, &pid]() -> std::optional<qint64> {
        if (!process.startDetached(&pid)) return std::nullopt;
        return pid;
    };
    if (start.style == WindowStyle::NormalFocus) {
        const TerminalEnvironment env{qEnvironmentVariable("DISPLAY"),
            qEnvironmentVariable("WAYLAND_DISPLAY"), qEnvironmentVariable("TERMINAL"),
            [](const QString& name) { return QStandardPaths::findExecutable(name); }};
        if (const auto terminal = TerminalCommand(start.program, QFileInfo(start.program).fileName(), env)) {
            process.setProgram(terminal->program);
            process.setArguments(terminal->arguments);
            return detach();
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
    return detach();
}

// A detached process is no child of this one: once it ends, the system reaps it and its id
// no longer answers.
bool QtPlatform::ProgramRunning(qint64 pid)
{
    if (pid <= 0) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

void QtPlatform::StopProgram(qint64 pid)
{
    if (pid > 0) ::kill(static_cast<pid_t>(pid), SIGTERM);
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
