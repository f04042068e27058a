#include "alarm/AlarmTime.h"

#include "core/NumericValue.h"

#include <QDir>
#include <cmath>

QString twoDigitText(int value)
{
    QString text = QString::number(value);
    if (text.size() == 1) {
        text.prepend(u'0');
    }
    return text;
}

int selectorValue(const QString& stored, int maximum)
{
    const double value = roundHalfEven(leadingNumber(stored));
    // Checked in double first: a stored 1e30 must not reach an int conversion.
    if (std::isnan(value) || value <= 0.0) {
        return 0;
    }
    if (value >= static_cast<double>(maximum)) {
        return maximum;
    }
    return static_cast<int>(value);
}

QStringList waveFilesIn(const QString& directory)
{
    if (directory.isEmpty()) {
        return {};
    }
    QDir dir(directory);
    dir.setNameFilters({QStringLiteral("*.wav")});
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}
