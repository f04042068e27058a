#pragma once

#include <QImage>
#include <cstdint>

class PictureBox;

// Shows cell `digit` of `strip` in the tube `target`: clears the tube's back
// image to its background colour, then copies the strip's rectangle at column
// width × digit (16-bit arithmetic; when that overflows the copy is skipped),
// row 0, of width × height pixels unscaled to the tube's top-left corner. The
// part of a cell beyond the strip stays cleared. Only the part of the tube
// that can be seen is kept and drawn. Only `target` is repainted.
void DrawTubeDigit(PictureBox& target, const QImage& strip, std::int16_t digit, std::int16_t height,
                   std::int16_t width);

// The source column of a cell, or false when width × digit leaves the 16-bit
// range.
bool cellColumn(std::int16_t width, std::int16_t digit, std::int16_t& column);
