// glimmora-artgen: draws the clock's committed pictures and sound.
//
//   glimmora-artgen <repo>/assets [preview-dir]
//
// Writes builtin/ (face, strips, lamps, about picture, hand cursor),
// alarm.wav, icons/hicolor/*/apps/glimmora.png and Skins/<name>/. With a
// preview directory it also writes PNG views of each face with its strips
// pasted in (as the clock shows 12:34:56) for looking at the result.
// Output is deterministic: no clock, no random seeds beyond fixed ones.

#include "Assets.h"

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>

#include <cstdio>
#include <vector>

namespace {

bool loadFonts()
{
    const char* files[] = {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf",
                           "LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf"};
    bool ok = true;
    for (const char* f : files) {
        const QString path = QStringLiteral("/usr/share/fonts/truetype/liberation2/") + f;
        if (QFontDatabase::addApplicationFont(path) < 0) {
            std::fprintf(stderr, "cannot load font %s (install fonts-liberation2)\n",
                         qPrintable(path));
            ok = false;
        }
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s <assets-dir> [preview-dir]\n", argv[0]);
        return 2;
    }
    // Fonts and painting need a GUI application but never a display.
    std::vector<char*> qtArgs = {argv[0], const_cast<char*>("-platform"),
                                 const_cast<char*>("offscreen")};
    int qtArgc = static_cast<int>(qtArgs.size());
    QGuiApplication app(qtArgc, qtArgs.data());
    if (!loadFonts())
        return 1;

    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString preview = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (!QDir().mkpath(out.path()) || (!preview.isEmpty() && !QDir().mkpath(preview))) {
        std::fprintf(stderr, "cannot create the output directories\n");
        return 1;
    }
    return artgen::writeAll(out, preview) ? 0 : 1;
}
