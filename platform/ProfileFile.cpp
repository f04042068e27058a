#include "platform/ProfileFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {
namespace {

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

QByteArray readAllBytes(const QString& path, bool& ok)
{
    ok = false;
    QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        return {};
    }
    QFile f(path);
    if (!f.exists()) {
        ok = true;
        return {};
    }
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArray all = f.readAll();
    ok = f.error() == QFileDevice::NoError;
    return all;
}

} // namespace

QByteArray lookupProfileString(const QByteArray& content, const QByteArray& section,
                               const QByteArray& key)
{
    bool inSection = false;
    bool seenSection = false;
    for (qsizetype pos = 0; pos < content.size();) {
        const Line l = lineAt(content, pos);
        pos = l.next;
        const QByteArray text = content.mid(l.begin, l.end - l.begin);
        const QByteArray name = sectionName(text);
        if (!name.isNull()) {
            if (inSection) {
                return {}; // only the first section of that name counts
            }
            inSection = !seenSection && sameName(name, section);
            seenSection = seenSection || inSection;
            continue;
        }
        QByteArray k;
        QByteArray v;
        if (inSection && keyOf(text, k, v) && sameName(k, key)) {
            return unquoted(v).left(ProfileValueMax);
        }
    }
    return {};
}

QByteArray readProfileString(const QByteArray& section, const QByteArray& key, const QString& path)
{
    bool ok = false;
    const QByteArray content = readAllBytes(path, ok);
    return ok ? lookupProfileString(content, section, key) : QByteArray();
}

QByteArray withProfileString(const QByteArray& content, const QByteArray& section,
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

bool writeProfileString(const QByteArray& section, const QByteArray& key, const QByteArray& value,
                        const QString& path)
{
    // Write through a symlink to its target, so the link stays a link.
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink()) {
        target = info.symLinkTarget();
    }

    bool ok = false;
    const QByteArray old = readAllBytes(target, ok);
    if (!ok) {
        return false; // never replace a file we could not read whole
    }
    const QByteArray updated = withProfileString(old, section, key, value);

    QSaveFile out(target);
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (out.write(updated) != updated.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace platform
