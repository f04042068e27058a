#pragma once

// Whole files for tests.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

// Writes `bytes` to `path`, making the folders on the way; false when that
// fails.
[[nodiscard]] inline bool writeFile(const QString& path, const QByteArray& bytes = {})
{
    QFile f(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) &&
           f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// What `path` holds; "<unreadable>" when it cannot be read, which no test
// expects as a file's text.
inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}
