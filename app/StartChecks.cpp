#include "app/StartChecks.h"

#include "app/CommandLine.h"
#include "platform/DisplayProbe.h"

#include <cstdio>

namespace {

CommandLine parse(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return parseCommandLine(arguments);
}

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

std::optional<int> answerCommandLine(int argc, char* argv[])
{
    const CommandLine line = parse(argc, argv);
    switch (line.action) {
    case CommandLine::Action::Start:
        return std::nullopt;
    case CommandLine::Action::ShowHelp:
    case CommandLine::Action::ShowVersion:
        print(stdout, line.text);
        return 0;
    case CommandLine::Action::Refuse:
        break;
    }
    print(stderr, line.text);
    return ExitUsage;
}

bool displayReachable(int argc, char* argv[])
{
    const CommandLine line = parse(argc, argv);
    const QString problem = platform::unreachableDisplay(line.platform, line.display);
    if (problem.isEmpty()) {
        return true;
    }
    print(stderr,
          QStringLiteral("glimmora: keine grafische Anzeige erreichbar (%1).\n").arg(problem));
    return false;
}
