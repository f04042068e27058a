#include "AssetTestSupport.h"

#include "skin/SkinReader.h"

#include <QDir>
#include <QFile>
#include <QPoint>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace assettest {

QString asset(const QString& relative)
{
    return QStringLiteral(GLIMMORA_SOURCE_DIR "/assets/") + relative;
}

BmpHeader readBmpHeader(const QString& path)
{
    QFile f(path);
    BmpHeader h;
    if (!f.open(QIODevice::ReadOnly))
        return h;
    const QByteArray d = f.read(54);
    if (d.size() < 54 || !d.startsWith("BM"))
        return h;
    h.valid = qFromLittleEndian<quint32>(d.constData() + 30) == 0; // uncompressed
    h.width = qFromLittleEndian<qint32>(d.constData() + 18);
    h.height = std::abs(qFromLittleEndian<qint32>(d.constData() + 22));
    h.bitsPerPixel = qFromLittleEndian<quint16>(d.constData() + 28);
    return h;
}

QImage loadRgb(const QString& path)
{
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

std::vector<bool> outsideOf(const QImage& face)
{
    const int w = face.width();
    const int h = face.height();
    std::vector<bool> out(static_cast<size_t>(w) * h, false);
    std::vector<QPoint> todo;
    auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h || out[static_cast<size_t>(y) * w + x] ||
            face.pixel(x, y) != kMask)
            return;
        out[static_cast<size_t>(y) * w + x] = true;
        todo.emplace_back(x, y);
    };
    for (int x = 0; x < w; ++x) {
        visit(x, 0);
        visit(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        visit(0, y);
        visit(w - 1, y);
    }
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        visit(p.x() + 1, p.y());
        visit(p.x() - 1, p.y());
        visit(p.x(), p.y() + 1);
        visit(p.x(), p.y() - 1);
    }
    return out;
}

bool rectOnDevice(const std::vector<bool>& outside, const QSize& size, const QRect& r)
{
    if (!QRect(QPoint(0, 0), size).contains(r))
        return false;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (outside[static_cast<size_t>(y) * size.width() + x])
                return false;
    return true;
}

QRect pixelRect(const SkinRect& r)
{
    const auto l = toPixels(r.left), t = toPixels(r.top), w = toPixels(r.width),
               h = toPixels(r.height);
    return l && t && w && h ? QRect(*l, *t, *w, *h) : QRect();
}

SkinLayout readSkin(const QString& name)
{
    SkinLayout s;
    s.dir = asset(QStringLiteral("Skins/%1/").arg(name));
    s.description = readSkinDescription(s.dir + QStringLiteral("SkinFile.ini"), kSection);
    for (int i = 0; i < 6; ++i)
        s.tubes[static_cast<size_t>(i)] = pixelRect(s.description.digit[static_cast<size_t>(i)]);
    return s;
}

QStringList shippedSkins()
{
    return QDir(asset(QStringLiteral("Skins")))
        .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

int channelDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

double luminance(QRgb c)
{
    return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}

double rimStep(const QImage& face, const QRect& r, const QImage& content)
{
    double sum = 0;
    int n = 0;
    auto step = [&](int cx, int cy, int fx, int fy) {
        sum += channelDistance(content.pixel(cx, cy), face.pixel(fx, fy));
        ++n;
    };
    for (int x = 0; x < r.width(); ++x) {
        step(x, 0, r.x() + x, r.y() - 1);
        step(x, r.height() - 1, r.x() + x, r.bottom() + 1);
    }
    for (int y = 0; y < r.height(); ++y) {
        step(0, y, r.x() - 1, r.y() + y);
        step(r.width() - 1, y, r.right() + 1, r.y() + y);
    }
    return sum / n;
}

} // namespace assettest
