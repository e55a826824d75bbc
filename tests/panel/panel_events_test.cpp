// The edit panel's events: what each stores, clamps and tells the host.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "panel/edit_panel.h"
#include "panel/panel_events.h"
#include "panel/panel_images.h"
#include "panel/panel_layout.h"
#include "support/edit_panel_fixture.h"

namespace {

class PanelEvents : public EditPanelTest {
 protected:
  int count(size_t from, const std::string& text) const { return countCommand(from, text); }
  std::vector<LWItemID> pickedBones() const {
    std::vector<LWItemID> ids;
    for (const auto& b : stInstData.pickedBones) ids.push_back(b.bone);
    std::sort(ids.begin(), ids.end());
    return ids;
  }
  static LWItemID id(uint64_t v) { return reinterpret_cast<LWItemID>(uintptr_t(v)); }
};

}  // namespace

TEST_F(PanelEvents, BrushRadiusIsHeldBetweenFourAndTheMaximum) {
  stInstData.brushSizeMax = 320;
  const int typed[] = {2, 4, 5, 320, 321, 1000000, -7};
  const int stored[] = {4, 4, 5, 320, 320, 320, 4};
  for (size_t i = 0; i < std::size(typed); ++i) {
    fireInt(kCtlBrushRadius, typed[i]);
    EXPECT_EQ(stInstData.brushSize, stored[i]) << typed[i];
    EXPECT_EQ(control(kCtlBrushRadius)->intValue, stored[i]) << typed[i];
  }
  stInstData.brushSizeMax = 2;  // a tiny viewport: the floor wins
  fireInt(kCtlBrushRadius, 50);
  EXPECT_EQ(stInstData.brushSize, 4);
}

TEST_F(PanelEvents, StrengthGoesToTheToolsSlot) {
  struct Case {
    int tool, typed, slot, kept;
  };
  const Case cases[] = {{1, 120, 0, 100}, {1, 45, 0, 45}, {2, 150, 1, 100}, {2, -5, 1, 0},
                        {5, 150, 2, 150}, {5, 151, 2, 150}, {0, 70, 2, 70}};
  for (const Case& c : cases) {
    SCOPED_TRACE("tool " + std::to_string(c.tool) + " typed " + std::to_string(c.typed));
    float before[3];
    std::memcpy(before, stInstData.strength, sizeof before);
    stInstData.toolIndex = c.tool;
    fireInt(kCtlStrength, c.typed);
    EXPECT_FLOAT_EQ(stInstData.strength[c.slot], c.kept * 0.01f);
    EXPECT_EQ(control(kCtlStrength)->intValue, c.kept);
    for (int s = 0; s < 3; ++s)
      if (s != c.slot) { EXPECT_EQ(stInstData.strength[s], before[s]) << s; }
  }
}

TEST_F(PanelEvents, ValueIsAPercentageWithinAHundredThousand) {
  const double typed[] = {50.0, -20.0, 100000.0, 100001.0, -3e9, std::nan("")};
  const double kept[] = {50.0, -20.0, 100000.0, 100000.0, -100000.0, 0.0};
  for (size_t i = 0; i < std::size(typed); ++i) {
    fireFloat(kCtlValue, typed[i]);
    EXPECT_DOUBLE_EQ(control(kCtlValue)->floatValue, kept[i]) << i;
    EXPECT_FLOAT_EQ(stInstData.value, float(kept[i] * 0.01)) << i;
  }
}

TEST_F(PanelEvents, ValueButtonsSetQuarterSteps) {
  for (int b = 0; b < 5; ++b) {
    stInstData.value = 0.9f;
    panel()->drawn.clear();
    press(kCtlValueButtonFirst + b);
    EXPECT_FLOAT_EQ(stInstData.value, 0.25f * float(b)) << b;
    EXPECT_DOUBLE_EQ(control(kCtlValue)->floatValue, 25.0 * b) << b;
    EXPECT_GE(panel()->drawn.size(), size_t(24 * 15)) << "the colour box is drawn again";
  }
}

TEST_F(PanelEvents, DisplayModeSwitchesTheObjectsOwnVisibility) {
  host->scene.find(demo.limb)->visibility = 1;
  stInstData.visibility = 0;
  size_t from = logSize();
  fireInt(kCtlVisibility, 2);
  EXPECT_EQ(stInstData.visibility, 2);
  EXPECT_EQ(stInstData.mesh.savedVisibility, 5);  // a host value of 1 is kept as 5
  EXPECT_EQ(count(from, "ItemVisibility 1"), 1);
  EXPECT_EQ(count(from, "RedrawNow"), 1);

  from = logSize();
  fireInt(kCtlVisibility, 1);  // between the two shaded modes: nothing for the host
  EXPECT_EQ(count(from, "ItemVisibility 1") + count(from, "ItemVisibility 5"), 0);

  from = logSize();
  fireInt(kCtlVisibility, 0);
  EXPECT_EQ(count(from, "ItemVisibility 5"), 1);
  EXPECT_EQ(stInstData.visibility, 0);
}

TEST_F(PanelEvents, NameSelectsTheBonesThatUseTheMap) {
  stInstData.boneFollowsMap = 1;
  size_t from = logSize();
  fireText(kCtlName, "Lower");
  EXPECT_STREQ(stInstData.weightMapName, "Lower");
  EXPECT_EQ(stInstData.weightMapIndex, 2);
  EXPECT_EQ(control(kCtlMapPop)->intValue, 2);
  EXPECT_EQ(pickedBones(), std::vector<LWItemID>{id(demo.bones[1])});
  EXPECT_EQ(count(from, "RedrawNow"), 1);

  fireText(kCtlName, "Nobody");  // no such map yet: painting will make it
  EXPECT_EQ(stInstData.weightMapIndex, 0);
  EXPECT_TRUE(stInstData.pickedBones.empty());

  stInstData.boneFollowsMap = 0;
  fireText(kCtlName, "Hand");
  EXPECT_TRUE(stInstData.pickedBones.empty());
}

TEST_F(PanelEvents, TheNewItemMakesAFreshName) {
  fireInt(kCtlMapPop, 0);
  EXPECT_STREQ(stInstData.weightMapName, "Weight");
  host->scene.find(demo.limb)->mesh->addVMap(sim::kVMapWGHT, "Weight", 1);
  host->scene.find(demo.limb)->mesh->addVMap(sim::kVMapWGHT, "Weight 1", 1);
  fireInt(kCtlMapPop, 0);
  EXPECT_STREQ(stInstData.weightMapName, "Weight 2");
  EXPECT_EQ(control(kCtlName)->stringValue, "Weight 2");
  EXPECT_EQ(stInstData.weightMapIndex, 0);

  fireInt(kCtlMapPop, 3);
  EXPECT_STREQ(stInstData.weightMapName, "Hand");
  EXPECT_EQ(stInstData.weightMapIndex, 3);
  fireInt(kCtlMapPop, 40);  // past the maps: a fresh name, never an empty one
  EXPECT_STREQ(stInstData.weightMapName, "Weight 2");
  EXPECT_EQ(stInstData.weightMapIndex, 0);
}

TEST_F(PanelEvents, CheckBoxesStoreAndRedraw) {
  struct Case {
    int control;
    int32_t* field;
    bool redraws;
  };
  const Case cases[] = {{kCtlZeroOutline, &stInstData.zeroOutline, false},
                        {kCtlAutoSave, &stInstData.autoSave, false},
                        {kCtlMultiply, &stInstData.multiplySizeByValue, true},
                        {kCtlNoDepth, &stInstData.noDepth, true},
                        {kCtlShowWeights, &stInstData.showWeights, true}};
  for (const Case& c : cases)
    for (int state : {1, 0}) {
      SCOPED_TRACE(control(c.control)->label + " " + std::to_string(state));
      const size_t from = logSize();
      fireInt(c.control, state);
      EXPECT_EQ(*c.field, state);
      EXPECT_EQ(count(from, "RedrawNow"), c.redraws ? 1 : 0);
    }
}

TEST_F(PanelEvents, PointSizeIsHeldWithinTwoHundred) {
  fireInt(kCtlPointSize, 250);
  EXPECT_EQ(stInstData.pointSize, 200);
  EXPECT_EQ(control(kCtlPointSize)->intValue, 200);
  fireInt(kCtlPointSize, -1);
  EXPECT_EQ(stInstData.pointSize, 0);
}

TEST_F(PanelEvents, FalloffModeAndDeformations) {
  fireInt(kCtlFalloff, 0);
  EXPECT_EQ(stInstData.falloffMode, 0);
  fireInt(kCtlFalloff, 1);
  EXPECT_EQ(stInstData.falloffMode, 1);
  fireInt(kCtlEnableDeform, 0);
  EXPECT_FALSE(host->scene.deformationsEnabled);
  fireInt(kCtlEnableDeform, 1);
  EXPECT_TRUE(host->scene.deformationsEnabled);
  EXPECT_EQ(stInstData.deformationsEnabled, 1);
}

TEST(SubPatchLimit, LevelsThatWouldPassAMillionPolygonsAreLowered) {
  EXPECT_EQ(limitSubPatchLevel(2, 0, 0, 300000), 0);  // 300,000 x 4 is too many at level 1 too
  EXPECT_EQ(limitSubPatchLevel(3, 0, 0, 1000), 3);     // 64,000
  EXPECT_EQ(limitSubPatchLevel(9, 0, 0, 1000), 4);     // 256,000; level 5 makes 1,024,000
  EXPECT_EQ(limitSubPatchLevel(1024, 0, 0, 1), 9);     // 4^9 = 262,144; 4^10 passes
  EXPECT_EQ(limitSubPatchLevel(1024, 0, 1, 0), 999);   // 999^2 < 1,000,000 = 1000^2
  EXPECT_EQ(limitSubPatchLevel(5, 999999, 0, 0), 5);   // faces do not grow with the level
  EXPECT_EQ(limitSubPatchLevel(5, 1000000, 0, 0), 0);
  EXPECT_EQ(limitSubPatchLevel(2000, 0, 0, 0), 1024);
  EXPECT_EQ(limitSubPatchLevel(-3, 0, 0, 0), 0);
}

TEST_F(PanelEvents, SubDLevelFollowsTheObjectAndItsInstances) {
  // A second copy of the limb, loaded from the same file.
  sim::SimItem& copy = host->scene.addObject("Limb (2)", host->scene.find(demo.limb)->mesh);
  copy.filename = host->scene.find(demo.limb)->filename;
  host->scene.select(demo.limb);
  size_t from = logSize();
  fireInt(kCtlSubD, 2);
  EXPECT_EQ(stInstData.subPatchLevel, 2);
  EXPECT_EQ(count(from, "SubPatchLevel 1 " + std::to_string(copy.patchRender)), 1);
  EXPECT_EQ(host->scene.find(demo.limb)->patchDisplay, 2);
  EXPECT_EQ(host->scene.firstSelected(), demo.limb);  // selected again after the copy
  EXPECT_FALSE(warningIconActive());                  // the limb has no sub-patches
}

TEST_F(PanelEvents, KeysBelowSpaceAreHandled) {
  EXPECT_EQ(panelKeyBlocking_EditPanel(nullptr, nullptr, 13), 1);
  EXPECT_EQ(panelKeyBlocking_EditPanel(nullptr, nullptr, 31), 1);
  EXPECT_EQ(panelKeyBlocking_EditPanel(nullptr, nullptr, 32), 0);
  EXPECT_EQ(panelKeyBlocking_EditPanel(nullptr, nullptr, 'a'), 0);
}

TEST_F(PanelEvents, APressOnEmptySpaceClearsThePointSelection) {
  for (auto& p : stInstData.mesh.points) p.selected = 1;
  stInstData.mesh.selectedCount = int32_t(stInstData.mesh.points.size());
  stInstData.pickedBones.push_back({id(demo.bones[0]), 1.0});
  const size_t from = logSize();
  {
    sim::Host::PluginCall call(*host);
    mouseButton_EditPanel(panel(), &stInstData, MOUSE_LEFT | MOUSE_DOWN, 200, 2);
  }
  EXPECT_EQ(stInstData.mesh.selectedCount, 0);
  EXPECT_TRUE(std::none_of(stInstData.mesh.points.begin(), stInstData.mesh.points.end(),
                           [](const PntUserData& p) { return p.selected != 0; }));
  EXPECT_TRUE(stInstData.pickedBones.empty());
  EXPECT_EQ(count(from, "RedrawNow"), 1);
}

TEST_F(PanelEvents, TheIconsAnswerPressesInsideThem) {
  auto pressAt = [&](int x, int y) {
    sim::Host::PluginCall call(*host);
    mouseButton_EditPanel(panel(), &stInstData, MOUSE_LEFT | MOUSE_DOWN, x, y);
  };
  const int boneTop = editRowTop(kRowVisibility) + kImageDrop;
  stInstData.boneFollowsMap = 1;
  std::snprintf(stInstData.weightMapName, sizeof stInstData.weightMapName, "Hand");
  pressAt(kBoneIconX, boneTop);
  EXPECT_EQ(stInstData.boneFollowsMap, 0);
  EXPECT_TRUE(stInstData.pickedBones.empty());
  pressAt(kBoneIconX + kBoneIconW - 1, boneTop + kBoneIconH - 1);
  EXPECT_EQ(stInstData.boneFollowsMap, 1);
  EXPECT_EQ(pickedBones(), std::vector<LWItemID>{id(demo.bones[2])});
  pressAt(kBoneIconX + kBoneIconW, boneTop);  // just outside: the bone list empties instead
  EXPECT_EQ(stInstData.boneFollowsMap, 1);
  EXPECT_TRUE(stInstData.pickedBones.empty());

  // The warning icon answers only while active, and then sets "SubD Level" back to 0.
  const int warningTop = editRowTop(kRowSubD) + kImageDrop;
  stInstData.subPatchLevel = 3;
  control(kCtlSubD)->intValue = 3;
  setWarningIconActive(true);
  pressAt(kWarningIconX + 5, warningTop + 5);
  EXPECT_FALSE(warningIconActive());
  EXPECT_EQ(stInstData.subPatchLevel, 0);
  EXPECT_EQ(control(kCtlSubD)->intValue, 0);
  stInstData.pickedBones.push_back({id(demo.bones[0]), 1.0});
  pressAt(kWarningIconX + 5, warningTop + 5);  // inactive: an ordinary press on empty space
  EXPECT_FALSE(warningIconActive());
  EXPECT_TRUE(stInstData.pickedBones.empty());
}

TEST_F(PanelEvents, UndoAndRedoButtonsReplayTheHistory) {
  // One stroke of the pen, then Undo brings the map back and Redo repeats the stroke.
  fireText(kCtlName, "Stroked");
  fireInt(kCtlToolFirst, 1);
  host->scene.select(demo.limb);
  const uint64_t limb = demo.limb;
  auto mapSize = [&] {
    const sim::SimVMap* m = host->scene.find(limb)->mesh->findVMap(sim::kVMapWGHT, "Stroked");
    return m ? m->values.size() : size_t(0);
  };
  host->viewports.assign(1, {});
  sim::SimViewport& port = host->viewports[0];
  port.center = {0, 1.5, 0};
  port.width = 640;
  port.height = 480;
  port.type = 3;
  port.zoom = 2.0;
  double x = 0, y = 0;
  ASSERT_TRUE(port.project({0.0, 1.5, 0.25}, &x, &y, nullptr));
  host->redrawViewports();
  ASSERT_GE(host->toolMouse(sim::Host::MouseAction::Down, x, y, 0, 0, 0), 0);
  ASSERT_GE(host->toolMouse(sim::Host::MouseAction::Up, x, y, 0, 0, 0), 0);
  host->redrawViewports();
  const size_t painted = mapSize();
  ASSERT_GT(painted, 0u);
  refresh();
  EXPECT_FALSE(ghosted(kCtlUndo));
  press(kCtlUndo);
  host->redrawViewports();
  EXPECT_LT(mapSize(), painted);
  EXPECT_FALSE(ghosted(kCtlRedo));
  press(kCtlRedo);
  host->redrawViewports();
  EXPECT_EQ(mapSize(), painted);
}
