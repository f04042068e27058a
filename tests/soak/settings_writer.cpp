// Child process of the settings fault tests.
//
//   settings_writer loop <file> <seed> <count>
//     Writes updates 0 .. count-1 of sequence <seed> through WriteIni. Before
//     each write it puts one byte on stdout, so the parent can tell how far it
//     got and kill it in the middle of a chosen write.
//   settings_writer fsize <file> <limit> <length>
//     Limits the size of files this process may write to <limit> bytes, with
//     SIGXFSZ ignored so the write fails instead of killing us, then writes a
//     value of <length> bytes. Exit status 0 when the file could not grow.
#include "tests/soak/SettingsUpdates.h"
#include "tests/support/SettingsFiles.h"

#include <QFile>
#include <QString>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString Section = QStringLiteral("Marvane Glimmora");

int loop(const QString& file, std::uint32_t seed, int count)
{
    for (int i = 0; i < count; ++i) {
        const char next = 'W';
        if (::write(STDOUT_FILENO, &next, 1) != 1) {
            return 3;
        }
        const soak::Update u = soak::update(seed, i);
        WriteIni(Section, QString::fromLatin1(u.key), QString::fromLatin1(u.value), file);
    }
    return 0;
}

int fsize(const QString& file, rlim_t limit, int length)
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit r{limit, limit};
    if (setrlimit(RLIMIT_FSIZE, &r) != 0) {
        return 3;
    }
    WriteIni(Section, QStringLiteral("Skin"), QString(length, u'x'), file);
    QFile f(file);
    return f.size() <= static_cast<qint64>(limit) ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 5 && std::strcmp(argv[1], "loop") == 0) {
        return loop(QString::fromLocal8Bit(argv[2]),
                    static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10)),
                    std::atoi(argv[4]));
    }
    if (argc == 5 && std::strcmp(argv[1], "fsize") == 0) {
        return fsize(QString::fromLocal8Bit(argv[2]),
                     static_cast<rlim_t>(std::strtoull(argv[3], nullptr, 10)), std::atoi(argv[4]));
    }
    std::fprintf(stderr, "usage: settings_writer loop <file> <seed> <count>\n"
                         "       settings_writer fsize <file> <limit> <length>\n");
    return 2;
}
