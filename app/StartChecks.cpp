#include "app/StartChecks.h"

#include "app/CommandLine.h"
#include "platform/session/DisplayProbe.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

CommandLine parse(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return parseCommandLine(arguments);
}

// False when the text did not reach the stream (closed, full, a pipe
// nobody reads).
bool print(std::FILE* stream, const QString& text)
{
    const bool put = std::fputs(text.toLocal8Bit().constData(), stream) >= 0;
    return std::fflush(stream) == 0 && put && !std::ferror(stream);
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
        if (!print(stdout, line.text)) {
            const int error = errno;
            print(stderr, QStringLiteral("glimmora: Ausgabe nicht möglich: %1\n")
                              .arg(QString::fromLocal8Bit(std::strerror(error))));
            return ExitFailure;
        }
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
    const QString problem =
        platform::unreachableDisplay(line.platform, line.display, line.platformPluginPath);
    if (problem.isEmpty()) {
        return true;
    }
    print(stderr,
          QStringLiteral("glimmora: keine grafische Anzeige erreichbar (%1).\n").arg(problem));
    return false;
}
