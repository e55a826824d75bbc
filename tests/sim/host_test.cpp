// The simulated Layout against a small recording plug-in of the test's own: commands,
// event delivery, redraws, mesh edits and the item parameters the module relies on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "host/host.h"
#include "scene/demo_scene.h"

extern "C" {
#include <lwcmdseq.h>
#include <lwcustobj.h>
#include <lwlaytool.h>
#include <lwmaster.h>
#include <lwmeshedt.h>
#include <lwmodule.h>
}

namespace {

// --- the recording plug-in ------------------------------------------------------------

struct Record {
  std::vector<std::string> calls;
  GlobalFunc* global = nullptr;
  int editError = EDERR_NONE;  // what the command's done() reports
  bool issueInEvent = false;   // the master issues a command from its event callback
};
Record stRec;

int cmd(const char* text) {
  auto* f = reinterpret_cast<int (*)(const char*)>(stRec.global("LW Command Interface", 0));
  return f ? f(text) : 0;
}

int toolInstance = 0;
void toolDone(LWInstance) { stRec.calls.push_back("done"); }
void toolDraw(LWInstance, LWCustomObjAccess* access) {
  stRec.calls.push_back("draw " + std::to_string(access->view));
  double a[3] = {0, 0, 0}, b[3] = {1, 0, 0};
  float red[4] = {1, 0, 0, 1};
  access->setColor(access->dispData, red);
  access->line(access->dispData, a, b, LWCSYS_WORLD);
}
int toolActivate(int version, GlobalFunc* global, void* local, void*) {
  stRec.global = global;
  stRec.calls.push_back("tool activate " + std::to_string(version));
  auto* tool = static_cast<LWLayoutTool*>(local);
  tool->instance = &toolInstance;
  tool->tool->done = toolDone;
  tool->tool->draw = toolDraw;
  // Selecting during the activation: the event must wait until the activation returns.
  cmd("SelectItem 10000000");
  stRec.calls.push_back("tool activate returns");
  return AFUNC_OK;
}

int masterInstance = 0;
LWInstance masterCreate(void*, void*, LWError*) { return &masterInstance; }
void masterDestroy(LWInstance) {}
double masterEvent(LWInstance, const LWMasterAccess* access) {
  stRec.calls.push_back("event " + std::to_string(access->eventCode));
  if (stRec.issueInEvent && access->eventCode == LWEVNT_SELECT) {
    stRec.issueInEvent = false;
    access->evaluate(access->data, "ItemVisibility 3");
  }
  return 0.0;
}
unsigned masterFlags(LWInstance) { return 0; }  // no notifications
int masterActivate(int version, GlobalFunc*, void* local, void*) {
  if (version != LWMASTER_VERSION) return AFUNC_BADVERSION;
  auto* m = static_cast<LWMasterHandler*>(local);
  m->inst->create = masterCreate;
  m->inst->destroy = masterDestroy;
  m->event = masterEvent;
  m->flags = masterFlags;
  return AFUNC_OK;
}

int commandActivate(int, GlobalFunc*, void* local, void*) {
  auto* mc = static_cast<LWModCommand*>(local);
  MeshEditOp* op = mc->editBegin(0, 0, OPSEL_GLOBAL);
  if (!op) return AFUNC_OK;
  float v = 0.5f;
  LWPntID first = nullptr;
  op->pointScan(op->state, [](void* data, const EDPointInfo* info) -> EDError {
    *static_cast<LWPntID*>(data) = info->pnt;
    return 1;  // the first point is enough
  }, &first, OPLYR_FG);
  op->pntVMap(op->state, first, LWID_('W', 'G', 'H', 'T'), "Test", 1, &v);
  if (op->vMapExists(op->state, "Upper", LWID_('W', 'G', 'H', 'T')) &&
      op->vMapSelect(op->state, "Upper", LWID_('W', 'G', 'H', 'T'), 1)) {
    op->vMapRename(op->state, "Renamed");
  }
  op->done(op->state, stRec.editError, 0);
  return AFUNC_OK;
}

ServerRecord stServers[] = {
    {LWLAYOUTTOOL_CLASS, "RecTool", toolActivate, nullptr},
    {LWMASTER_HCLASS, "RecMaster", masterActivate, nullptr},
    {LWMODCOMMAND_CLASS, "RecEdit", commandActivate, nullptr},
    {nullptr, nullptr, nullptr, nullptr}};
ModuleDescriptor stDescriptor = {MOD_SYSSYNC, MOD_SYSVER, MOD_MACHINE, nullptr, nullptr, stServers};

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    stRec = Record{};
    demo = sim::buildDemoScene(host.scene, true, 4, 6);
    std::string error;
    ASSERT_TRUE(host.addModule(&stDescriptor, "recording plug-in", &error)) << error;
  }
  std::string hex(uint64_t id) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%x", unsigned(id));
    return buf;
  }
  sim::Host host;
  sim::DemoScene demo;
};

TEST_F(HostTest, ItemIdsKeepTheirTypeInBits28To30AndCommandsUseTheLow32Bits) {
  EXPECT_EQ((demo.limb >> 28) & 7, 1u);
  EXPECT_EQ((demo.light >> 28) & 7, 2u);
  EXPECT_EQ((demo.camera >> 28) & 7, 3u);
  EXPECT_EQ((demo.bones[1] >> 28) & 7, 4u);
  EXPECT_NE(demo.limb >> 32, 0u);  // the high half is not zero: code must not lose it
  EXPECT_EQ(host.command("SelectItem " + hex(demo.light)), 1);
  EXPECT_EQ(host.scene.firstSelected(), demo.light);
  // An id naming no item does nothing; a malformed one is an error in the log.
  host.command("SelectItem 7fffffff");
  EXPECT_EQ(host.scene.firstSelected(), demo.light);
  EXPECT_TRUE(host.commandLog.back().ok);
  host.command("SelectItem zz");
  EXPECT_FALSE(host.commandLog.back().ok);
  host.command("NoSuchCommand 1 2");
  EXPECT_FALSE(host.commandLog.back().ok);
  EXPECT_EQ(host.commandLog.back().error, "unknown command");
}

TEST_F(HostTest, BoneCommandsActOnTheSelectedBone) {
  host.command("SelectItem " + hex(demo.limb));
  host.command("AddBone Extra");
  sim::SimItem* bone = host.scene.find(host.scene.firstSelected());
  ASSERT_NE(bone, nullptr);
  EXPECT_EQ(bone->type, sim::ItemType::Bone);
  EXPECT_EQ(bone->boneObject, demo.limb);
  EXPECT_EQ(bone->boneFlags, 0u);  // new bones start inactive
  host.command("BoneActive");
  host.command("BoneRestLength 0.25");
  host.command("BoneRestRotation 90 0 0");
  host.command("BoneWeightMapName Upper");
  EXPECT_EQ(bone->boneFlags, 1u);
  EXPECT_DOUBLE_EQ(bone->restLength, 0.25);
  EXPECT_NEAR(bone->restRotation[0], M_PI / 2, 1e-12);
  EXPECT_EQ(bone->weightMap, "Upper");
  host.command("BoneWeightMapName (none)");
  EXPECT_EQ(bone->weightMap, "");
  host.command("AddBone Child");
  EXPECT_EQ(host.scene.find(host.scene.firstSelected())->parent, bone->id);
  // Without a bone selected the bone commands are errors and change nothing.
  host.command("SelectItem " + hex(demo.light));
  host.command("BoneRestLength 3");
  EXPECT_FALSE(host.commandLog.back().ok);
}

TEST_F(HostTest, ClearSelectedAsksUnlessConfirmedOrGivenAnArgument) {
  host.command("AddNull A");
  uint64_t a = host.scene.firstSelected();
  host.answers.push_back(0);  // "no"
  host.command("ClearSelected");
  EXPECT_NE(host.scene.find(a), nullptr);
  ASSERT_FALSE(host.messages.empty());
  host.command("AutoConfirm 1");
  host.command("ClearSelected");
  EXPECT_EQ(host.scene.find(a), nullptr);
  // Removing an object takes its bones with it.
  host.command("SelectItem " + hex(demo.limb));
  host.command("ClearSelected 1");
  EXPECT_EQ(host.scene.find(demo.bones[2]), nullptr);
}

TEST_F(HostTest, SceneEventsWaitUntilThePluginCallReturns) {
  ASSERT_TRUE(host.applyServer("MasterHandler", "RecMaster"));
  host.scene.select(demo.light);
  ASSERT_EQ(host.activateTool("RecTool"), 0);
  std::vector<std::string> expected = {"tool activate 1", "tool activate returns", "event 3"};
  EXPECT_EQ(stRec.calls, expected);
  // A command from an event callback runs, and its own event follows after it.
  stRec.calls.clear();
  stRec.issueInEvent = true;
  host.command("SelectItem " + hex(demo.camera));
  EXPECT_EQ(stRec.calls, (std::vector<std::string>{"event 3"}));
  EXPECT_EQ(host.scene.find(demo.camera)->visibility, 3);
}

TEST_F(HostTest, NotificationsReachOnlyMastersThatAskForThem) {
  ASSERT_TRUE(host.applyServer("MasterHandler", "RecMaster"));
  host.sendMasterEvent(LWEVNT_NOTIFY_SCENE_SAVE_STARTING);
  EXPECT_TRUE(stRec.calls.empty());
  EXPECT_TRUE(host.removeServer("MasterHandler", 1));
  EXPECT_FALSE(host.removeServer("MasterHandler", 1));
}

TEST_F(HostTest, RedrawRunsTheToolsDrawOncePerViewport) {
  host.viewports.resize(3);
  host.viewports[0].type = 1;  // top
  host.viewports[1].type = 4;  // front
  host.viewports[2].type = 7;  // perspective
  ASSERT_EQ(host.activateTool("RecTool"), 0);
  stRec.calls.clear();
  host.command("RedrawNow");
  EXPECT_EQ(stRec.calls, (std::vector<std::string>{"draw 1", "draw 2", "draw 3"}));
  ASSERT_EQ(host.lastDraw.size(), 3u);
  ASSERT_EQ(host.lastDraw[2].primitives.size(), 1u);
  EXPECT_EQ(host.lastDraw[2].primitives[0].kind, sim::DrawPrimitive::Line);
  EXPECT_EQ(host.lastDraw[2].primitives[0].colour[0], 1.0f);
  host.leaveTool();
  stRec.calls.clear();
  host.command("RedrawNow");
  EXPECT_TRUE(stRec.calls.empty());
}

TEST_F(HostTest, MeshEditsApplyOnDoneAndRollBackOnError) {
  host.scene.select(demo.limb);
  sim::SimMesh& mesh = *host.scene.find(demo.limb)->mesh;
  stRec.editError = EDERR_USERABORT;
  host.command("ModCommand_RecEdit");
  EXPECT_EQ(mesh.findVMap(sim::kVMapWGHT, "Test"), nullptr);
  EXPECT_NE(mesh.findVMap(sim::kVMapWGHT, "Upper"), nullptr);
  EXPECT_EQ(mesh.findVMap(sim::kVMapWGHT, "Renamed"), nullptr);
  stRec.editError = EDERR_NONE;
  host.command("ModCommand_RecEdit");
  ASSERT_NE(mesh.findVMap(sim::kVMapWGHT, "Test"), nullptr);
  EXPECT_EQ(mesh.findVMap(sim::kVMapWGHT, "Test")->values.at(0)[0], 0.5f);
  EXPECT_NE(mesh.findVMap(sim::kVMapWGHT, "Renamed"), nullptr);
  EXPECT_TRUE(host.scene.find(demo.limb)->modified);
  host.command("ModCommand_Missing");
  EXPECT_FALSE(host.commandLog.back().ok);
}

TEST_F(HostTest, ThePivotIsWhereAnItemTurns) {
  sim::SimItem& null = host.scene.addNull("Pivoted");
  null.position = {1, 2, 3};
  null.pivot = {0, 0, 1};
  null.rotation = {M_PI / 2, 0, 0};  // heading 90: +z turns to +x
  sim::Frame f = host.scene.worldFrame(null.id);
  sim::Vec3 pivotWorld = f.apply(null.pivot);
  EXPECT_NEAR(pivotWorld[0], 1, 1e-12);
  EXPECT_NEAR(pivotWorld[1], 2, 1e-12);
  EXPECT_NEAR(pivotWorld[2], 3, 1e-12);
  sim::Vec3 origin = f.apply({0, 0, 0});  // one unit behind the pivot along the item's z
  EXPECT_NEAR(origin[0], 0, 1e-12);
  EXPECT_NEAR(origin[2], 3, 1e-12);
}

TEST_F(HostTest, TheFrozenMeshPutsSubdivisionPointsFirstAndFollowsTheBones) {
  sim::SimItem& limb = *host.scene.find(demo.limb);
  const size_t base = limb.mesh->numPoints();
  limb.patchDisplay = 2;
  host.scene.refreshFrozen();
  const sim::FrozenMesh& frozen = host.scene.frozen(demo.limb);
  EXPECT_EQ(frozen.extraPoints, 0u);  // the demo limb has no subdivision surfaces
  EXPECT_EQ(frozen.otherPos.size(), base);
  // The lower bone is bent, so points near the hand move; points at the root stay.
  EXPECT_TRUE(frozen.deformed);
  EXPECT_FLOAT_EQ(frozen.otherPos[0][1], limb.mesh->point(0).pos[1]);
  const auto& tip = frozen.otherPos[base - 1];
  const auto& rest = limb.mesh->point(base - 1).pos;
  EXPECT_GT(std::fabs(tip[2] - rest[2]) + std::fabs(tip[1] - rest[1]), 0.1f);
  host.command("EnableDeformations");
  const sim::FrozenMesh& still = host.scene.frozen(demo.limb);
  EXPECT_FALSE(still.deformed);
  EXPECT_FLOAT_EQ(still.otherPos[base - 1][2], rest[2]);
  EXPECT_TRUE(host.scene.objectFlagsNow(demo.limb) & (1u << 18));
}

}  // namespace
