#pragma once

#include <QDate>
#include <QString>

// A day as the clock's tooltip names it, in German whatever the system's
// locale: "Dienstag, 8. Dezember 2026".
QString germanDateText(const QDate& day);
