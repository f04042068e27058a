#include "clock/FaceLayout.h"

#include <cmath>

namespace {

// The built-in face, in pixels of its picture.
constexpr QRect BuiltinFace{0, 0, 460, 234};
constexpr std::array<QRect, 6> BuiltinTubes{{{113, 114, 19, 34},
                                             {153, 113, 19, 34},
                                             {207, 113, 19, 34},
                                             {248, 113, 19, 34},
                                             {306, 120, 14, 26},
                                             {339, 120, 14, 26}}};
// The lamps are no part of a skin; outside the built-in face they stay hidden.
constexpr std::array<QRect, 2> Lamps{{{478, 313, 16, 67}, {506, 313, 16, 67}}};
constexpr QRect BuiltinPower{48, 156, 54, 35};
constexpr std::array<QRect, 2> BuiltinStandby{{{101, 156, 30, 33}, {101, 154, 30, 33}}};
constexpr QRect BuiltinAlarm{667, 45, 50, 44};

// Each value is one step: one that cannot be applied is skipped and the part
// keeps what it had. Negative sizes are refused; zero is applied.
void setSize(QRect& r, SkinNumber width, SkinNumber height)
{
    if (const auto px = toPixels(width); px && *px >= 0) {
        r.setWidth(*px);
    }
    if (const auto px = toPixels(height); px && *px >= 0) {
        r.setHeight(*px);
    }
}

void place(QRect& r, const SkinRect& skin)
{
    if (const auto px = toPixels(skin.top)) {
        r.moveTop(*px);
    }
    if (const auto px = toPixels(skin.left)) {
        r.moveLeft(*px);
    }
    setSize(r, skin.width, skin.height);
}

int scaledEdge(int edge, qreal zoom)
{
    return static_cast<int>(std::lround(edge * zoom));
}

QRect scaledRect(const QRect& r, qreal zoom)
{
    const int left = scaledEdge(r.x(), zoom);
    const int top = scaledEdge(r.y(), zoom);
    return {left, top, scaledEdge(r.x() + r.width(), zoom) - left,
            scaledEdge(r.y() + r.height(), zoom) - top};
}

} // namespace

FaceLayout FaceLayout::scaled(qreal zoom) const
{
    FaceLayout out;
    out.face = scaledRect(face, zoom);
    for (std::size_t i = 0; i < tubes.size(); ++i) {
        out.tubes[i] = scaledRect(tubes[i], zoom);
    }
    for (std::size_t i = 0; i < lamps.size(); ++i) {
        out.lamps[i] = scaledRect(lamps[i], zoom);
        out.standbySwitches[i] = scaledRect(standbySwitches[i], zoom);
    }
    out.powerSwitch = scaledRect(powerSwitch, zoom);
    out.alarmTest = scaledRect(alarmTest, zoom);
    out.window = scaledRect(QRect(QPoint(), window), zoom).size();
    return out;
}

FaceLayout faceLayout(const SkinDescription* skin, QSize picture, qreal zoom)
{
    FaceLayout l{BuiltinFace,  BuiltinTubes,      Lamps, BuiltinPower, BuiltinStandby,
                 BuiltinAlarm, BuiltinFace.size()};
    if (skin) {
        setSize(l.face, skin->width, skin->height);
        for (std::size_t i = 0; i < l.tubes.size(); ++i) {
            place(l.tubes[i], skin->digit[i]);
        }
        place(l.powerSwitch, skin->powerSwitch);
        place(l.standbySwitches[0], skin->standBy);
        l.standbySwitches[1] = l.standbySwitches[0];
        place(l.alarmTest, skin->alarm);
    }
    l.window = picture.isEmpty() ? l.face.size() : picture;
    return zoom == 1.0 ? l : l.scaled(zoom);
}
