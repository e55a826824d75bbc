// The selection commands on the snapshot: what each selects, that nothing is written or
// recorded, and the expansion through faces.
#include <gtest/gtest.h>

#include "commands/command_fixture.h"
#include "commands/edit_command_ids.h"
#include "shell/inst_data.h"

namespace {

// Grid point index of (x, z) on an n x n grid.
int at(int n, int x, int z) { return z * (n + 1) + x; }

TEST_F(CommandTest, SelectWeightedAndUnweightedFollowTheCurrentMap) {
  std::snprintf(stInstData.weightMapName, kMapNameSize, "Hand");
  makeCurrent(demo.limb);
  runMenu(kCmdSelectWeighted);
  const MeshData& m = stInstData.mesh;
  int weighted = 0;
  for (int i = 0; i < m.numPoints; ++i) {
    EXPECT_EQ(m.points[size_t(i)].selected, m.points[size_t(i)].hasValue);
    weighted += m.points[size_t(i)].hasValue;
  }
  ASSERT_GT(weighted, 0);
  EXPECT_EQ(m.selectedCount, weighted);
  runMenu(kCmdSelectUnweighted);
  EXPECT_EQ(stInstData.mesh.selectedCount, m.numPoints - weighted);
  // A map without values deselects every point.
  std::snprintf(stInstData.weightMapName, kMapNameSize, "Empty");
  makeCurrent(demo.limb);
  selectPoints({1, 2, 3});
  runMenu(kCmdSelectWeighted);
  EXPECT_TRUE(selectedPoints().empty());
  EXPECT_EQ(stInstData.mesh.selectedCount, 0);
  EXPECT_EQ(undoSteps(), 0);
}

TEST_F(CommandTest, SelectOpenOnClosedAndOpenMeshes) {
  // A closed box: nothing selected selects nothing ...
  auto box = std::make_shared<sim::SimMesh>();
  for (int i = 0; i < 8; ++i) {
    const float p[3] = {float(i & 1), float((i >> 1) & 1), float((i >> 2) & 1)};
    box->addPoint(p);
  }
  for (const auto& f : std::vector<std::vector<uint32_t>>{
           {0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1}, {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3}})
    box->addPolygon(sim::kTypeFACE, f);
  makeCurrent(host->scene.addObject("Box", box).id);
  ASSERT_EQ(stInstData.mesh.numPoints, 8);
  runMenu(kCmdSelectOpen);
  EXPECT_TRUE(selectedPoints().empty());
  // ... and a selection on it is dropped.
  selectPoints({0, 5, 7});
  runMenu(kCmdSelectOpen);
  EXPECT_TRUE(selectedPoints().empty());
  EXPECT_EQ(stInstData.mesh.selectedCount, 0);

  const int n = 3;
  addGrid(n);
  runMenu(kCmdSelectOpen);
  EXPECT_EQ(selectedPoints().size(), size_t(4 * n));  // the rim
  selectPoints({at(n, 1, 1), at(n, 0, 2), at(n, 2, 2)});
  runMenu(kCmdSelectOpen);
  EXPECT_EQ(selectedPoints(), (std::vector<int>{at(n, 0, 2)}));
}

TEST_F(CommandTest, ExpandSelectionGrowsByRingsThroughFaces) {
  const int n = 10;
  addGrid(n);
  selectPoints({at(n, 5, 5)});
  answerDialog([](sim::PanelState& p) {
    EXPECT_EQ(p.title, "Expand Selection");
    setDialogInt(p, "Number of Times", 3);
  });
  runMenu(kCmdExpandSelection);
  EXPECT_EQ(stInstData.expandSelectionOption, 3);
  // Diagonal corners of the quads count: three rings make a 7 x 7 block.
  std::vector<int> block;
  for (int z = 2; z <= 8; ++z)
    for (int x = 2; x <= 8; ++x) block.push_back(at(n, x, z));
  EXPECT_EQ(selectedPoints(), block);
  EXPECT_EQ(stInstData.mesh.selectedCount, 49);

  // From "c1" the stored number is used without a dialog.
  selectPoints({at(n, 0, 0)});
  const size_t dialogs = host->dialogScripts.size();
  pressButton(1);
  EXPECT_EQ(host->dialogScripts.size(), dialogs);
  EXPECT_EQ(selectedPoints().size(), 16u);  // 4 x 4 in the corner

  // Nothing selected stays nothing; Cancel stores the number but expands nothing.
  selectPoints({});
  pressButton(1);
  EXPECT_TRUE(selectedPoints().empty());
  selectPoints({at(n, 5, 5)});
  answerDialog([](sim::PanelState& p) { setDialogInt(p, "Number of Times", 0); }, 0);
  runMenu(kCmdExpandSelection);
  EXPECT_EQ(stInstData.expandSelectionOption, 1);
  EXPECT_EQ(selectedPoints().size(), 1u);
}

TEST_F(CommandTest, ConnectedInvertAndCancel) {
  // Two separate grids in one object: the connected part of one point is its grid.
  auto mesh = std::make_shared<sim::SimMesh>();
  for (int part = 0; part < 2; ++part) {
    const uint32_t base = uint32_t(mesh->numPoints());
    for (int z = 0; z <= 1; ++z)
      for (int x = 0; x <= 2; ++x) {
        const float p[3] = {float(x + 10 * part), 0.0f, float(z)};
        mesh->addPoint(p);
      }
    for (uint32_t x = 0; x < 2; ++x)
      mesh->addPolygon(sim::kTypeFACE, {base + x, base + 3 + x, base + 4 + x, base + x + 1});
  }
  makeCurrent(host->scene.addObject("Parts", mesh).id);
  ASSERT_EQ(stInstData.mesh.numPoints, 12);
  selectPoints({7});
  runMenu(kCmdSelectConnected);
  EXPECT_EQ(selectedPoints(), (std::vector<int>{6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(stInstData.mesh.selectedCount, 6);
  runMenu(kCmdInvertSelection);
  EXPECT_EQ(selectedPoints(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(stInstData.mesh.selectedCount, 6);
  runMenu(kCmdCancelSelection);
  EXPECT_TRUE(selectedPoints().empty());
  EXPECT_EQ(stInstData.mesh.selectedCount, 0);
  EXPECT_EQ(undoSteps(), 0);
}

}  // namespace
