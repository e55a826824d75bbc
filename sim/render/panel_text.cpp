#include "render/panel_text.h"

#include <cstdint>

#include "render/bitmap_font.h"
#include "render/panel_canvas.h"

namespace sim {
namespace {

uint8_t byteAt(std::string_view s, size_t i) { return static_cast<uint8_t>(s[i]); }

// Bytes of the UTF-8 sequence a lead byte opens; 0 for a byte that cannot lead.
size_t utf8Length(uint8_t lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool isValidUtf8WithMultibyte(std::string_view s) {
  bool multibyte = false;
  for (size_t i = 0; i < s.size();) {
    const size_t n = utf8Length(byteAt(s, i));
    if (n == 0 || i + n > s.size()) return false;
    for (size_t k = 1; k < n; ++k)
      if ((byteAt(s, i + k) & 0xC0) != 0x80) return false;
    multibyte = multibyte || n > 1;
    i += n;
  }
  return multibyte;
}

uint32_t utf8CodePoint(std::string_view s, size_t i, size_t n) {
  static constexpr uint8_t kLeadMask[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  uint32_t cp = byteAt(s, i) & kLeadMask[n];
  for (size_t k = 1; k < n; ++k) cp = (cp << 6) | (byteAt(s, i + k) & 0x3Fu);
  return cp;
}

bool isHalfWidthKatakana(uint32_t cp) { return cp >= 0xFF61 && cp <= 0xFF9F; }
bool isShiftJisLead(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// "\x03(i:174)" at i: the length of the inline icon code, or 0.
size_t inlineIconLength(std::string_view s, size_t i) {
  if (byteAt(s, i) != 0x03) return 0;
  if (s.substr(i + 1, 3) != "(i:") return 1;  // a lone 0x03 is dropped
  const size_t close = s.find(')', i + 4);
  return close == std::string_view::npos ? 1 : close - i + 1;
}

void addAsciiOrControl(std::vector<PanelGlyph>& out, char c) {
  if (static_cast<uint8_t>(c) >= 0x20) out.push_back({PanelGlyph::Ascii, c});
}

std::vector<PanelGlyph> splitUtf8(std::string_view s) {
  std::vector<PanelGlyph> out;
  for (size_t i = 0; i < s.size();) {
    if (const size_t icon = inlineIconLength(s, i)) {
      if (icon > 1) out.push_back({PanelGlyph::Icon, 0});
      i += icon;
      continue;
    }
    const size_t n = utf8Length(byteAt(s, i));
    if (n == 1) addAsciiOrControl(out, s[i]);
    else out.push_back({isHalfWidthKatakana(utf8CodePoint(s, i, n)) ? PanelGlyph::Narrow : PanelGlyph::Wide, 0});
    i += n;
  }
  return out;
}

std::vector<PanelGlyph> splitShiftJis(std::string_view s) {
  std::vector<PanelGlyph> out;
  for (size_t i = 0; i < s.size();) {
    if (const size_t icon = inlineIconLength(s, i)) {
      if (icon > 1) out.push_back({PanelGlyph::Icon, 0});
      i += icon;
      continue;
    }
    const uint8_t b = byteAt(s, i);
    if (b < 0x80) {
      addAsciiOrControl(out, s[i]);
      ++i;
    } else if (isShiftJisLead(b)) {
      out.push_back({PanelGlyph::Wide, 0});
      i += i + 1 < s.size() ? 2 : 1;
    } else {
      out.push_back({PanelGlyph::Narrow, 0});
      ++i;
    }
  }
  return out;
}

// The glyph at the right of its cell: a 6-pixel cell leaves one blank column at its left.
void drawAscii(Image& image, int x, int y, int cell, char c, Rgba8 colour) {
  const int left = x + cell - kGlyphWidth - 1;
  for (int row = 0; row < kGlyphHeight; ++row)
    for (int col = 0; col < kGlyphWidth; ++col)
      if (glyphPixel(c, col, row)) putPixel(image, left + col, y + 1 + row, colour);
}

}  // namespace

std::vector<PanelGlyph> splitPanelText(std::string_view text) {
  return isValidUtf8WithMultibyte(text) ? splitUtf8(text) : splitShiftJis(text);
}

int panelGlyphAdvance(const PanelGlyph& g, int cell) {
  return g.kind == PanelGlyph::Wide || g.kind == PanelGlyph::Icon ? 2 * cell : cell;
}

int panelTextWidth(std::string_view text, int cell) {
  int width = 0;
  for (const PanelGlyph& g : splitPanelText(text)) width += panelGlyphAdvance(g, cell);
  return width;
}

int drawPanelText(Image& image, int x, int y, std::string_view text, Rgba8 colour, int clipRight, int cell) {
  for (const PanelGlyph& g : splitPanelText(text)) {
    const int advance = panelGlyphAdvance(g, cell);
    if (x + advance > clipRight) break;
    switch (g.kind) {
      case PanelGlyph::Ascii: drawAscii(image, x, y, advance, g.c, colour); break;
      case PanelGlyph::Icon: fillRect(image, x + 2, y, advance - 4, kPanelTextHeight, colour); break;
      case PanelGlyph::Narrow:
      case PanelGlyph::Wide: frameRect(image, x + 1, y, advance - 2, kPanelTextHeight, colour, colour); break;
    }
    x += advance;
  }
  return x;
}

}  // namespace sim
