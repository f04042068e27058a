// The settings file's reader and writer on arbitrary file contents, names and
// values: after writing a key, reading it gives the value as written (one
// line, blanks and one pair of quotes removed, at most 2047 bytes), every other
// key of every section reads as before, and writing the same again changes
// nothing. A UTF-16 file holds text, so there a value arrives as UTF-8 (what
// is no UTF-8 comes back as the replacement character).
#include "platform/files/ProfileEncoding.h"
#include "platform/files/ProfileFile.h"

#include <QByteArrayList>
#include <QString>
#include <QStringDecoder>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

QByteArray trimmed(const QByteArray& s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && isBlank(s[b])) {
        ++b;
    }
    while (e > b && isBlank(s[e - 1])) {
        --e;
    }
    return s.mid(b, e - b);
}

// What reading gives back for a written value.
QByteArray readBack(const QByteArray& written)
{
    qsizetype cut = written.size();
    for (qsizetype i = 0; i < written.size() && cut == written.size(); ++i) {
        cut = (written[i] == '\n' || written[i] == '\r') ? i : cut;
    }
    QByteArray v = trimmed(written.left(cut));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.mid(1, v.size() - 2);
    }
    return v.left(platform::ProfileValueMax);
}

// Names a line of the file can hold as they are: a key line must not read as
// a section header, and names are found without their surrounding blanks.
bool usableSection(const QByteArray& s)
{
    return trimmed(s) == s && !s.contains(']') && !s.contains('\n') && !s.contains('\r');
}

bool usableKey(const QByteArray& k)
{
    return trimmed(k) == k && !k.contains('=') && !k.contains('\n') && !k.contains('\r') &&
           !k.startsWith('[');
}

bool sameName(const QByteArray& a, const QByteArray& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

void check(bool ok)
{
    if (!ok) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const bool ownSection = in.ConsumeBool();
    const QByteArray section = ownSection
                                   ? QByteArray("Marvane Glimmora")
                                   : QByteArray::fromStdString(in.ConsumeRandomLengthString(40));
    const QByteArray key = QByteArray::fromStdString(in.ConsumeRandomLengthString(40));
    const QByteArray value = QByteArray::fromStdString(in.ConsumeRandomLengthString(2100));
    const std::string rest = in.ConsumeRemainingBytesAsString();
    const QByteArray content = QByteArray::fromStdString(rest);

    (void)platform::lookupProfileString(content, section, key);
    const QByteArray out = platform::withProfileString(content, section, key, value);
    const bool utf16 = content.startsWith("\xFF\xFE") || content.startsWith("\xFE\xFF");
    auto asText = [utf16](const QByteArray& b) {
        QStringDecoder wide(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                        QStringConverter::Flag::Stateless);
        return utf16 ? QString(wide(b)).toUtf8() : b;
    };
    if (!usableSection(section) || !usableKey(key) || asText(section) != section ||
        asText(key) != key) {
        return 0; // only that nothing breaks
    }
    check(platform::lookupProfileString(out, section, key) == readBack(asText(value)));
    check(platform::withProfileString(out, section, key, value) == out);

    // Every other key of the file, in its section, reads as before.
    QByteArray current;
    bool inSection = false;
    int checked = 0;
    for (const QByteArray& raw : platform::decodeProfile(content).text.split('\n')) {
        const QByteArray line = trimmed(raw);
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            current = trimmed(close < 0 ? line.mid(1) : line.mid(1, close - 1));
            inSection = true;
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (!inSection || eq < 0 || ++checked > 16) {
            continue;
        }
        const QByteArray other = trimmed(line.left(eq));
        if (sameName(current, section) && sameName(other, key)) {
            continue;
        }
        check(platform::lookupProfileString(out, current, other) ==
              platform::lookupProfileString(content, current, other));
    }
    return 0;
}
