#include "skin/SkinReader.h"

#include "app/NumericValue.h"
#include "app/Settings.h"

#include <cmath>
#include <cstdint>
#include <limits>

SkinNumber skinNumber(const QString& text)
{
    const double value = Val(text);
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

namespace {

SkinRect readRect(const QString& prefix, const QString& file, const QString& section)
{
    const auto number = [&](const char* suffix) {
        return skinNumber(
            ReadIni(section, prefix + QLatin1String(suffix), file, QStringLiteral("0")));
    };
    SkinRect r;
    r.top = number("_Top");
    r.left = number("_Left");
    r.width = number("_Width");
    r.height = number("_Height");
    return r;
}

} // namespace

SkinDescription readSkinDescription(const QString& skinFile, const QString& section)
{
    SkinDescription d;
    d.width = skinNumber(ReadIni(section, QStringLiteral("Width"), skinFile, QStringLiteral("0")));
    d.height =
        skinNumber(ReadIni(section, QStringLiteral("Height"), skinFile, QStringLiteral("0")));
    for (std::size_t i = 0; i < d.digit.size(); ++i) {
        const QString prefix = QStringLiteral("Digit%1").arg(i + 1);
        d.digitFile[i] =
            ReadIni(section, prefix + QStringLiteral("_File"), skinFile, DefaultDigitFiles[i]);
        d.digit[i] = readRect(prefix, skinFile, section);
    }
    d.powerSwitch = readRect(QStringLiteral("PowerSwitch"), skinFile, section);
    d.standBy = readRect(QStringLiteral("StandBy"), skinFile, section);
    d.alarm = readRect(QStringLiteral("Alarm"), skinFile, section);
    return d;
}

std::optional<int> toPixels(SkinNumber value)
{
    if (!value) {
        return std::nullopt;
    }
    std::int16_t pixels = 0;
    if (!toInt16(static_cast<double>(*value), pixels)) {
        return std::nullopt;
    }
    return pixels;
}
