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
};

// Looked up once per run.
const ProgramFile& runningProgramFile();

} // namespace platform
