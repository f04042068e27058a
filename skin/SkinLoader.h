#pragma once

#include "skin/SkinReader.h"

#include <QImage>
#include <QString>
#include <array>

struct AppState;

// What a skin directory gives the clock window: its description, and the face
// and strips that could be read (null where a picture is missing or cannot be
// read, so the window keeps the one it shows).
struct LoadedSkin
{
    // The description file it was read from ("SkinFile.ini" in any case).
    QString filePath;
    SkinDescription layout;
    QImage face;
    std::array<QImage, 6> strips;
    // Their companions at twice the size, null where there are none.
    QImage faceAt2x;
    std::array<QImage, 6> stripsAt2x;
};

// Reads the skin in `path` (a skin directory ending in "/"), its description
// file once, and the companions only `withDoubled`.
LoadedSkin LoadSkin(const AppState& state, const QString& path, bool withDoubled);
