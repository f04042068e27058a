#pragma once

#include <QSize>
#include <QString>

// Every picture of the clock may have a companion drawn at twice its size,
// named like it with "@2x" before the extension ("back@2x.bmp" beside
// "back.bmp"). On screens with more than one device pixel per logical pixel
// the companion is shown instead of the picture, file by file.

// The companion's name: "@2x" before the extension of the last path part
// ("strips\hours.bmp" -> "strips\hours@2x.bmp", "face" -> "face@2x").
QString doubledName(const QString& name);

// A companion belongs to its picture only at exactly twice its size.
bool isDoubleOf(QSize doubled, QSize picture);

// What a surface of `ratio` device pixels per logical pixel shows.
enum class PictureChoice
{
    Picture,       // the picture itself (the screen is not dense, or no companion)
    Doubled,       // the companion pixel for pixel
    DoubledScaled, // the companion scaled smoothly to the device size
};
PictureChoice choosePicture(double ratio, bool haveDoubled);

// The device pixels of `logical` pixels at `ratio`, rounded.
QSize deviceSize(QSize logical, double ratio);
