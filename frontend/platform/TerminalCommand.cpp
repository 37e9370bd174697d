#include "platform/TerminalCommand.h"

namespace brisca {

std::optional<TerminalCommandLine> TerminalCommand(
    const QString& program, const QString& title, const TerminalEnvironment& env)
{
    if (env.display.isEmpty() && env.waylandDisplay.isEmpty()) return std::nullopt;

    // A terminal the user chose wins; almost every emulator takes "-e program".
    if (!env.terminal.isEmpty()) {
        const QString chosen = env.findExecutable(env.terminal);
        if (!chosen.isEmpty()) return TerminalCommandLine{chosen, {"-e", program}};
    }

    // xterm draws Japanese only with a wide font named for the double-width glyphs, and
    // only in UTF-8 mode whatever the locale says.
    const QString xterm = env.findExecutable("xterm");
    if (xterm.isEmpty()) return std::nullopt;
    return TerminalCommandLine{xterm, {"-u8", "-T", title, "-fa", "DejaVu Sans Mono", "-fd", "IPAGothic",
                                          "-fs", "11", "-geometry", "100x30", "-e", program}};
}

} // namespace brisca
