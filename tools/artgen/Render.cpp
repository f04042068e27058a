#include "Render.h"

#include <QDebug>

#include <algorithm>
#include <cmath>
#include <vector>

namespace artgen {

HiCanvas::HiCanvas(QSize facePixels, int scale_)
    : image(facePixels * scale_, QImage::Format_ARGB32_Premultiplied), scale(scale_)
{
    image.fill(Qt::transparent);
}

void beginPainter(QPainter& p, HiCanvas& canvas)
{
    p.begin(&canvas.image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(canvas.scale, canvas.scale);
}

void blitAt(QPainter& p, int scale, QPoint facePos, const QImage& image)
{
    p.save();
    p.resetTransform();
    p.drawImage(facePos * scale, image);
    p.restore();
}

QImage downscale(const QImage& hi, int factor)
{
    const QImage src = hi.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = src.width() / factor;
    const int h = src.height() / factor;
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    const int n = factor * factor;
    for (int y = 0; y < h; ++y) {
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int a = 0, r = 0, g = 0, b = 0;
            for (int dy = 0; dy < factor; ++dy) {
                const auto* row = reinterpret_cast<const QRgb*>(src.constScanLine(y * factor + dy));
                for (int dx = 0; dx < factor; ++dx) {
                    const QRgb c = row[x * factor + dx];
                    a += qAlpha(c);
                    r += qRed(c);
                    g += qGreen(c);
                    b += qBlue(c);
                }
            }
            dst[x] = qRgba((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n, (a + n / 2) / n);
        }
    }
    return out;
}

namespace {

// One horizontal box pass over 4 interleaved channels (running sum).
void boxPass(std::vector<int>& data, int w, int h, int r, bool horizontal)
{
    const int len = horizontal ? w : h;
    const int lines = horizontal ? h : w;
    std::vector<int> line(static_cast<size_t>(len) * 4);
    const int div = 2 * r + 1;
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> int* {
            const int x = horizontal ? i : l;
            const int y = horizontal ? l : i;
            return &data[(static_cast<size_t>(y) * w + x) * 4];
        };
        for (int i = 0; i < len; ++i)
            std::copy_n(at(i), 4, &line[static_cast<size_t>(i) * 4]);
        for (int c = 0; c < 4; ++c) {
            auto px = [&](int i) {
                return line[static_cast<size_t>(std::clamp(i, 0, len - 1)) * 4 + c];
            };
            long sum = 0;
            for (int i = -r; i <= r; ++i)
                sum += px(i);
            for (int i = 0; i < len; ++i) {
                at(i)[c] = static_cast<int>((sum + div / 2) / div);
                sum += px(i + r + 1) - px(i - r);
            }
        }
    }
}

} // namespace

void blur(QImage& image, double radius)
{
    if (radius < 0.5)
        return;
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width();
    const int h = image.height();
    std::vector<int> data(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            int* d = &data[(static_cast<size_t>(y) * w + x) * 4];
            d[0] = qAlpha(row[x]) * 16;
            d[1] = qRed(row[x]) * 16;
            d[2] = qGreen(row[x]) * 16;
            d[3] = qBlue(row[x]) * 16;
        }
    }
    // Three box passes approximate a Gaussian of the given standard deviation.
    const int r = std::max(1, static_cast<int>(std::lround(radius * 0.95)));
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(data, w, h, r, true);
        boxPass(data, w, h, r, false);
    }
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int* d = &data[(static_cast<size_t>(y) * w + x) * 4];
            auto ch = [](int v) { return std::clamp((v + 8) / 16, 0, 255); };
            const int a = ch(d[0]);
            row[x] = qRgba(std::min(ch(d[1]), a), std::min(ch(d[2]), a), std::min(ch(d[3]), a), a);
        }
    }
}

double hash01(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return (h & 0xFFFFFFu) / 16777216.0;
}

double valueNoise(double x, double y, std::uint32_t seed)
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    auto smooth = [](double t) { return t * t * (3.0 - 2.0 * t); };
    const double tx = smooth(x - fx);
    const double ty = smooth(y - fy);
    const double a = hash01(ix, iy, seed);
    const double b = hash01(ix + 1, iy, seed);
    const double c = hash01(ix, iy + 1, seed);
    const double d = hash01(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double fbm(double x, double y, std::uint32_t seed, int octaves)
{
    double sum = 0.0, amp = 0.5, norm = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 101u) * amp;
        norm += amp;
        x *= 2.03;
        y *= 2.03;
        amp *= 0.5;
    }
    return sum / norm;
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QImage outsideMap(const QImage& face)
{
    const int w = face.width();
    const int h = face.height();
    QImage out(w, h, QImage::Format_Grayscale8);
    out.fill(0);
    std::vector<QPoint> stack;
    auto push = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return;
        if (out.constScanLine(y)[x] != 0 || (face.pixel(x, y) | 0xff000000) != kMaskColor)
            return;
        out.scanLine(y)[x] = 255;
        stack.emplace_back(x, y);
    };
    for (int x = 0; x < w; ++x) {
        push(x, 0);
        push(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        push(0, y);
        push(w - 1, y);
    }
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        push(p.x() + 1, p.y());
        push(p.x() - 1, p.y());
        push(p.x(), p.y() + 1);
        push(p.x(), p.y() - 1);
    }
    return out;
}

namespace {

bool nearMask(QRgb c)
{
    return qRed(c) <= 8 && qGreen(c) <= 8 && std::abs(qBlue(c) - qBlue(kMaskColor)) <= 8;
}

} // namespace

QImage finalizeFace(const QImage& argb)
{
    const QImage src = argb.convertToFormat(QImage::Format_ARGB32);
    const int w = src.width();
    const int h = src.height();
    QImage face(w, h, QImage::Format_RGB32);
    int enclosed = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb c = src.pixel(x, y);
            QRgb out = kMaskColor;
            if (qAlpha(c) >= 128) {
                out = qRgb(qRed(c), qGreen(c), qBlue(c));
                if (out == kMaskColor)
                    out = qRgb(1, 0, 40);
            }
            face.setPixel(x, y, out);
        }
    }
    // A cut pixel enclosed by the device would be a hole in the window; fill it.
    const QImage outside = outsideMap(face);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (outside.constScanLine(y)[x] == 0 && face.pixel(x, y) == kMaskColor) {
                face.setPixel(x, y, qRgb(20, 20, 20));
                if (enclosed < 5)
                    qWarning() << "enclosed mask pixel at" << x << y;
                ++enclosed;
            }
    if (enclosed > 0)
        qWarning() << "filled" << enclosed << "enclosed mask pixels";
    // Pixels along the cut must differ clearly from the mask colour.
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (outside.constScanLine(y)[x] != 0)
                continue;
            const QRgb c = face.pixel(x, y);
            if (!nearMask(c))
                continue;
            bool touches = false;
            for (int dy = -1; dy <= 1 && !touches; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < w && ny < h && outside.constScanLine(ny)[nx]) {
                        touches = true;
                        break;
                    }
                }
            if (touches)
                face.setPixel(x, y, qRgb(std::max(qRed(c), 12), std::max(qGreen(c), 10), qBlue(c)));
        }
    }
    return face.convertToFormat(QImage::Format_RGB888);
}

QImage maskToAlpha(const QImage& face)
{
    QImage out = face.convertToFormat(QImage::Format_ARGB32);
    const QImage outside = outsideMap(face);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            if (outside.constScanLine(y)[x])
                out.setPixel(x, y, qRgba(0, 0, 0, 0));
    return out;
}

bool saveBmp24(const QImage& image, const QString& path)
{
    const bool ok = image.convertToFormat(QImage::Format_RGB888).save(path, "BMP");
    if (!ok)
        qWarning() << "cannot write" << path;
    return ok;
}

} // namespace artgen
