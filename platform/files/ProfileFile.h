#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// Our stand-in for the private-profile (INI) reader and writer. Files are
// handled as bytes: lines, keys, comments and line endings the program does not
// touch stay exactly as they were. A file that starts with a UTF-8 byte-order
// mark is read as if it were not there and keeps it when written; one with a
// UTF-16 mark (either byte order) is read and written in UTF-16, its values
// handed over as UTF-8. Only regular files are read (a FIFO or a device counts
// as unreadable), and a write goes through every level of a symlink chain to
// the file at its end.
namespace platform {

// Longest value a read returns; longer values arrive cut to this length.
inline constexpr qsizetype ProfileValueMax = 2047;

// The whole file as lookupProfileString takes it; empty when it is missing or
// cannot be read whole.
QByteArray readProfileFile(const QString& path);

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

// Copies the regular file `from` to the new file `to` for a user of their
// own: the copy keeps the source's read and write bits and the owner's right
// to write, within the user's umask (so never world-writable with the usual
// umask, whatever the source). False, and no file, when `from` is no regular
// file or `to` exists.
bool copyProfileFile(const QString& from, const QString& to);

// The pure text transformation behind writeProfileString, for tests and
// fuzzing: `content` with the key set.
QByteArray withProfileString(const QByteArray& content, const QByteArray& section,
                             const QByteArray& key, const QByteArray& value);

// The keys of the first `section` of a file's content, in file order (names
// without regard to case, blanks around them trimmed; each value trimmed, one
// pair of enclosing quotes removed, cut to ProfileValueMax bytes); and the
// first value of `key` in them (empty when missing).
ProfileEntries profileSection(const QByteArray& content, const QByteArray& section);
QByteArray profileValue(const ProfileEntries& entries, const QByteArray& key);

// The value of `key` in the first `section` of a file's content.
QByteArray lookupProfileString(const QByteArray& content, const QByteArray& section,
                               const QByteArray& key);

} // namespace platform
