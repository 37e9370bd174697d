#pragma once

#include "platform/Platform.h"

namespace brisca {

// The platform of the real program: Qt dialogs, the system clock and real processes.
class QtPlatform : public Platform {
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

private:
    bool ended_ = false; // EndProgram was called
};

} // namespace brisca
