#include "platform/files/ProfileFile.h"

#include "platform/files/FileReplace.h"
#include "platform/files/ProfileEncoding.h"
#include "platform/files/RegularFile.h"

#include <QFile>
#include <QLoggingCategory>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace platform {
namespace {

Q_LOGGING_CATEGORY(lcSettings, "glimmora.settings", QtCriticalMsg)

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArray trimmedBlanks(QByteArray s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && (isBlank(s[b]) || s[b] == '\r')) {
        ++b;
    }
    while (e > b && (isBlank(s[e - 1]) || s[e - 1] == '\r')) {
        --e;
    }
    return s.mid(b, e - b);
}

bool sameName(const QByteArray& a, const QByteArray& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// One line of the file, split into its text and its line ending.
struct Line
{
    qsizetype begin = 0; // offset of the first byte
    qsizetype end = 0;   // offset just past the text (before \r\n or \n)
    qsizetype next = 0;  // offset of the following line
};

Line lineAt(const QByteArray& content, qsizetype pos)
{
    Line l;
    l.begin = pos;
    const qsizetype nl = content.indexOf('\n', pos);
    if (nl < 0) {
        l.end = content.size();
        l.next = content.size();
    } else {
        l.end = (nl > pos && content[nl - 1] == '\r') ? nl - 1 : nl;
        l.next = nl + 1;
    }
    return l;
}

// A section header's name, or a null array when the line is not a header.
QByteArray sectionName(const QByteArray& text)
{
    const QByteArray t = trimmedBlanks(text);
    if (!t.startsWith('[')) {
        return {};
    }
    const qsizetype close = t.indexOf(']');
    const QByteArray name = trimmedBlanks(close < 0 ? t.mid(1) : t.mid(1, close - 1));
    return name.isNull() ? QByteArray("") : name;
}

bool keyOf(const QByteArray& text, QByteArray& key, QByteArray& value)
{
    const qsizetype eq = text.indexOf('=');
    if (eq < 0) {
        return false;
    }
    key = trimmedBlanks(text.left(eq));
    value = trimmedBlanks(text.mid(eq + 1));
    return true;
}

QByteArray unquoted(QByteArray v)
{
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        return v.mid(1, v.size() - 2);
    }
    return v;
}

// Values are one line; a line break inside one would split the file's structure.
QByteArray oneLine(const QByteArray& value)
{
    qsizetype cut = value.size();
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '\n' || value[i] == '\r') {
            cut = i;
            break;
        }
    }
    return value.left(cut);
}

QByteArray withProfileText(const QByteArray& content, const QByteArray& section,
                           const QByteArray& key, const QByteArray& value)
{
    const QByteArray v = oneLine(value);
    const QByteArray eol = content.contains("\r\n") ? QByteArray("\r\n") : QByteArray("\n");

    qsizetype sectionStart = -1; // offset just after the header line
    qsizetype insertAt = -1;     // after the section's last non-blank line
    for (qsizetype pos = 0; pos < content.size();) {
        const Line l = lineAt(content, pos);
        pos = l.next;
        const QByteArray text = content.mid(l.begin, l.end - l.begin);
        const QByteArray name = sectionName(text);
        if (!name.isNull()) {
            if (sectionStart >= 0) {
                break;
            }
            if (sameName(name, section)) {
                sectionStart = l.next;
                insertAt = l.next;
                if (l.next == l.end) { // header on the last line without a line end
                    insertAt = -2;
                }
            }
            continue;
        }
        if (sectionStart < 0) {
            continue;
        }
        QByteArray k;
        QByteArray old;
        if (keyOf(text, k, old) && sameName(k, key)) {
            // Keep the file's spelling of the key and the line's own ending.
            QByteArray out = content.left(l.begin);
            out += k + '=' + v;
            out += content.mid(l.end);
            return out;
        }
        if (!trimmedBlanks(text).isEmpty()) {
            insertAt = (l.next == l.end) ? -2 : l.next;
        }
    }

    if (sectionStart >= 0) {
        if (insertAt == -2) { // the section's last line has no line end
            return content + eol + key + '=' + v + eol;
        }
        return content.left(insertAt) + key + '=' + v + eol + content.mid(insertAt);
    }

    QByteArray out = content;
    if (!out.isEmpty() && !out.endsWith('\n')) {
        out += eol;
    }
    out += '[' + section + ']' + eol + key + '=' + v + eol;
    return out;
}

} // namespace

ProfileEntries profileSection(const QByteArray& raw, const QByteArray& section)
{
    const QByteArray content = decodeProfile(raw).text;
    ProfileEntries entries;
    bool inSection = false;
    for (qsizetype pos = 0; pos < content.size();) {
        const Line l = lineAt(content, pos);
        pos = l.next;
        const QByteArray text = content.mid(l.begin, l.end - l.begin);
        const QByteArray name = sectionName(text);
        if (!name.isNull()) {
            if (inSection) {
                break; // only the first section of that name counts
            }
            inSection = sameName(name, section);
            continue;
        }
        QByteArray k;
        QByteArray v;
        if (inSection && keyOf(text, k, v)) {
            entries.append({k, unquoted(v).left(ProfileValueMax)});
        }
    }
    return entries;
}

QByteArray profileValue(const ProfileEntries& entries, const QByteArray& key)
{
    for (const auto& [k, v] : entries) {
        if (sameName(k, key)) {
            return v;
        }
    }
    return {};
}

QByteArray lookupProfileString(const QByteArray& raw, const QByteArray& section,
                               const QByteArray& key)
{
    return profileValue(profileSection(raw, section), key);
}

QByteArray readProfileFile(const QString& path)
{
    bool ok = false;
    QByteArray content = readAllBytes(path, ok);
    return ok ? content : QByteArray();
}

QByteArray withProfileString(const QByteArray& raw, const QByteArray& section,
                             const QByteArray& key, const QByteArray& value)
{
    const DecodedProfile decoded = decodeProfile(raw);
    return encodeProfile(withProfileText(decoded.text, section, key, value), decoded.encoding);
}

bool writeProfileString(const QByteArray& section, const QByteArray& key, const QByteArray& value,
                        const QString& path)
{
    return writeProfileStrings(section, {{key, value}}, path);
}

namespace {

bool writeProfileEntries(const QByteArray& section, const ProfileEntries& entries,
                         const QString& path)
{
    const QByteArray file = finalTarget(QFile::encodeName(path));
    bool ok = false;
    const QByteArray old = readAllBytes(QFile::decodeName(file), ok);
    if (!ok) {
        return false; // never replace a file we could not read whole
    }
    QByteArray updated = old;
    for (const auto& [key, value] : entries) {
        updated = withProfileString(updated, section, key, value);
    }

    struct stat st
    {
    };
    const bool exists = ::stat(file.constData(), &st) == 0;
    switch (replaceFile(file, updated, exists ? &st : nullptr)) {
    case Replaced::Done:
        return true;
    case Replaced::Failed:
        return false;
    case Replaced::NoNewFile:
        break;
    }
    // A directory we may not write, holding a file we may.
    return exists && rewriteInPlace(file, updated);
}

} // namespace

bool writeProfileStrings(const QByteArray& section, const ProfileEntries& entries,
                         const QString& path)
{
    const bool saved = writeProfileEntries(section, entries, path);
    if (!saved) {
        qCWarning(lcSettings) << "settings not saved to" << path << ":" << strerror(errno);
    }
    return saved;
}

bool copyProfileFile(const QString& from, const QString& to)
{
    const int in = openRegularFile(from);
    if (in < 0) {
        return false;
    }
    QFile source;
    struct stat st
    {
    };
    if (::fstat(in, &st) != 0 ||
        !source.open(in, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(in);
        return false;
    }
    const QByteArray content = source.readAll();
    if (source.error() != QFileDevice::NoError) {
        return false;
    }
    // The source's read and write bits and the owner's right to write; the
    // umask then takes away what the user does not hand out.
    const mode_t mode = (st.st_mode & 0666) | 0600;
    const QByteArray target = QFile::encodeName(to);
    const int out =
        ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (out < 0) {
        return false;
    }
    const bool ok = fill(out, content);
    ::close(out);
    if (!ok) {
        ::unlink(target.constData());
    }
    return ok;
}

} // namespace platform
