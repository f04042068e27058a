#pragma once

#include <QString>

// Path text helpers; "/" is the separator throughout.

// Appends "/" unless the text already ends with one; an empty text becomes "/".
QString& AddBackslash(QString& path);

// The resolved path where the file exists; otherwise a title-cased copy
// (a letter after " ", "-", "(", "_" or "/" upper case, others lower case, the
// first character upper case).
QString GetLongPath(const QString& path);

// The title-casing alone.
QString titleCased(const QString& path);

// The last component of a path, ignoring one trailing "/".
QString LastPathPart(const QString& path);

// The settings file for a program file: its directory, its name without the
// extension, and ".ini" (glimmora -> glimmora.ini, Clock.EXE -> Clock.ini).
QString settingsFileFor(const QString& programDir, const QString& exeName);

// The program file's name without extension.
QString exeNameOf(const QString& programFile);
