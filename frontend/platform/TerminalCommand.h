#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace brisca {

// What decides which terminal window can show a console program.
struct TerminalEnvironment {
    QString display;        // DISPLAY
    QString waylandDisplay; // WAYLAND_DISPLAY
    QString terminal;       // TERMINAL: the desktop's configured terminal emulator
    std::function<QString(const QString&)> findExecutable; // full path of a program name, or empty
};

// A terminal emulator and its arguments.
struct TerminalCommandLine {
    QString program;       // the terminal emulator
    QStringList arguments; // ends with "-e" and the console program
};

// The terminal that shows `program` with the window title `title`; none without a display
// or without a terminal emulator.
std::optional<TerminalCommandLine> TerminalCommand(
    const QString& program, const QString& title, const TerminalEnvironment& env);

} // namespace brisca
