// Panel texts in pictures: Japanese labels come as Shift-JIS bytes, choice items as UTF-8;
// either way every character takes its place (ASCII in the font, others as boxes) and a
// label is as wide as the headless panels' label column says.
#include <gtest/gtest.h>

#include "host/panel_state.h"
#include "render/panel_text.h"

namespace {

using sim::PanelGlyph;

std::vector<PanelGlyph::Kind> kinds(std::string_view text) {
  std::vector<PanelGlyph::Kind> out;
  for (const PanelGlyph& g : sim::splitPanelText(text)) out.push_back(g.kind);
  return out;
}

const std::string kBrushRadiusSjis = "\x83\x75\x83\x89\x83\x56\x94\xbc\x8c\x61";        // 5 full-width
const std::string kBrushRadiusUtf8 = "\xe3\x83\x96\xe3\x83\xa9\xe3\x82\xb7\xe5\x8d\x8a\xe5\xbe\x84";
const std::string kHalfWidthSjis = "\xb8\xde\xd7";                                      // 3 half-width
const std::string kHalfWidthUtf8 = "\xef\xbd\xb8\xef\xbe\x9e\xef\xbe\x97";

TEST(PanelText, JapaneseCharactersCountOnceInEitherEncoding) {
  const std::vector<PanelGlyph::Kind> wide5(5, PanelGlyph::Wide), narrow3(3, PanelGlyph::Narrow);
  EXPECT_EQ(kinds(kBrushRadiusSjis), wide5);
  EXPECT_EQ(kinds(kBrushRadiusUtf8), wide5);
  EXPECT_EQ(kinds(kHalfWidthSjis), narrow3);
  EXPECT_EQ(kinds(kHalfWidthUtf8), narrow3);
  // Mixed with ASCII, as in the mirror direction items.
  const auto mixed = kinds("[+] \xe3\x81\x8b\xe3\x82\x89 [-]");
  ASSERT_EQ(mixed.size(), 10u);
  EXPECT_EQ(mixed[4], PanelGlyph::Wide);
  EXPECT_EQ(mixed[5], PanelGlyph::Wide);
  EXPECT_EQ(mixed[0], PanelGlyph::Ascii);
}

TEST(PanelText, AShiftJisLabelIsAsWideAsItsLabelColumn) {
  for (const std::string& label : {kBrushRadiusSjis, kHalfWidthSjis, std::string("Brush Radius"),
                                   std::string("\x83\x75\x83\x89 OK")}) {
    sim::ControlState c;
    c.type = "MiniSliderControl";
    c.label = label;
    EXPECT_EQ(sim::panelTextWidth(label), c.labelWidth()) << label;
  }
}

TEST(PanelText, BrokenBytesNeverReadPastTheEnd) {
  // A Shift-JIS lead byte as the last byte, and a cut UTF-8 sequence (read as Shift-JIS).
  EXPECT_EQ(kinds("A\x83"), (std::vector<PanelGlyph::Kind>{PanelGlyph::Ascii, PanelGlyph::Wide}));
  EXPECT_EQ(kinds("\xe3\x83").size(), 1u);
  EXPECT_TRUE(kinds("").empty());
  // Control bytes draw nothing.
  EXPECT_EQ(kinds("a\tb\x01"), (std::vector<PanelGlyph::Kind>{PanelGlyph::Ascii, PanelGlyph::Ascii}));
}

TEST(PanelText, InlineIconCodesBecomeOneIcon) {
  const auto k = kinds("\x03(i:175) Weight");
  ASSERT_EQ(k.size(), 8u);
  EXPECT_EQ(k[0], PanelGlyph::Icon);
  EXPECT_EQ(k[1], PanelGlyph::Ascii);
  // Without its closing bracket only the marker byte is dropped; a bare marker likewise.
  EXPECT_EQ(kinds("\x03(i:17").size(), 0u + 5u);
  EXPECT_EQ(kinds("\x03x"), (std::vector<PanelGlyph::Kind>{PanelGlyph::Ascii}));
}

TEST(PanelText, EachCharacterLeavesAVisibleMark) {
  for (const std::string& text : {kBrushRadiusSjis, kHalfWidthUtf8, std::string("Erase")}) {
    sim::Image image(200, 20, {0, 0, 0, 255});
    const int end = sim::drawPanelText(image, 0, 5, text, {255, 255, 255, 255});
    EXPECT_EQ(end, sim::panelTextWidth(text));
    // Every character's cell holds some lit pixel.
    int x = 0;
    for (const PanelGlyph& g : sim::splitPanelText(text)) {
      bool lit = false;
      for (int i = x; i < x + sim::panelGlyphAdvance(g); ++i)
        for (int j = 0; j < 20; ++j) lit = lit || image.at(i, j)[0] == 255;
      EXPECT_TRUE(lit) << text << " at x " << x;
      x += sim::panelGlyphAdvance(g);
    }
  }
}

}  // namespace
