// The bone hierarchy read from the scene: which items it holds, in which order, and the
// measurements it takes of the bones.
#include <gtest/gtest.h>

#include <vector>

#include "host/host.h"
#include "mesh/child_list.h"
#include "support/module_fixture.h"

namespace {

using ChildListTest = ModuleFixture;

LWItemID lw(uint64_t id) { return reinterpret_cast<LWItemID>(uintptr_t(id)); }

std::vector<LWItemID> inOrder(const ChildStcList& list) {
  std::vector<LWItemID> items;
  for (const ChildStc* n = list.root; n && items.size() < 1000; n = n->nextInOrder) items.push_back(n->item);
  return items;
}

std::vector<LWItemID> childrenOf(const ChildStc* node) {
  std::vector<LWItemID> items;
  for (const ChildStc* c = node->firstChild; c && items.size() < 1000; c = c->nextSibling) items.push_back(c->item);
  return items;
}

const ChildStc* nodeOf(const ChildStcList& list, uint64_t id) {
  for (const ChildStc* n = list.root; n; n = n->nextInOrder)
    if (n->item == lw(id)) return n;
  return nullptr;
}

TEST_F(ChildListTest, HoldsBonesAndNullsBreadthFirstAndSkipsEverythingUnderLightsCamerasAndMeshes) {
  sim::SimScene& scene = host->scene;
  const uint64_t b0 = demo.bones[0], b1 = demo.bones[1], b2 = demo.bones[2];
  const uint64_t side = scene.addBone(demo.limb, b0, "Side").id;  // found after b1: prepended
  // Under a light, a camera and an object with points nothing counts, however deep.
  scene.find(demo.light)->parent = b1;
  scene.addBone(demo.limb, demo.light, "UnderLight");
  const uint64_t nullUnderLight = scene.addNull("NullUnderLight").id;
  scene.find(nullUnderLight)->parent = demo.light;
  scene.find(demo.camera)->parent = b0;
  auto mesh = std::make_shared<sim::SimMesh>();
  const float p[3] = {0, 0, 0};
  mesh->addPoint(p);
  sim::SimItem& prop = scene.addObject("Prop", mesh);
  prop.parent = b2;
  scene.addBone(demo.limb, prop.id, "UnderProp");
  // A null is part of the hierarchy, and so is what hangs below it.
  sim::SimItem& control = scene.addNull("Control");
  control.parent = b2;
  const uint64_t tip = scene.addBone(demo.limb, control.id, "Tip").id;

  ChildStcList list;
  ASSERT_EQ(createChildStcList(list, sim::hostGlobalFunc, lw(demo.limb)), 1);
  EXPECT_EQ(inOrder(list), (std::vector<LWItemID>{lw(demo.limb), lw(b0), lw(b1), lw(side), lw(b2), lw(control.id), lw(tip)}));
  EXPECT_EQ(list.zAxisBoneCount, 5);
  EXPECT_EQ(list.jointBoneCount, 0);
  EXPECT_EQ(list.nullCount, 1);
  EXPECT_EQ(list.tail->item, lw(tip));
  EXPECT_EQ(childrenOf(nodeOf(list, b0)), (std::vector<LWItemID>{lw(side), lw(b1)}));
  EXPECT_EQ(childrenOf(nodeOf(list, b1)), std::vector<LWItemID>{lw(b2)});  // not the light
  EXPECT_EQ(nodeOf(list, tip)->parent, nodeOf(list, control.id));
  EXPECT_EQ(nodeOf(list, control.id)->itemType, 0);
  EXPECT_EQ(list.root->parent, nullptr);
  EXPECT_EQ(list.root->itemType, 0);
  EXPECT_STREQ(nodeOf(list, b1)->weightMapName, "Lower");
  EXPECT_EQ(nodeOf(list, side)->weightMapName, nullptr);
  EXPECT_DOUBLE_EQ(nodeOf(list, b2)->restLength, 0.6);
  EXPECT_DOUBLE_EQ(nodeOf(list, control.id)->restLength, 1.0);

  destroyChildStcList(list);
  destroyChildStcList(list);
  EXPECT_EQ(list.root, nullptr);
  EXPECT_TRUE(list.nodes.empty());
  EXPECT_EQ(list.zAxisBoneCount + list.jointBoneCount + list.nullCount, 0);
}

TEST_F(ChildListTest, MeasuresJointBonesAgainstTheirJointChildren) {
  sim::SimScene& scene = host->scene;
  auto mesh = std::make_shared<sim::SimMesh>();
  const float p[3] = {0, 0, 0};
  mesh->addPoint(p);
  const uint64_t rig = scene.addObject("Rig", mesh).id;
  auto bone = [&](uint64_t parent, sim::Vec3 at, int type) -> sim::SimItem& {
    sim::SimItem& b = scene.addBone(rig, parent, "B");
    b.position = b.restPosition = at;
    b.boneType = type;
    return b;
  };
  sim::SimItem& root = bone(0, {1, 0, 0}, 1);
  // Joint children at distances 1 and 3 from the root bone; the second has its pivot
  // half a unit along z, which moves its origin to distance 2.5 along the same line.
  sim::SimItem& near = bone(root.id, {0, 0, 1}, 1);
  sim::SimItem& far = bone(root.id, {0, 3, 0}, 1);
  far.pivot = {0, 0.5, 0};
  bone(root.id, {7, 0, 0}, 0);  // a z-axis child does not count
  near.iconScale = 2.5f;

  ChildStcList list;
  ASSERT_EQ(createChildStcList(list, sim::hostGlobalFunc, lw(rig)), 1);
  EXPECT_EQ(list.jointBoneCount, 3);
  EXPECT_EQ(list.zAxisBoneCount, 1);
  EXPECT_DOUBLE_EQ(nodeOf(list, root.id)->childJointLength, (1.0 + 2.5) / 2.0);
  EXPECT_DOUBLE_EQ(nodeOf(list, near.id)->childJointLength, 0.0);
  const ChildStc* f = nodeOf(list, far.id);
  EXPECT_DOUBLE_EQ(f->worldOrigin[1], 3.0 - 0.5);
  EXPECT_DOUBLE_EQ(f->localPos[1], 3.0 - 0.5);
  EXPECT_DOUBLE_EQ(f->worldPosition[0], 1.0);
  EXPECT_DOUBLE_EQ(nodeOf(list, near.id)->iconScale, 2.5);
  EXPECT_DOUBLE_EQ(list.root->iconScale, 1.0);
  destroyChildStcList(list);
}

TEST_F(ChildListTest, AnObjectWithoutBonesGivesNoList) {
  auto mesh = std::make_shared<sim::SimMesh>();
  const float p[3] = {0, 0, 0};
  mesh->addPoint(p);
  sim::SimItem& plain = host->scene.addObject("Plain", mesh);
  host->scene.addNull("Child").parent = plain.id;
  ChildStcList list;
  EXPECT_EQ(createChildStcList(list, sim::hostGlobalFunc, lw(plain.id)), 0);
  EXPECT_EQ(list.root, nullptr);
  EXPECT_TRUE(list.nodes.empty());
  EXPECT_EQ(createChildStcList(list, sim::hostGlobalFunc, LWITEM_NULL), 0);
  EXPECT_EQ(createChildStcList(list, nullptr, lw(demo.limb)), 0);
}

}  // namespace
