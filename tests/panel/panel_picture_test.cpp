// Pictures of the edit panel: the panel's size, every control's face where the module
// placed it, ghosted controls in greys, and the module's own drawing on top.
#include <gtest/gtest.h>

#include <utility>

#include "panel/panel_layout.h"
#include "support/edit_panel_fixture.h"
#include "render/panel_control_picture.h"
#include "render/panel_palette.h"
#include "render/panel_picture.h"

namespace {

int countColour(const sim::Image& image, const sim::PanelRect& r, sim::Rgba8 colour) {
  int n = 0;
  for (int y = r.y; y < r.y + r.h; ++y)
    for (int x = r.x; x < r.x + r.w; ++x) n += image.inside(x, y) && image.at(x, y) == colour;
  return n;
}

class EditPanelPicture : public EditPanelTest {
 protected:
  // The panel as the host draws it now, the module's drawing included.
  sim::Image picture() {
    {
      sim::Host::PluginCall call(*host);
      panel()->redraw();
    }
    return sim::panelPicture(*panel());
  }
  // The controls alone, without what the module drew over them.
  sim::Image controlsOnly() {
    std::vector<sim::DrawRecord> drawn;
    std::swap(drawn, panel()->drawn);
    sim::Image image = sim::panelPicture(*panel());
    std::swap(drawn, panel()->drawn);
    return image;
  }
  sim::PanelRect face(int c) const { return sim::controlFace(*control(c)); }
};

TEST_F(EditPanelPicture, HasThePanelsSize) {
  const sim::Image image = picture();
  EXPECT_EQ(image.width, kEditPanelWidth);
  EXPECT_EQ(image.height, editPanelHeight());
  EXPECT_EQ(image.width, panel()->w);
  EXPECT_EQ(image.height, panel()->h);
}

TEST_F(EditPanelPicture, EachFaceStartsWhereItsLabelEnds) {
  const sim::Image image = controlsOnly();
  const sim::PanelTheme& theme = sim::panelTheme();
  for (int c = 0; c < kNumEditControls; ++c) {
    SCOPED_TRACE("control " + std::to_string(c) + " \"" + control(c)->label + "\"");
    const ControlPlace place = editControlPlace(c);
    const sim::PanelRect r = face(c);
    EXPECT_EQ(r.x, place.labelEndX);
    if (control(c)->type != "BoolControl") {
      EXPECT_EQ(r.y, editRowTop(place.row));
    }
    if (control(c)->type == "InfoControl") continue;  // text without a frame
    // The face's left edge is a frame line.
    const sim::Rgba8 edge = image.at(r.x, r.y + r.h / 2);
    EXPECT_TRUE(edge == theme.light || edge == theme.dark);
  }
}

TEST_F(EditPanelPicture, AGhostedControlIsDrawnInGreys) {
  const sim::PanelTheme& theme = sim::panelTheme();
  fireInt(kCtlToolFirst + 0, 1);  // "Pen": no strength
  ASSERT_TRUE(ghosted(kCtlStrength));
  const sim::Image ghost = picture();
  fireInt(kCtlToolFirst + 1, 1);  // "Brush"
  ASSERT_FALSE(ghosted(kCtlStrength));
  const sim::Image live = picture();

  // The number in the field and the label left of it.
  const sim::PanelRect r = face(kCtlStrength);
  const sim::PanelRect row{0, r.y, r.x + r.w, r.h};
  EXPECT_EQ(countColour(ghost, row, theme.text), 0);
  EXPECT_GT(countColour(ghost, row, theme.textGhost), 20);
  EXPECT_GT(countColour(live, row, theme.text), 20);
  EXPECT_EQ(countColour(live, row, theme.textGhost), 0);
}

TEST_F(EditPanelPicture, TheModulesColourBoxAndSeparatorsLieOnTop) {
  const int top = editRowTop(kRowValue) + kImageDrop;
  const sim::PanelRect box{kColourBoxX, top, 24, 15};
  const sim::Rgba8 white{255, 255, 255, 255}, grey{204, 204, 204, 255};
  const sim::Image painting = picture();
  EXPECT_EQ(countColour(painting, box, white), 0);
  fireInt(kCtlErase, 1);
  const sim::Image erasing = picture();
  // The checkerboard of erasing, in the box's place.
  EXPECT_GT(countColour(erasing, box, white), 40);
  EXPECT_GT(countColour(erasing, box, grey), 40);
  // The separator below "Edit" runs across the whole panel.
  const int separatorY = editRowTop(kRowName) - kEditSeparatorGap / 2;
  const sim::Rgba8 line = sim::panelColour(LWP_NORMAL, false);
  EXPECT_EQ(countColour(erasing, {0, separatorY, kEditPanelWidth, 1}, line), kEditPanelWidth);
}

}  // namespace
