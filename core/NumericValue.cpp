#include "core/NumericValue.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isIgnored(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

// Hex and octal literals read as 16-bit values when they fit in 16 bits and as
// 32-bit values when they fit in 32, so &HFFFF is -1 as settings files expect.
double radixValue(const QString& digits, int base)
{
    quint64 value = 0;
    for (QChar c : digits) {
        const int d = c.isDigit() ? c.digitValue()
                                  : (base == 16 && c.toLower() >= u'a' && c.toLower() <= u'f'
                                         ? c.toLower().unicode() - u'a' + 10
                                         : -1);
        if (d < 0 || d >= base) {
            break;
        }
        value = value * static_cast<quint64>(base) + static_cast<quint64>(d);
        if (value > 0xFFFFFFFFull) {
            return static_cast<double>(value); // too large for either form; keep magnitude
        }
    }
    if (value <= 0xFFFF) {
        return static_cast<double>(static_cast<qint16>(static_cast<quint16>(value)));
    }
    return static_cast<double>(static_cast<qint32>(static_cast<quint32>(value)));
}

} // namespace

double leadingNumber(const QString& text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text) {
        if (!isIgnored(c)) {
            s.append(c);
        }
    }

    if (s.size() >= 2 && s[0] == u'&') {
        const QChar kind = s[1].toUpper();
        if (kind == u'H') {
            return radixValue(s.mid(2), 16);
        }
        if (kind == u'O') {
            return radixValue(s.mid(2), 8);
        }
        return 0.0;
    }

    // Collect the longest prefix of the decimal form, then let strtod (in the
    // C locale's terms, which we only feed ASCII) convert exactly that prefix.
    QByteArray number;
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        number.append(static_cast<char>(s[i].unicode()));
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c >= u'0' && c <= u'9') {
            digits = true;
            number.append(static_cast<char>(c.unicode()));
        } else if (c == u'.' && !point) {
            point = true;
            number.append('.');
        } else {
            break;
        }
    }
    if (!digits) {
        return 0.0;
    }
    if (i < s.size() && (s[i] == u'E' || s[i] == u'e')) {
        QByteArray exponent = "e";
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) {
            exponent.append(static_cast<char>(s[j].unicode()));
            ++j;
        }
        bool expDigits = false;
        for (; j < s.size() && s[j] >= u'0' && s[j] <= u'9'; ++j) {
            expDigits = true;
            exponent.append(static_cast<char>(s[j].unicode()));
        }
        if (expDigits) {
            number.append(exponent);
        }
    }
    // from_chars ignores the locale (Qt sets LC_NUMERIC from the user's locale,
    // which would make strtod want a decimal comma under German settings).
    const char* first = number.constData();
    if (*first == '+') {
        ++first;
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(first, number.constData() + number.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        if (number.contains("e-")) {
            return 0.0; // underflow
        }
        // Beyond double: keep the sign and make it unusable for any conversion.
        return (*first == '-') ? -std::numeric_limits<double>::infinity()
                               : std::numeric_limits<double>::infinity();
    }
    return ec == std::errc() ? value : 0.0;
}

double roundHalfEven(double value)
{
    return std::nearbyint(value); // the default rounding mode is to nearest, ties to even
}

bool toInt16(double value, std::int16_t& target)
{
    if (!std::isfinite(value)) {
        return false;
    }
    const double r = roundHalfEven(value);
    if (r < std::numeric_limits<std::int16_t>::min() ||
        r > std::numeric_limits<std::int16_t>::max()) {
        return false;
    }
    target = static_cast<std::int16_t>(r);
    return true;
}

bool toInt32(double value, int& target)
{
    if (!std::isfinite(value)) {
        return false;
    }
    const double r = roundHalfEven(value);
    if (r < std::numeric_limits<int>::min() || r > std::numeric_limits<int>::max()) {
        return false;
    }
    target = static_cast<int>(r);
    return true;
}
