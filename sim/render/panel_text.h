// Panel texts in a picture: the 5 x 7 font for printable ASCII, and a hollow box for each
// character it lacks (Japanese labels), so that a label's extent stays visible.
//
// A text that is valid UTF-8 with bytes above 0x7F is read as UTF-8 (choice items on newer
// hosts); any other text as Shift-JIS, where a lead byte 0x81-0x9F or 0xE0-0xFC starts a
// double-byte character and 0xA1-0xDF is a half-width katakana. Widths follow the headless
// panels' font, 7 pixels a byte of Shift-JIS: 7 for ASCII and half-width characters, 14
// for full-width ones. The byte 0x03 followed by "(i:N)" is an inline icon, drawn as a
// small filled square.
#pragma once
#include <limits>
#include <string_view>
#include <vector>

#include "render/image.h"

namespace sim {

struct PanelGlyph {
  enum Kind { Ascii, Narrow, Wide, Icon };
  Kind kind = Ascii;
  char c = ' ';  // for Ascii
};

inline constexpr int kPanelCharAdvance = 7;  // label columns: the headless panels' width
inline constexpr int kFaceCharAdvance = 6;   // texts on faces and in fields: the font's own
inline constexpr int kPanelTextHeight = 9;  // placeholder boxes are this tall; letters 7

std::vector<PanelGlyph> splitPanelText(std::string_view text);
// Widths with `cell` pixels for an ASCII or half-width character, twice that for the rest.
int panelGlyphAdvance(const PanelGlyph& g, int cell = kPanelCharAdvance);
int panelTextWidth(std::string_view text, int cell = kPanelCharAdvance);
// Draws `text` with its top left at (x, y); returns the x after it. Characters that would
// reach past `clipRight` are left out, as a field cuts a text too long for it.
int drawPanelText(Image& image, int x, int y, std::string_view text, Rgba8 colour,
                  int clipRight = std::numeric_limits<int>::max(), int cell = kPanelCharAdvance);

}  // namespace sim
