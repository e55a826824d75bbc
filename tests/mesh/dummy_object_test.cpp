// The hidden "(temporary data)" object: found and repaired rather than duplicated.
#include <gtest/gtest.h>

#include "mesh/dummy_object.h"
#include "support/module_fixture.h"

extern "C" {
#include <lwserver.h>
}

namespace {

using DummyObjectTest = ModuleFixture;

std::vector<const sim::SimItem*> dummies(const sim::SimScene& scene) {
  std::vector<const sim::SimItem*> found;
  for (const auto& it : scene.items())
    if (it->name == "(temporary data)") found.push_back(it.get());
  return found;
}

// The dummy as the tool needs it: two points, one bone of rest length 0.0001, hidden
// and locked.
void expectUsableDummy(const sim::SimScene& scene, const sim::SimItem& dummy) {
  EXPECT_EQ(dummy.mesh->numPoints(), 2u);
  EXPECT_EQ(dummy.visibility, 2);
  EXPECT_TRUE(dummy.locked);
  auto bones = scene.itemsOfType(sim::ItemType::Bone, dummy.id);
  ASSERT_EQ(bones.size(), 1u);
  EXPECT_DOUBLE_EQ(scene.find(bones[0])->restLength, 0.0001);
}

// A dummy with two points.
std::shared_ptr<sim::SimMesh> twoPoints() {
  auto mesh = std::make_shared<sim::SimMesh>();
  const float origin[3] = {0, 0, 0};
  mesh->addPoint(origin);
  mesh->addPoint(origin);
  return mesh;
}

TEST_F(DummyObjectTest, ActivationReusesADummyObjectAlreadyInTheScene) {
  sim::SimItem& left = host->scene.addObject("(temporary data)", twoPoints());
  host->scene.addBone(left.id, 0, "Bone").restLength = 0.0001;
  left.visibility = 2;
  left.locked = true;
  const size_t from = logSize();
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  ASSERT_EQ(dummies(host->scene).size(), 1u);
  EXPECT_EQ(stInstData.mesh.dummyObject, reinterpret_cast<LWItemID>(left.id));
  EXPECT_EQ(countCommand(from, "AddNull (temporary data)"), 0);
  EXPECT_EQ(countCommand(from, "AddBone Bone"), 0);
  EXPECT_EQ(countCommand(from, "ModCommand_MEAccess_vmr"), 0);

  // Leaving and coming back never leaves two behind.
  host->leaveTool();
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  ASSERT_EQ(dummies(host->scene).size(), 1u);
  expectUsableDummy(host->scene, *dummies(host->scene)[0]);
}

TEST_F(DummyObjectTest, AnIncompleteDummyIsRepairedInPlace) {
  {
    SCOPED_TRACE("without points: two points and a bone are added");
    const uint64_t empty = host->scene.addNull("(temporary data)").id;
    ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
    ASSERT_EQ(dummies(host->scene).size(), 1u);
    EXPECT_EQ(stInstData.mesh.dummyObject, reinterpret_cast<LWItemID>(empty));
    expectUsableDummy(host->scene, *host->scene.find(empty));
    EXPECT_EQ(host->scene.firstSelected(), demo.limb);
    host->leaveTool();
  }
  {
    SCOPED_TRACE("with points, without a bone: only the bone is added");
    ASSERT_TRUE(dummies(host->scene).empty());
    const uint64_t boneless = host->scene.addObject("(temporary data)", twoPoints()).id;
    const size_t from = logSize();
    ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
    EXPECT_EQ(countCommand(from, "ModCommand_MEAccess_vmr"), 0);
    EXPECT_EQ(countCommand(from, "BoneRestLength 0.0001"), 1);
    ASSERT_EQ(dummies(host->scene).size(), 1u);
    expectUsableDummy(host->scene, *host->scene.find(boneless));
  }
}

TEST_F(DummyObjectTest, ADeletedDummyIsRecreatedWhenTheDeformationStateIsAsked) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  host->scene.removeItem(dummies(host->scene)[0]->id);
  EXPECT_EQ(layoutDeformationFlags(stInstData, 0), 1);
  ASSERT_EQ(dummies(host->scene).size(), 1u);
  expectUsableDummy(host->scene, *dummies(host->scene)[0]);
  EXPECT_EQ(stInstData.mesh.dummyObject, reinterpret_cast<LWItemID>(dummies(host->scene)[0]->id));
  // Asked again: nothing to repair, no command.
  const size_t from = logSize();
  EXPECT_EQ(layoutDeformationFlags(stInstData, 0), 1);
  EXPECT_TRUE(commandsSince(from).empty());
}

}  // namespace
