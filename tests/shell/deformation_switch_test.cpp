// The deformation switch and the dummy object it reads Layout's state through.
#include <gtest/gtest.h>

#include "mesh/dummy_object.h"
#include "shell/module_state.h"
#include "support/module_fixture.h"

namespace {

constexpr unsigned kIK = 1u << 7, kMC = 1u << 11;
constexpr unsigned kUnseenByCamera = 1u << 0, kUnseenByRays = 1u << 1, kUnaffectedByFog = 1u << 2,
                   kUnseenByRadiosity = 1u << 19;

class DeformationSwitch : public ModuleFixture {
 protected:
  void SetUp() override {
    ModuleFixture::SetUp();
    ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  }
  void setScene(bool deform, bool ik, bool mc) {
    host->scene.deformationsEnabled = deform;
    host->scene.generalFlags = (ik ? kIK : 0) | (mc ? kMC : 0);
    host->evaluateScene();
  }
  bool ik() const { return host->scene.generalFlags & kIK; }
  bool mc() const { return host->scene.generalFlags & kMC; }
};

TEST_F(DeformationSwitch, EnablingTurnsOnOnlyWhatIsOff) {
  for (int state = 0; state < 8; ++state) {
    SCOPED_TRACE(state);
    setScene(state & 1, state & 2, state & 4);
    size_t from = logSize();
    EXPECT_EQ(layoutDeformationFlags(stInstData, 1), 1);
    EXPECT_TRUE(host->scene.deformationsEnabled);
    EXPECT_TRUE(ik());
    EXPECT_TRUE(mc());
    EXPECT_EQ(countCommand(from, "EnableDeformations"), (state & 1) ? 0 : 1);
    EXPECT_EQ(countCommand(from, "EnableIK"), (state & 2) ? 0 : 1);
    EXPECT_EQ(countCommand(from, "EnableMC"), (state & 4) ? 0 : 1);
  }
}

TEST_F(DeformationSwitch, DisablingTurnsOffOnlyWhatIsOn) {
  for (int state = 0; state < 8; ++state) {
    SCOPED_TRACE(state);
    setScene(state & 1, state & 2, state & 4);
    size_t from = logSize();
    EXPECT_EQ(layoutDeformationFlags(stInstData, 2), 0);
    EXPECT_FALSE(host->scene.deformationsEnabled);
    EXPECT_FALSE(ik());
    EXPECT_FALSE(mc());
    EXPECT_EQ(countCommand(from, "EnableDeformations"), (state & 1) ? 1 : 0);
    EXPECT_EQ(countCommand(from, "EnableIK"), (state & 2) ? 1 : 0);
    EXPECT_EQ(countCommand(from, "EnableMC"), (state & 4) ? 1 : 0);
  }
}

TEST_F(DeformationSwitch, AskingTwiceIssuesNothing) {
  setScene(false, true, true);
  layoutDeformationFlags(stInstData, 0);
  size_t from = logSize();
  EXPECT_EQ(layoutDeformationFlags(stInstData, 0), 0);
  EXPECT_EQ(layoutDeformationFlags(stInstData, 0), 0);
  EXPECT_TRUE(commandsSince(from).empty());
}

// A "(temporary data)" object without points, as a user might leave one, with the given
// object flags; the tool's own dummy is removed first.
uint64_t plantEmptyDummy(sim::Host& host, unsigned flags) {
  if (sim::SimItem* d = host.scene.findByName("(temporary data)")) host.scene.removeItem(d->id);
  sim::SimItem& d = host.scene.addNull("(temporary data)");
  d.objectFlags = flags;
  return d.id;
}

TEST_F(DeformationSwitch, TheDummyIsHiddenFromEveryRenderPass) {
  const uint64_t id = plantEmptyDummy(*host, 0);
  stInstData.mesh.dummyObject = LWITEM_NULL;
  ASSERT_EQ(getDummyObject(stInstData), reinterpret_cast<LWItemID>(uintptr_t(id)));
  const sim::SimItem* d = host->scene.find(id);
  for (unsigned bit : {kUnseenByCamera, kUnseenByRays, kUnaffectedByFog, kUnseenByRadiosity})
    EXPECT_TRUE(d->objectFlags & bit) << bit;
  EXPECT_FALSE(d->objectFlags & (1u << 20));
  EXPECT_EQ(d->shadowOpts, 0u);
  EXPECT_EQ(d->visibility, 2);
  EXPECT_TRUE(d->locked);
}

TEST_F(DeformationSwitch, ARepairedDummyKeepsTheRenderFlagsItHad) {
  const unsigned all = kUnseenByCamera | kUnseenByRays | kUnaffectedByFog | kUnseenByRadiosity;
  const uint64_t id = plantEmptyDummy(*host, all);
  size_t from = logSize();
  getDummyObject(stInstData);
  EXPECT_EQ(host->scene.find(id)->objectFlags & all, all);
  for (const char* toggle : {"UnseenByCamera", "UnseenByRays", "UnseenByRadiosity", "UnaffectedByFog"})
    EXPECT_EQ(countCommand(from, toggle), 0) << toggle;
}

}  // namespace
