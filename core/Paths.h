#pragma once

#include <QString>

// Path text helpers; "/" is the separator throughout.

// Appends "/" unless the text already ends with one; an empty text becomes "/".
QString& ensureTrailingSlash(QString& path);

// The program file's name without extension (glimmora -> glimmora,
// Clock.EXE -> Clock).
QString exeNameOf(const QString& programFile);
