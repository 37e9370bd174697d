#include "ScriptedPlatform.h"

namespace brisca {

MsgAnswer ScriptedPlatform::MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon)
{
    messages.push_back({text, buttons, icon});
    events << "msgbox";
    if (msgAnswers.empty()) return MsgAnswer::Ok;
    const MsgAnswer answer = msgAnswers.front();
    msgAnswers.pop_front();
    return answer;
}

QString ScriptedPlatform::InputBox(const QString& prompt, const QString&)
{
    inputPrompts << prompt;
    events << "inputbox";
    if (inputAnswers.empty()) return QString();
    const QString answer = inputAnswers.front();
    inputAnswers.pop_front();
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

bool ScriptedPlatform::StartProgram(const ProgramStart& start)
{
    starts.push_back(start);
    events << "start";
    return startSucceeds;
}

bool ScriptedPlatform::StartWatchedProgram(
    const ProgramStart& start, QObject&, std::function<void(const ProgramEnd&)> ended)
{
    starts.push_back(start);
    events << "start";
    if (startSucceeds) watchers.push_back(std::move(ended));
    return startSucceeds;
}

void ScriptedPlatform::DoEvents()
{
    events << "doevents";
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
