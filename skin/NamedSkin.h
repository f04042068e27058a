#pragma once

#include "skin/SkinLoader.h"

#include <optional>

struct AppState;

// The skin `name` (as the settings name it), looked up in the skins folders and loaded;
// nothing where it cannot be used (no folder of that name, no skin file, a
// picture missing or unreadable), so the clock keeps its built-in look. Why
// is one line in the skin log. The stored name stays as it is.
std::optional<LoadedSkin> LoadNamedSkin(const AppState& state, const QString& name,
                                        bool withDoubled);
