// Median-cut palette and Floyd-Steinberg error diffusion for the 256-colour
// about picture; Qt's own conversion uses a fixed cube that bands badly on
// dark gradients.

#include "Assets.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace artgen {

namespace {

// Six bits per channel keep dark gradients apart.
constexpr int kBins = 1 << 18;

struct Bin
{
    int key = 0;
    long count = 0;
    long r = 0, g = 0, b = 0;
    int channel(int c) const { return (key >> (12 - 6 * c)) & 63; }
};

struct Box
{
    std::vector<Bin> bins;
    long population() const
    {
        long n = 0;
        for (const Bin& b : bins)
            n += b.count;
        return n;
    }
    int range(int c) const
    {
        int lo = 63, hi = 0;
        for (const Bin& b : bins) {
            lo = std::min(lo, b.channel(c));
            hi = std::max(hi, b.channel(c));
        }
        return hi - lo;
    }
};

std::vector<QRgb> medianCut(const QImage& src)
{
    std::vector<Bin> bins(kBins);
    for (int i = 0; i < kBins; ++i)
        bins[static_cast<size_t>(i)].key = i;
    for (int y = 0; y < src.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const QRgb c = row[x];
            const int key = ((qRed(c) >> 2) << 12) | ((qGreen(c) >> 2) << 6) | (qBlue(c) >> 2);
            Bin& b = bins[static_cast<size_t>(key)];
            ++b.count;
            b.r += qRed(c);
            b.g += qGreen(c);
            b.b += qBlue(c);
        }
    }
    std::vector<Box> boxes(1);
    for (const Bin& b : bins)
        if (b.count > 0)
            boxes[0].bins.push_back(b);
    while (boxes.size() < 256) {
        // Split the box whose widest channel, weighted by its pixels, is largest.
        size_t best = boxes.size();
        double bestScore = 0.0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].bins.size() < 2)
                continue;
            const int r = std::max({boxes[i].range(0), boxes[i].range(1), boxes[i].range(2)});
            const double score = r * static_cast<double>(boxes[i].population());
            if (score > bestScore) {
                bestScore = score;
                best = i;
            }
        }
        if (best == boxes.size())
            break;
        Box& box = boxes[best];
        int axis = 0;
        for (int c = 1; c < 3; ++c)
            if (box.range(c) > box.range(axis))
                axis = c;
        std::stable_sort(box.bins.begin(), box.bins.end(), [axis](const Bin& a, const Bin& b) {
            return a.channel(axis) != b.channel(axis) ? a.channel(axis) < b.channel(axis)
                                                      : a.key < b.key;
        });
        const long half = box.population() / 2;
        long acc = 0;
        size_t cut = 1;
        for (size_t i = 0; i + 1 < box.bins.size(); ++i) {
            acc += box.bins[i].count;
            cut = i + 1;
            if (acc >= half)
                break;
        }
        Box upper;
        upper.bins.assign(box.bins.begin() + static_cast<long>(cut), box.bins.end());
        box.bins.resize(cut);
        boxes.push_back(std::move(upper));
    }
    std::vector<QRgb> palette;
    for (const Box& box : boxes) {
        long n = 0, r = 0, g = 0, b = 0;
        for (const Bin& bin : box.bins) {
            n += bin.count;
            r += bin.r;
            g += bin.g;
            b += bin.b;
        }
        palette.push_back(qRgb(static_cast<int>((r + n / 2) / n), static_cast<int>((g + n / 2) / n),
                               static_cast<int>((b + n / 2) / n)));
    }
    return palette;
}

int nearest(const std::vector<QRgb>& palette, double r, double g, double b)
{
    int best = 0;
    double bestD = 1e30;
    for (size_t i = 0; i < palette.size(); ++i) {
        const double dr = qRed(palette[i]) - r;
        const double dg = qGreen(palette[i]) - g;
        const double db = qBlue(palette[i]) - b;
        const double d = 0.30 * dr * dr + 0.59 * dg * dg + 0.11 * db * db;
        if (d < bestD) {
            bestD = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

} // namespace

QImage quantize256(const QImage& image)
{
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    const std::vector<QRgb> palette = medianCut(src);
    const int w = src.width();
    const int h = src.height();
    QImage out(w, h, QImage::Format_Indexed8);
    out.setColorTable(QList<QRgb>(palette.begin(), palette.end()));
    std::vector<std::array<double, 3>> err(static_cast<size_t>(w + 2) * 2, {0, 0, 0});
    for (int y = 0; y < h; ++y) {
        auto* cur = &err[static_cast<size_t>(y % 2) * (w + 2)];
        auto* next = &err[static_cast<size_t>((y + 1) % 2) * (w + 2)];
        std::fill(next, next + w + 2, std::array<double, 3>{0, 0, 0});
        const auto* row = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        uchar* dst = out.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const double r = std::clamp(qRed(row[x]) + cur[x + 1][0], 0.0, 255.0);
            const double g = std::clamp(qGreen(row[x]) + cur[x + 1][1], 0.0, 255.0);
            const double b = std::clamp(qBlue(row[x]) + cur[x + 1][2], 0.0, 255.0);
            const int idx = nearest(palette, r, g, b);
            dst[x] = static_cast<uchar>(idx);
            const double e[3] = {r - qRed(palette[static_cast<size_t>(idx)]),
                                 g - qGreen(palette[static_cast<size_t>(idx)]),
                                 b - qBlue(palette[static_cast<size_t>(idx)])};
            for (int c = 0; c < 3; ++c) {
                cur[x + 2][c] += e[c] * 7 / 16;
                next[x][c] += e[c] * 3 / 16;
                next[x + 1][c] += e[c] * 5 / 16;
                next[x + 2][c] += e[c] * 1 / 16;
            }
        }
    }
    return out;
}

} // namespace artgen
