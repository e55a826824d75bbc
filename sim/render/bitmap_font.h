// A tiny 5 x 7 pixel font for printable ASCII, enough to label things in a viewport picture.
#pragma once

namespace sim {

constexpr int kGlyphWidth = 5, kGlyphHeight = 7;
constexpr int kGlyphAdvance = 6;  // one blank column between characters

// Whether pixel (column, row) of character `c` is set; row 0 is the top. Characters outside
// ' '..'~' draw as a hollow box.
bool glyphPixel(char c, int column, int row);

}  // namespace sim
