#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QObject;

namespace brisca {

// Icon shown in a message box.
enum class MessageIcon { None, Warning };

// Buttons a message box offers.
enum class MessageButtons { Ok, OkCancel, YesNoCancel };

// Button the user answered a message box with.
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Window a started program gets: none, or a normal window that takes the focus.
enum class WindowStyle { Hidden, NormalFocus };

// One program start without waiting.
struct ProgramStart {
    QString program;          // absolute path of the program
    QString workingDirectory; // its current directory
    WindowStyle style = WindowStyle::NormalFocus;
    QString logFile; // where console output goes when no terminal can show it; empty: discarded
    std::vector<std::pair<QString, QString>> environment; // variables set for it; an empty value removes one
};

// How a watched program ended.
struct ProgramEnd {
    int exitCode = 0;     // its exit status
    bool crashed = false; // it did not end by itself (killed, crashed or not started at all)
    QString errorOutput;  // what it wrote to its error output
};

// The operating-system services the windows use, handed to each window that needs them:
// the real implementation in the program, a scripted one in the tests.
class Platform {
public:
    virtual ~Platform() = default;
    // Modal message box with the application's default title.
    virtual MessageAnswer ShowMessage(const QString& text, MessageButtons buttons, MessageIcon icon) = 0;
    // Modal notice with OK and no icon that opens in front of every other window, a console
    // window a program has just opened included, and takes the focus.
    virtual void ShowNoticeInFront(const QString& text) = 0;
    // Modal question for one line of text; the empty text when cancelled.
    virtual QString AskForText(const QString& prompt, const QString& title) = 0;
    // Modal save-file dialog opened on `proposedPath`, showing files that match `filter`; it asks
    // before an existing file is replaced. The chosen path, or the empty text when cancelled.
    virtual QString SaveFileName(
        const QString& title, const QString& proposedPath, const QString& filter) = 0;
    // Audible warning.
    virtual void Beep() = 0;
    // Today's date as text that a file name can hold (yyyy-MM-dd).
    virtual QString DateText() = 0;
    // Starts a program on its own, so that it outlives this one, and returns at once: the id of
    // the process started (the program, or the terminal that shows it), or nothing when it could
    // not be started.
    virtual std::optional<qint64> StartProgram(const ProgramStart& start) = 0;
    // Whether the process `pid` still runs.
    virtual bool ProgramRunning(qint64 pid) = 0;
    // Asks the process `pid` to stop (SIGTERM): a program that honours it cleans up first.
    virtual void StopProgram(qint64 pid) = 0;
    // Starts a program with no window and returns at once; `ended` is called on the window
    // thread when it ends, unless `owner` is gone by then (its end also ends the program).
    // False when it could not be started.
    virtual bool StartWatchedProgram(
        const ProgramStart& start, QObject& owner, std::function<void(const ProgramEnd&)> ended) = 0;
    // Lets pending window events run.
    virtual void ProcessPendingEvents() = 0;
    // Folder of the running program, where the engines are looked for first.
    virtual QString ProgramFolder() = 0;
    // Ends the program at once: no window gets a further event.
    virtual void EndProgram(int exitCode) = 0;
    // Whether EndProgram has been called.
    virtual bool EndRequested() const = 0;
};

} // namespace brisca
