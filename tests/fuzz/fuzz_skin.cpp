// Reading a skin description from an arbitrary "SkinFile.ini": every number is
// a finite single or missing, every pixel value fits the 16-bit coordinates,
// every strip has a file name.
#include "skin/SkinReader.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cmath>
#include <cstdlib>
#include <unistd.h>

namespace {

void check(bool ok)
{
    if (!ok) {
        std::abort();
    }
}

void checkNumber(const SkinNumber& n)
{
    if (n) {
        check(std::isfinite(*n));
        const std::optional<int> px = toPixels(n);
        check(!px || (*px >= -32768 && *px <= 32767));
        // Whole pixels are the value rounded; only values beyond 16 bits have none.
        check(px.has_value() == (*n >= -32768.5f && *n < 32767.5f));
    } else {
        check(!toPixels(n));
    }
}

void checkRect(const SkinRect& r)
{
    checkNumber(r.top);
    checkNumber(r.left);
    checkNumber(r.width);
    checkNumber(r.height);
}

// One file per fuzzing process, rewritten for every input and removed at the
// end.
struct ScratchDir
{
    QString path = QDir::temp().filePath(QStringLiteral("glimmora-fuzz-skin-%1").arg(::getpid()));
    ScratchDir() { QDir().mkpath(path); }
    ~ScratchDir() { QDir(path).removeRecursively(); }
};

const QString& skinFile()
{
    static const ScratchDir dir;
    static const QString file = dir.path + QStringLiteral("/SkinFile.ini");
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QFile f(skinFile());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return 0;
    }
    f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    f.close();

    const SkinDescription d = readSkinDescription(skinFile(), QStringLiteral("Marvane Glimmora"));
    checkNumber(d.width);
    checkNumber(d.height);
    for (std::size_t i = 0; i < d.digit.size(); ++i) {
        check(!d.digitFile[i].isEmpty());
        checkRect(d.digit[i]);
    }
    checkRect(d.powerSwitch);
    checkRect(d.standBy);
    checkRect(d.alarm);
    return 0;
}
