#pragma once

#include <QString>
#include <QStringList>

// Where skins are found. A skin is a sub-directory of a skins folder, named
// like the skin; the program's own folder comes first, then "glimmora/Skins/"
// in each of the desktop's data folders (the user's before the system's), so
// a user adds skins without writing into the program's directory.

// The skins folders of the data folders `dataDirs`, in their order, each
// ending in "/".
QStringList dataSkinsFolders(const QStringList& dataDirs);

// The directory of the skin `name` (ending in "/"): the first of `folders`
// that has a sub-directory of that name; empty where none has.
QString findSkinDir(const QStringList& folders, const QString& name);

// The skins of all `folders`: their immediate sub-directories, sorted by name
// regardless of case, without hidden ones (names beginning with "."). A name
// found in several folders is listed once. Files are not skins; a missing
// folder adds nothing.
QStringList installedSkins(const QStringList& folders);

// Why a skin cannot be used, or empty when it can: its skin file `skinFile`
// is not there, or pictures it names could not be read (`unreadPictures`,
// their files; each is told as missing or unreadable).
QString skinProblem(const QString& skinFile, const QStringList& unreadPictures);
