#pragma once

#include <QString>

// Where a file named in a skin lives. The name is appended to the skin
// directory (`skinDir` ends in "/"); a "\" in it counts as "/". Skins made on
// Windows name their files without regard to letter case, so where a part of
// the name does not exist exactly, an entry of the same folder that differs
// only in case is taken instead. An exact name always wins.
QString skinFilePath(const QString& skinDir, const QString& name);
