// A built-in 5×7 bitmap font for labelling preview images: ASCII letters, digits, space and
// a little punctuation. Other characters draw as an open box.
#pragma once

#include <string_view>

#include "Color.h"
#include "Image.h"

// Cell of one character at scale 1, in pixels: the 5×7 glyph and one column of spacing.
constexpr int kFontCellWidth = 6;
constexpr int kFontCellHeight = 7;

// Width in pixels of `text` drawn at `scale` (without the trailing spacing column).
int textWidth(std::string_view text, int scale);

// Draws `text` with its top-left corner at (x, y), each font pixel a scale × scale square.
// Pixels outside the image are skipped.
void drawText(Image& image, int x, int y, std::string_view text, const Color& color, int scale);
