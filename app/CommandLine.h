#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for, decided before Qt's GUI exists: --help and
// --version must work without a display, and a wrong call must not open a
// window. Qt's own options (-platform, -display, -style, ...) are accepted and
// left to Qt.
struct CommandLine
{
    enum class Action
    {
        Start,
        ShowHelp,
        ShowVersion,
        Refuse,
    };
    Action action = Action::Start;
    // The help or version text (stdout), or the one-line refusal (stderr).
    QString text;
    // Qt's -platform and -display values, for the check whether a display
    // can be opened at all; empty where not given.
    QString platform;
    QString display;
    QString platformPluginPath;
};

// The program's exit codes besides 0.
enum ExitCode : int
{
    // No display or platform to start on, or the help or version not written.
    ExitFailure = 1,
    ExitUsage = 2,
};

// arguments: the whole argv, program name first.
CommandLine parseCommandLine(const QStringList& arguments);
