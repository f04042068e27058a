#pragma once

#include <QByteArray>
#include <QString>

struct stat;

// Reading and replacing a whole file safely, for the settings files.
namespace platform {

// A regular file, whole. A name that does not exist reads as an empty file;
// one that is no regular file (FIFO, device, directory) or cannot be read
// fails, without waiting for a FIFO's writer.
QByteArray readAllBytes(const QString& path, bool& ok);

// The file a path finally names, through symbolic links.
QByteArray finalTarget(QByteArray path);

// The whole content from the start of an open file, on the disk when it
// returns true.
bool fill(int fd, const QByteArray& content);

enum class Replaced
{
    Done,
    Failed,
    NoNewFile // the directory does not let us make a file
};

// The new content in a file of its own beside the old one, renamed over it:
// whoever reads finds either the old file or the new one, never a part.
Replaced replaceFile(const QByteArray& file, const QByteArray& content, const struct stat* old);

// Where no new file can be made, the file itself is rewritten, the bytes
// beyond its old end first.
bool rewriteInPlace(const QByteArray& file, const QByteArray& content);

} // namespace platform
