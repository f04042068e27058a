#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// The running program's file, from the kernel's own record (/proc/self/exe),
// so a folder of any name is found. File names are bytes; where the name is
// no valid text in the file-name encoding, its text form would name another
// folder, so the folder is reached through a descriptor held open for the
// whole run instead (/proc/self/fd/N/), which every file call follows.
struct ProgramFile
{
    QString path;     // how the program opens its own folder's files; empty if unknown
    QByteArray bytes; // the file's name as the file system has it
    // The folder as it was at the start, held through a descriptor
    // (/proc/self/fd/N/): moved while running, it is still the one read;
    // removed, nothing in it is found and nothing made again under its old
    // name. The folder of `path` where it cannot be held.
    QString folder;
};

// Looked up once per run.
const ProgramFile& runningProgramFile();

} // namespace platform
