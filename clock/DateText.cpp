#include "clock/DateText.h"

#include <QLocale>

QString germanDateText(const QDate& day)
{
    return QLocale(QLocale::German, QLocale::Germany)
        .toString(day, QStringLiteral("dddd, d. MMMM yyyy"));
}
