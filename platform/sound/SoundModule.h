#pragma once

#include "platform/sound/SoundOutput.h"

#include <QString>

#include <memory>

namespace platform {

// The sound backend lives in a module of its own in the program directory,
// with the sound server's client and the decoders it links: loaded at the
// first sound, so a start that plays none maps and relocates none of them.
// In a folder of its own: a shared object directly in /usr/lib/glimmora
// would have the package call ldconfig for it.
inline constexpr char SoundModulePath[] = "modules/glimmora-sound.so";

// The module's one exported function. It makes an output for this version
// of the interface and refuses (null) any other: a module left over from
// another build is not used.
inline constexpr char SoundModuleEntryName[] = "glimmora_sound_output";
inline constexpr int SoundModuleInterface = 1;
using SoundModuleEntry = SoundOutput* (*)(int interfaceVersion);

// The module's output; null, with a warning in the sound category saying
// why, when `file` is no regular file, cannot be loaded or is not a module of
// this interface. A loaded module stays loaded: its output runs a thread of
// its own. May take as long as the file system does: see
// makeDeferredSoundOutput.
std::unique_ptr<SoundOutput> loadSoundModule(const QString& file);

// An output that loads the module at `file` at its first play, on a thread
// of its own, and passes it the plays and stops from then on (the last play
// asked for while it loads, unless stopped since). Tried once per run: an
// unusable module leaves the output silent.
std::unique_ptr<SoundOutput> makeDeferredSoundOutput(const QString& file);

} // namespace platform
