#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// Our stand-in for the private-profile (INI) reader and writer. Files are
// handled as bytes: lines, keys, comments and line endings the program does not
// touch stay exactly as they were.
namespace platform {

// Longest value a read returns; longer values arrive cut to this length.
inline constexpr qsizetype ProfileValueMax = 2047;

// The value of `key` in the first `section` of the file (names without regard
// to case, blanks around them trimmed; value trimmed and one pair of enclosing
// quotes removed), cut to ProfileValueMax bytes. Empty when the file, section or
// key is missing or unreadable.
QByteArray readProfileString(const QByteArray& section, const QByteArray& key, const QString& path);

// Replaces the value of `key` in the first `section`, or adds the key at the
// end of its section, or the section at the end of the file, creating the file.
// The file is replaced atomically (new file in the same directory, renamed over
// the old one, permissions kept); where no new file can be made there but the
// file is writable it is rewritten in place, growing it before touching the old
// bytes. A write that fails, for lack of space say, leaves the old file as it
// was. Returns false when the write failed.
bool writeProfileString(const QByteArray& section, const QByteArray& key, const QByteArray& value,
                        const QString& path);

// Keys and values to set in one write, in this order.
using ProfileEntries = QList<QPair<QByteArray, QByteArray>>;

// Sets several keys of `section` in one replace of the file, with every rule
// of writeProfileString: whatever ends the program meanwhile leaves the file
// either as it was or with all of them.
bool writeProfileStrings(const QByteArray& section, const ProfileEntries& entries,
                         const QString& path);

// The pure text transformation behind writeProfileString, for tests and
// fuzzing: `content` with the key set.
QByteArray withProfileString(const QByteArray& content, const QByteArray& section,
                             const QByteArray& key, const QByteArray& value);

// The pure lookup behind readProfileString.
QByteArray lookupProfileString(const QByteArray& content, const QByteArray& section,
                               const QByteArray& key);

} // namespace platform
