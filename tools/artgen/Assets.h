#pragma once

#include "Design.h"

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QString>

#include <array>

namespace artgen {

// Supersampling factor of every face and strip.
inline constexpr int kScale = 4;

// Writes everything below the assets directory; previews go to preview
// unless it is empty.
bool writeAll(const QDir& assets, const QString& preview);

// A face's picture, its strips and (for skins) SkinFile.ini into dir.
bool writeFaceFiles(const FaceDesign& d, const QDir& dir, bool withIni, const QString& preview);
QByteArray skinIni(const FaceDesign& d);

// Colon lamp pictures on the magenta ground: 16 x 67 ([0]) and 32 x 134 ([1]).
std::array<QImage, 2> renderLamps(bool lit);
// 32 x 32 pointing hand, transparent around it; hot spot (15, 14).
QImage renderHandCursor();
// The same hand drawn at 64 x 64; hot spot (30, 28).
QImage renderHandCursor2x();
// The program's icon, size x size, transparent around the tube.
QImage renderIcon(int size);
// 616 x 400 times factor, with 256 colours.
QImage renderAbout(int factor);
// Reduces a true-colour picture to an 8-bit palette of at most 256 colours.
QImage quantize256(const QImage& image);
// 16-bit PCM mono 44100 Hz, a complete RIFF file.
QByteArray alarmWav();

} // namespace artgen
