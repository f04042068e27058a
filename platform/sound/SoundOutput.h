#pragma once

#include <QString>

namespace platform {

// Plays WAV files through the desktop's sound server: asynchronous, never
// looping; a new play cuts the running one short.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;

    // Starts the file from its beginning and returns at once; a sound that is
    // still playing is cut short. A missing or unplayable file is no error.
    virtual void play(const QString& path) = 0;

    // Silences whatever plays. Harmless when nothing does.
    virtual void stop() = 0;
};

} // namespace platform
