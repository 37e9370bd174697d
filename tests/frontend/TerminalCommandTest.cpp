// Which terminal window shows an engine's console.
#include <gtest/gtest.h>

#include "platform/TerminalCommand.h"

using brisca::TerminalCommand;
using brisca::TerminalEnvironment;

namespace {

struct Case {
    const char* name;
    QString display;
    QString wayland;
    QString terminal;
    QStringList installed; // programs found on the path
    QString expected;      // terminal program; empty: none
};

TEST(TerminalCommand, PicksTheConfiguredTerminalThenXtermAndNeedsADisplay)
{
    const Case cases[] = {
        {"no display", "", "", "", {"xterm"}, ""},
        {"no display, terminal configured", "", "", "konsole", {"konsole", "xterm"}, ""},
        {"X display, xterm", ":0", "", "", {"xterm"}, "/usr/bin/xterm"},
        {"Wayland only", "", "wayland-0", "", {"xterm"}, "/usr/bin/xterm"},
        {"configured terminal wins", ":0", "", "konsole", {"konsole", "xterm"}, "/usr/bin/konsole"},
        {"configured terminal missing", ":0", "", "gone", {"xterm"}, "/usr/bin/xterm"},
        {"display but no terminal", ":0", "", "", {}, ""},
    };
    for (const Case& c : cases) {
        const TerminalEnvironment env{c.display, c.wayland, c.terminal, [&c](const QString& name) {
                                          return c.installed.contains(name) ? "/usr/bin/" + name : QString();
                                      }};
        const auto command = TerminalCommand("/opt/bin/mcstand", "mcstand", env);
        EXPECT_EQ(command ? command->program : QString(), c.expected) << c.name;
        if (command) {
            // The console program is what the terminal runs, as the last two arguments.
            EXPECT_EQ(command->arguments.mid(command->arguments.size() - 2),
                QStringList({"-e", "/opt/bin/mcstand"}))
                << c.name;
        }
    }
}

TEST(TerminalCommand, XtermGetsFontsThatDrawJapaneseInUtf8)
{
    const TerminalEnvironment env{":1", "", "", [](const QString& name) { return "/usr/bin/" + name; }};
    const QStringList args = TerminalCommand("/w/mcstand", "mcstand", env)->arguments;
    EXPECT_TRUE(args.contains("-u8"));
    EXPECT_EQ(args[args.indexOf("-fa") + 1], "DejaVu Sans Mono");
    EXPECT_EQ(args[args.indexOf("-fd") + 1], "IPAGothic");
    EXPECT_EQ(args[args.indexOf("-T") + 1], "mcstand");
}

} // namespace
