#include "skin/SkinReader.h"

#include "core/NumericValue.h"
#include "core/Settings.h"

#include <cmath>
#include <cstdint>
#include <limits>

SkinNumber skinNumber(const QString& text)
{
    const double value = leadingNumber(text);
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

namespace {

SkinRect readRect(const QString& prefix, const IniFile& file)
{
    const auto number = [&](const char* suffix) {
        return skinNumber(file.read(prefix + QLatin1String(suffix), QStringLiteral("0")));
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
    const IniFile file(skinFile, section); // read and parsed once for all its keys
    SkinDescription d;
    d.width = skinNumber(file.read(QStringLiteral("Width"), QStringLiteral("0")));
    d.height = skinNumber(file.read(QStringLiteral("Height"), QStringLiteral("0")));
    for (std::size_t i = 0; i < d.digit.size(); ++i) {
        const QString prefix = QStringLiteral("Digit%1").arg(i + 1);
        d.digitFile[i] = file.read(prefix + QStringLiteral("_File"), DefaultDigitFiles[i]);
        d.digit[i] = readRect(prefix, file);
    }
    d.powerSwitch = readRect(QStringLiteral("PowerSwitch"), file);
    d.standBy = readRect(QStringLiteral("StandBy"), file);
    d.alarm = readRect(QStringLiteral("Alarm"), file);
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
