#include "ScriptedPlatform.h"

namespace brisca {

MessageAnswer ScriptedPlatform::ShowMessage(const QString& text, MessageButtons buttons, MessageIcon icon)
{
    messages.push_back({text, buttons, icon, false});
    events << "message";
    if (messageAnswers.empty()) return MessageAnswer::Ok;
    const MessageAnswer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

void ScriptedPlatform::ShowNoticeInFront(const QString& text)
{
    ShowMessage(text, MessageButtons::Ok, MessageIcon::None);
    messages.back().inFront = true;
}

QString ScriptedPlatform::AskForText(const QString& prompt, const QString&)
{
    textPrompts << prompt;
    events << "askfortext";
    if (textAnswers.empty()) return QString();
    const QString answer = textAnswers.front();
    textAnswers.pop_front();
    return answer;
}

QString ScriptedPlatform::SaveFileName(const QString&, const QString& proposedPath, const QString&)
{
    saveProposals << proposedPath;
    events << "savedialog";
    if (saveAnswers.empty()) return QString();
    const QString answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

void ScriptedPlatform::Beep()
{
    ++beeps;
    events << "beep";
}

QString ScriptedPlatform::DateText() { return date; }

std::optional<qint64> ScriptedPlatform::StartProgram(const ProgramStart& start)
{
    starts.push_back(start);
    events << "start";
    if (!startSucceeds) return std::nullopt;
    running.insert(nextPid);
    return nextPid++;
}

bool ScriptedPlatform::ProgramRunning(qint64 pid) { return running.count(pid) > 0; }

void ScriptedPlatform::StopProgram(qint64 pid)
{
    stopped.push_back(pid);
    events << "stop";
}

bool ScriptedPlatform::StartWatchedProgram(
    const ProgramStart& start, QObject&, std::function<void(const ProgramEnd&)> ended)
{
    starts.push_back(start);
    events << "start";
    if (startSucceeds) watchers.push_back(std::move(ended));
    return startSucceeds;
}

void ScriptedPlatform::ProcessPendingEvents()
{
    events << "pendingevents";
    if (duringEvents) duringEvents();
}

QString ScriptedPlatform::ProgramFolder() { return programFolder; }

void ScriptedPlatform::EndProgram(int code)
{
    exitCode = code;
    events << "end";
}

bool ScriptedPlatform::EndRequested() const { return exitCode >= 0; }

} // namespace brisca
