#pragma once

// The services the clock asks directly wherever it can see them.

#include "platform/dbus/CookiePath.h"

namespace platform {

// org.freedesktop.ScreenSaver: what X screen savers' helpers, KDE and
// GNOME's settings daemon serve.
class ScreenSaverPath final : public CookiePath
{
    Q_OBJECT
public:
    ScreenSaverPath(const QDBusConnection& bus, QObject* parent);

protected:
    QDBusMessage inhibitCall(WId window) override;
};

// org.gnome.SessionManager's idle inhibit: what GNOME, MATE and Cinnamon
// sessions count, whatever screen saver they run.
class SessionManagerPath final : public CookiePath
{
    Q_OBJECT
public:
    SessionManagerPath(const QDBusConnection& bus, QObject* parent);

protected:
    QDBusMessage inhibitCall(WId window) override;
};

} // namespace platform
