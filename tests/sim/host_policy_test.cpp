// Each host policy switch against a small recording plug-in of the test's own: event
// delivery, object flags, offered versions, renumbered ids, frozen point ids, the space of
// the other positions, mesh edits at once or at done; and the tool's handle mode, help and
// events, and the scene clear.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/host.h"
#include "scene/demo_scene.h"

extern "C" {
#include <lwcmdseq.h>
#include <lwlaytool.h>
#include <lwmaster.h>
#include <lwmeshedt.h>
#include <lwmodule.h>
#include <lwrender.h>
}

namespace {

struct Record {
  std::vector<std::string> calls;
  std::vector<int> versions;
  GlobalFunc* global = nullptr;
  int acceptVersion = 0;       // 0: any
  bool selectInEvent = false;  // the master answers a selection with another selection
  int masterType = LWMAST_SCENE;
  std::vector<LWItemID> changed;
};
Record rec;

int toolInstance = 0;
int toolDown(LWInstance, LWToolEvent*) { rec.calls.push_back("down"); return 0; }
int toolCount(LWInstance, LWToolEvent*) { rec.calls.push_back("count"); return 0; }
int toolStart(LWInstance, LWToolEvent*) { rec.calls.push_back("start"); return 7; }
int toolAdjust(LWInstance, LWToolEvent*, int i) { rec.calls.push_back("adjust " + std::to_string(i)); return i; }
void toolUp(LWInstance, LWToolEvent*) { rec.calls.push_back("up"); }
const char* toolHelp(LWInstance, LWToolEvent*) { return "Recording tool."; }
int toolDirty(LWInstance) { return LWT_DIRTY_HELPTEXT; }
void toolEvent(LWInstance, int code) { rec.calls.push_back("event " + std::to_string(code)); }

int toolActivate(int version, GlobalFunc* global, void* local, void*) {
  rec.versions.push_back(version);
  if (rec.acceptVersion && version != rec.acceptVersion) return AFUNC_BADVERSION;
  rec.global = global;
  auto* tool = static_cast<LWLayoutTool*>(local);
  tool->instance = &toolInstance;
  tool->tool->down = toolDown;
  tool->tool->count = toolCount;
  tool->tool->start = toolStart;
  tool->tool->adjust = toolAdjust;
  tool->tool->up = toolUp;
  tool->tool->help = toolHelp;
  tool->tool->dirty = toolDirty;
  tool->tool->event = toolEvent;
  return AFUNC_OK;
}

int masterInstance = 0;
LWInstance masterCreate(void*, void*, LWError*) { return &masterInstance; }
void masterDestroy(LWInstance) { rec.calls.push_back("destroy"); }
void masterChangeID(LWInstance, const LWItemID* list) {
  for (const LWItemID* p = list; *p; ++p) rec.changed.push_back(*p);
}
double masterEvent(LWInstance, const LWMasterAccess* access) {
  rec.calls.push_back("event " + std::to_string(access->eventCode));
  if (access->eventCode == LWEVNT_SELECT && rec.selectInEvent) access->evaluate(access->data, "SelectItem 10000000");
  return 0.0;
}
unsigned masterFlags(LWInstance) { return LWMASTF_RECEIVE_NOTIFICATIONS; }
int masterActivate(int version, GlobalFunc* global, void* local, void*) {
  rec.versions.push_back(version);
  if (rec.acceptVersion && version != 4) return AFUNC_BADVERSION;
  rec.global = global;
  auto* m = static_cast<LWMasterHandler*>(local);
  m->inst->create = masterCreate;
  m->inst->destroy = masterDestroy;
  m->item->changeID = masterChangeID;
  m->event = masterEvent;
  m->flags = masterFlags;
  m->type = rec.masterType;
  return AFUNC_OK;
}

// A command that writes one weight and checks what a mesh info sees before done.
float stSeenBeforeDone = -1.0f;
int editActivate(int, GlobalFunc* global, void* local, void*) {
  auto* cs = static_cast<LWModCommand*>(local);
  MeshEditOp* op = cs->editBegin(0, 0, OPSEL_GLOBAL);
  if (!op) return AFUNC_OK;
  struct Ctx { MeshEditOp* op; LWPntID first = nullptr; } ctx{op};
  op->pointScan(op->state, [](void* d, const EDPointInfo* p) -> EDError {
    auto* c = static_cast<Ctx*>(d);
    if (!c->first) c->first = p->pnt;
    return EDERR_NONE;
  }, &ctx, OPLYR_FG);
  float v = 0.75f;
  op->pntVMap(op->state, ctx.first, LWID_('W', 'G', 'H', 'T'), "Upper", 1, &v);
  auto* items = static_cast<LWItemInfo*>(global(LWITEMINFO_GLOBAL, 0));
  auto* ui = static_cast<LWInterfaceInfo*>(global(LWINTERFACEINFO_GLOBAL, 0));
  auto* objects = static_cast<LWObjectInfo*>(global(LWOBJECTINFO_GLOBAL, 0));
  (void)items;
  LWMeshInfoID mi = objects->meshInfo(ui->selItems[0], 0);
  void* map = mi->pntVLookup(mi, LWID_('W', 'G', 'H', 'T'), "Upper");
  mi->pntVSelect(mi, map);
  float seen = -1.0f;
  stSeenBeforeDone = mi->pntVGet(mi, ctx.first, &seen) ? seen : -1.0f;
  mi->destroy(mi);
  op->done(op->state, EDERR_NONE, 0);
  return AFUNC_OK;
}

ServerRecord stServers[] = {{"LayoutTool", "RecTool", toolActivate, nullptr},
                            {"MasterHandler", "RecMaster", masterActivate, nullptr},
                            {"CommandSequence", "RecEdit", editActivate, nullptr},
                            {nullptr, nullptr, nullptr, nullptr}};
void* startup() { return reinterpret_cast<void*>(1); }
ModuleDescriptor stModule = {MOD_SYSSYNC, MOD_SYSVER, 0, startup, nullptr, stServers};

class HostPolicyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rec = Record{};
    demo = sim::buildDemoScene(host.scene, true, 4, 6);
    std::string error;
    ASSERT_TRUE(host.addModule(&stModule, "recording", &error)) << error;
  }
  int count(const std::string& call) const {
    int n = 0;
    for (const auto& c : rec.calls) n += c == call ? 1 : 0;
    return n;
  }
  sim::Host host;
  sim::DemoScene demo;
};

TEST_F(HostPolicyTest, ImmediateEventsArriveInsideTheCommandAndEndlessAnswersAreStopped) {
  ASSERT_TRUE(host.applyServer("MasterHandler", "RecMaster"));
  host.policy.events = sim::EventDelivery::Immediate;
  rec.selectInEvent = true;
  host.command("SelectItem 10000000");
  EXPECT_EQ(count("event 3"), sim::Host::kMaxImmediateEventDepth);
  ASSERT_EQ(host.hostFaults.size(), 1u);

  host.hostFaults.clear();
  rec.calls.clear();
  host.policy.events = sim::EventDelivery::Deferred;
  rec.selectInEvent = false;
  host.command("SelectItem 10000000");
  EXPECT_EQ(count("event 3"), 1);
  EXPECT_TRUE(host.hostFaults.empty());
}

TEST_F(HostPolicyTest, LastEvaluationFlagsChangeOnlyWhenTheHostEvaluates) {
  host.policy.objectFlags = sim::ObjectFlagState::LastEvaluation;
  auto* objects = static_cast<LWObjectInfo*>(sim::hostGlobalFunc(LWOBJECTINFO_GLOBAL, 0));
  LWItemID limb = reinterpret_cast<LWItemID>(uintptr_t(demo.limb));
  const unsigned kNoDeformers = 1u << 18;
  ASSERT_FALSE(objects->flags(limb) & kNoDeformers);
  host.scene.deformationsEnabled = false;  // changed behind the host's back: not evaluated
  EXPECT_FALSE(objects->flags(limb) & kNoDeformers);
  host.command("RefreshNow");
  EXPECT_TRUE(objects->flags(limb) & kNoDeformers);
  // A new item has never been evaluated.
  sim::SimItem& fresh = host.scene.addNull("Fresh");
  EXPECT_FALSE(objects->flags(reinterpret_cast<LWItemID>(uintptr_t(fresh.id))) & kNoDeformers);
  // Live flags follow the scene at once.
  host.policy.objectFlags = sim::ObjectFlagState::Live;
  host.scene.deformationsEnabled = true;
  EXPECT_FALSE(objects->flags(limb) & kNoDeformers);
}

TEST_F(HostPolicyTest, OfferedVersionsFollowThePolicy) {
  host.scene.select(demo.limb);
  host.policy.versions = sim::ActivationVersions::NewestThenRetryOlder;
  rec.acceptVersion = 1;
  EXPECT_EQ(host.activateTool("RecTool"), AFUNC_OK);
  EXPECT_EQ(rec.versions, (std::vector<int>{3, 1}));
  rec.versions.clear();
  ASSERT_TRUE(host.applyServer("MasterHandler", "RecMaster"));
  EXPECT_EQ(rec.versions, (std::vector<int>{5, 4}));
  rec.versions.clear();
  host.policy.versions = sim::ActivationVersions::NewestOnly;
  EXPECT_EQ(host.activateTool("RecTool"), AFUNC_BADVERSION);
  EXPECT_EQ(rec.versions, std::vector<int>{3});
  EXPECT_FALSE(host.toolActive());
  EXPECT_EQ(host.messages.back().kind, "error");
}

TEST_F(HostPolicyTest, RenumberingTellsMastersOnceAndKeepsEveryReference) {
  ASSERT_TRUE(host.applyServer("MasterHandler", "RecMaster"));
  host.scene.select(demo.bones[1]);
  const uint64_t limb = demo.limb, bone = demo.bones[1];
  host.renumberItems();
  const uint64_t newLimb = host.currentIdOf(limb), newBone = host.currentIdOf(bone);
  ASSERT_NE(newLimb, limb);
  EXPECT_EQ(host.scene.find(limb), nullptr);
  ASSERT_NE(host.scene.find(newBone), nullptr);
  EXPECT_EQ(host.scene.find(newBone)->boneObject, newLimb);
  EXPECT_EQ(host.scene.firstSelected(), newBone);
  EXPECT_NE(uint32_t(newLimb), uint32_t(limb));  // commands carry only the low half
  ASSERT_EQ(rec.changed.size() % 2, 0u);
  EXPECT_EQ(rec.changed.size() / 2, host.scene.items().size());
  bool found = false;
  for (size_t i = 0; i < rec.changed.size(); i += 2)
    found |= rec.changed[i] == reinterpret_cast<LWItemID>(uintptr_t(limb)) &&
             rec.changed[i + 1] == reinterpret_cast<LWItemID>(uintptr_t(newLimb));
  EXPECT_TRUE(found);
  // Under ChangeOnEvents a removal renumbers the rest.
  host.policy.itemIds = sim::ItemIdStability::ChangeOnEvents;
  host.scene.select(demo.light);
  host.command("ClearSelected 1");
  EXPECT_NE(host.currentIdOf(limb), newLimb);
}

TEST_F(HostPolicyTest, FrozenPointIdsAndOtherPositionsFollowThePolicy) {
  sim::SimItem* limb = host.scene.find(demo.limb);
  limb->position = {0, 10, 0};
  host.evaluateScene();
  auto* objects = static_cast<LWObjectInfo*>(sim::hostGlobalFunc(LWOBJECTINFO_GLOBAL, 0));
  LWItemID id = reinterpret_cast<LWItemID>(uintptr_t(demo.limb));
  auto firstPoint = [](LWMeshInfoID mi) {
    LWPntID first = nullptr;
    mi->scanPoints(mi, [](void* d, LWPntID p) -> size_t { *static_cast<LWPntID*>(d) = p; return 1; }, &first);
    return first;
  };
  for (auto ids : {sim::FrozenPointIds::SameAsBase, sim::FrozenPointIds::OwnIds}) {
    for (auto space : {sim::OtherPosSpace::World, sim::OtherPosSpace::ObjectSpace}) {
      host.policy.frozenIds = ids;
      host.policy.otherPos = space;
      LWMeshInfoID base = objects->meshInfo(id, 0);
      LWMeshInfoID frozen = objects->meshInfo(id, 1);
      LWPntID b = firstPoint(base), f = firstPoint(frozen);
      EXPECT_EQ(b == f, ids == sim::FrozenPointIds::SameAsBase);
      float pos[3], rest[3];
      frozen->pntOtherPos(frozen, f, pos);
      frozen->pntBasePos(frozen, f, rest);
      EXPECT_NEAR(pos[1] - rest[1], space == sim::OtherPosSpace::World ? 10.0f : 0.0f, 0.5f);
      base->destroy(base);
      frozen->destroy(frozen);
    }
  }
}

TEST_F(HostPolicyTest, EditsAtDoneStayUnseenUntilDone) {
  host.scene.select(demo.limb);
  const sim::SimVMap* upper = host.scene.find(demo.limb)->mesh->findVMap(sim::kVMapWGHT, "Upper");
  const auto* v0 = upper->find(0);
  const float before = v0 ? (*v0)[0] : -1.0f;
  host.policy.meshEdits = sim::MeshEditVisibility::AtDone;
  host.command("ModCommand_RecEdit");
  EXPECT_FLOAT_EQ(stSeenBeforeDone, before);
  upper = host.scene.find(demo.limb)->mesh->findVMap(sim::kVMapWGHT, "Upper");
  EXPECT_FLOAT_EQ((*upper->find(0))[0], 0.75f);
  host.policy.meshEdits = sim::MeshEditVisibility::Immediate;
  host.command("ModCommand_RecEdit");
  EXPECT_FLOAT_EQ(stSeenBeforeDone, 0.75f);
}

TEST_F(HostPolicyTest, HandleModeHelpAndToolEventsReachTheTool) {
  host.scene.select(demo.limb);
  ASSERT_EQ(host.activateTool("RecTool"), AFUNC_OK);
  EXPECT_EQ(host.toolHelpText, "Recording tool.");
  host.toolMouse(sim::Host::MouseAction::Down, 10, 10, 0, 0, 0);
  host.toolMouse(sim::Host::MouseAction::Move, 20, 10, 0, 0, 0);
  host.toolMouse(sim::Host::MouseAction::Up, 20, 10, 0, 0, 0);
  EXPECT_EQ(rec.calls, (std::vector<std::string>{"down", "count", "start", "adjust 7"}));
  host.toolEvent(LWT_EVENT_RESET);
  EXPECT_EQ(rec.calls.back(), "event 1");
}

TEST_F(HostPolicyTest, ClearingTheSceneDestroysSceneMastersAndKeepsLayoutOnes) {
  ASSERT_TRUE(host.applyServer("MasterHandler", "RecMaster"));
  rec.masterType = LWMAST_LAYOUT;
  ASSERT_TRUE(host.applyServer("MasterHandler", "RecMaster"));
  host.clearScene();
  EXPECT_EQ(count("destroy"), 1);
  EXPECT_EQ(host.appliedServers("MasterHandler").size(), 1u);
  EXPECT_EQ(count("event 275"), 2);
  EXPECT_EQ(count("event 276"), 1);
  EXPECT_TRUE(host.scene.items().empty());
  host.sceneLoadStarting("x.lws");
  host.sceneLoadComplete("x.lws");
  EXPECT_EQ(count("event 277"), 1);
  EXPECT_EQ(count("event 278"), 1);
}

}  // namespace
