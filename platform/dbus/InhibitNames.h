#pragma once

#include <QString>

namespace platform::inhibit {

inline const QString AppName = QStringLiteral("glimmora");
inline const QString Reason = QStringLiteral("Bildschirmschoner unterdrückt");
// The idle flag of the session manager's and the portal's Inhibit.
constexpr uint IdleFlag = 8;

} // namespace platform::inhibit
