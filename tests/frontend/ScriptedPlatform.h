#pragma once

#include <QStringList>
#include <deque>
#include <functional>
#include <set>
#include <vector>

#include "platform/Platform.h"

namespace brisca {

// One message box as the program showed it.
struct ShownMessage {
    QString text;
    MessageButtons buttons;
    MessageIcon icon;
    bool inFront = false; // opened in front of every other window
};

// The platform tests drive: message boxes and text questions answered in advance, a fixed date,
// program starts recorded instead of made.
class ScriptedPlatform : public Platform {
public:
    MessageAnswer ShowMessage(const QString& text, MessageButtons buttons, MessageIcon icon) override;
    void ShowNoticeInFront(const QString& text) override;
    QString AskForText(const QString& prompt, const QString& title) override;
    QString SaveFileName(const QString& title, const QString& proposedPath, const QString& filter) override;
    void Beep() override;
    QString DateText() override;
    std::optional<qint64> StartProgram(const ProgramStart& start) override;
    bool ProgramRunning(qint64 pid) override;
    void StopProgram(qint64 pid) override;
    bool StartWatchedProgram(
        const ProgramStart& start, QObject& owner, std::function<void(const ProgramEnd&)> ended) override;
    void ProcessPendingEvents() override;
    QString ProgramFolder() override;
    void EndProgram(int exitCode) override;
    bool EndRequested() const override;

    std::deque<MessageAnswer> messageAnswers; // answers for the next boxes; Ok when none is left
    std::deque<QString> textAnswers;          // answers for the next text questions; empty when none
    std::deque<QString> saveAnswers;          // paths chosen in the next save dialogs; cancelled when none
    QString date = "2026-12-07";              // what DateText returns
    bool startSucceeds = true;                // whether StartProgram starts
    qint64 nextPid = 4000;                    // the id StartProgram gives its next process
    std::set<qint64> running;                 // processes that run: those started, until a test ends them
    QString programFolder;                    // what ProgramFolder returns
    std::function<void()> duringEvents; // runs inside every ProcessPendingEvents, as a user's event would

    std::vector<ShownMessage> messages;                           // every message box, in order
    QStringList textPrompts;                                      // every text question's prompt, in order
    QStringList saveProposals;                                    // every save dialog's proposed path
    std::vector<ProgramStart> starts;                             // every program start, in order
    std::vector<qint64> stopped;                                  // every process asked to stop, in order
    std::vector<std::function<void(const ProgramEnd&)>> watchers; // end calls of watched starts
    QStringList events; // "beep", "message", "askfortext", "savedialog", "start", "pendingevents",
                        // "end" in order
    int beeps = 0;      // number of beeps
    int exitCode = -1;  // code given to EndProgram; -1 while running
};

} // namespace brisca
