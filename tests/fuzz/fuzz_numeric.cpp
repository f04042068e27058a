// The leading-number rule on arbitrary text: blanks, tabs and line feeds
// anywhere do not change the result; a plain decimal number reads as the C
// library reads it; the conversions to 16 and 32 bits either give the value
// rounded half to even inside their range or fail and leave the target alone.
#include "core/NumericValue.h"

#include <QString>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

void check(bool ok)
{
    if (!ok) {
        std::abort();
    }
}

// Sign, digits, at most one point, an exponent with digits: nothing else.
bool plainDecimal(const QByteArray& s)
{
    qsizetype i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9') {
            digits = true;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) {
        return false;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        const qsizetype first = j;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') {
            ++j;
        }
        i = j > first ? j : i;
    }
    return i == s.size() && s.size() < 300;
}

template <typename Int> void checkConversion(double value, bool (*convert)(double, Int&))
{
    const Int untouched = static_cast<Int>(-7);
    Int target = untouched;
    const bool ok = convert(value, target);
    const double lowest = static_cast<double>(std::numeric_limits<Int>::min()) - 0.5;
    const double highest = static_cast<double>(std::numeric_limits<Int>::max()) + 0.5;
    if (!std::isfinite(value) || value < lowest || value > highest) {
        check(!ok && target == untouched);
        return;
    }
    if (ok) {
        check(std::fabs(static_cast<double>(target) - value) <= 0.5);
        // A tie goes to the even neighbour.
        if (std::fabs(static_cast<double>(target) - value) == 0.5) {
            check(target % 2 == 0);
        }
    } else {
        // Only the rounding at the very edges may leave the range.
        check(target == untouched && (value <= lowest + 1 || value >= highest - 1));
    }
}

bool toInt16Adapter(double v, std::int16_t& t)
{
    return toInt16(v, t);
}

bool toInt32Adapter(double v, int& t)
{
    return toInt32(v, t);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = QString::fromUtf8(bytes);
    const double value = leadingNumber(text);
    check(!std::isnan(value));

    QString bare = text;
    bare.remove(u' ').remove(u'\t').remove(u'\n');
    const double same = leadingNumber(bare);
    check(same == value || (std::isnan(same) && std::isnan(value)));

    const QByteArray ascii = bare.toLatin1();
    if (bare.size() == ascii.size() && plainDecimal(ascii)) {
        const double c = std::strtod(ascii.constData(), nullptr);
        // strtod gives HUGE_VAL on overflow and a tiny or zero value on underflow.
        check(c == value || (std::isinf(c) && std::isinf(value)) ||
              (std::fabs(c) < std::numeric_limits<double>::min() && value == 0.0));
    }

    checkConversion<std::int16_t>(value, toInt16Adapter);
    checkConversion<int>(value, toInt32Adapter);
    return 0;
}
