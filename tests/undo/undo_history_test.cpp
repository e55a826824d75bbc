// The undo history without a host: what a record holds and costs, the budget rule, the
// dropping of the oldest records and of the redo tail, and the history's bookkeeping
// (links in list order, usedCost the sum of the costs) after every operation.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "shell/inst_data.h"
#include "undo/undo_controls.h"
#include "undo/undo_record.h"
#include "undo/undo_replay.h"

namespace {

// Free memory the platform reports, in units of 100 bytes; negative: it cannot say.
long long stFreeUnits = 0;
bool fakeFreeMemory(unsigned long long* bytes) {
  if (stFreeUnits < 0) return false;
  *bytes = static_cast<unsigned long long>(stFreeUnits) * 100ULL;
  return true;
}

// Links follow the owning vector's order and usedCost is the sum of the costs.
void expectConsistent(const UndoHistory& h) {
  ASSERT_FALSE(h.records.empty());
  EXPECT_EQ(h.head, h.records.front().get());
  uint64_t sum = 0;
  bool currentFound = false;
  for (size_t k = 0; k < h.records.size(); ++k) {
    const UndoStc* r = h.records[k].get();
    EXPECT_EQ(r->prev, k ? h.records[k - 1].get() : nullptr) << "record " << k;
    EXPECT_EQ(r->next, k + 1 < h.records.size() ? h.records[k + 1].get() : nullptr) << "record " << k;
    if (k) sum += r->cost;
    currentFound |= r == h.current;
  }
  EXPECT_TRUE(currentFound);
  EXPECT_EQ(h.usedCost, sum);
}

class UndoRecording : public ::testing::Test {
 protected:
  void SetUp() override {
    stFreeUnits = 0;
    platform::setFreeMemoryQuery(fakeFreeMemory);
    inst = std::make_unique<InstData>();
    createUndoHistory(inst->undo);
    makeMesh(10);
  }
  void TearDown() override {
    destroyUndoStcData(*inst);
    platform::setFreeMemoryQuery(nullptr);
    setUndoControlsRefresh(nullptr);
  }

  void makeMesh(int32_t points) {
    MeshData& m = inst->mesh;
    m.noObject = 0;
    m.currentObject = reinterpret_cast<LWItemID>(uintptr_t(0x10000001));
    m.numPoints = points;
    m.points.assign(size_t(points), PntUserData{});
    for (int32_t i = 0; i < points; ++i) m.points[size_t(i)].index = i;
    m.changeIndices.assign(size_t(points) + 16, 0);
    m.changeValues.assign(size_t(points) + 16, 0.0f);
    m.pointMapLists.assign(size_t(points) + 16, nullptr);
  }
  // A value change at point i: from (had, before) to (has, after).
  void change(int32_t slot, int32_t i, bool had, float before, bool has, float after) {
    PntUserData& p = inst->mesh.points[size_t(i)];
    p.hasValueBackup = p.hasValueAtStart = had;
    p.valueBackup = p.valueAtStart = before;
    p.hasValue = has;
    p.value = after;
    inst->mesh.changeIndices[size_t(slot)] = i;
    inst->mesh.changeValues[size_t(slot)] = has ? after : kUnassignedValue;
    inst->changeCount = slot + 1;
  }
  const UndoStc& newest() const { return *inst->undo.current; }

  std::unique_ptr<InstData> inst;
};

TEST_F(UndoRecording, APointValueRecordKeepsBothSidesOfEveryChangeInPointOrder) {
  inst->mesh.points[7].selected = 1;
  change(0, 7, false, 0.0f, true, 0.5f);  // newly assigned
  change(1, 2, true, 0.25f, false, 0.0f);  // erased
  change(2, 4, true, 0.1f, true, 0.9f);
  std::snprintf(inst->weightMapName, kMapNameSize, "Paint");
  ASSERT_EQ(rec1Process(*inst, kUndoPointValues), 1);
  const UndoStc& r = newest();
  EXPECT_EQ(r.kind, kUndoPointValues);
  EXPECT_STREQ(r.mapName, "Paint");
  EXPECT_EQ(r.pointCount, 10);
  EXPECT_EQ(r.objectId, inst->mesh.currentObject);
  ASSERT_EQ(r.entryCount, 3);
  // Ascending, as the write-back walks the object's points once.
  EXPECT_EQ(r.pointEntries[0].pointIndex, 2);
  EXPECT_EQ(r.pointEntries[0].assignedBefore, 1);
  EXPECT_FLOAT_EQ(r.pointEntries[0].valueBefore, 0.25f);
  EXPECT_EQ(r.pointEntries[0].assignedAfter, 0);
  EXPECT_EQ(r.pointEntries[1].pointIndex, 4);
  EXPECT_FLOAT_EQ(r.pointEntries[1].valueAfter, 0.9f);
  EXPECT_EQ(r.pointEntries[2].pointIndex, 7);
  EXPECT_EQ(r.pointEntries[2].selected, 1);
  EXPECT_EQ(r.pointEntries[2].assignedBefore, 0);
  EXPECT_EQ(r.pointEntries[2].assignedAfter, 1);
  expectConsistent(inst->undo);
}

TEST_F(UndoRecording, TheBeforeSideIsTheStateAtTheStartNotTheLastPassOfABlur) {
  // "Blur" moves valueAtStart along after every pass; the backup stays at the start.
  change(0, 3, true, 0.2f, true, 0.6f);
  inst->mesh.points[3].valueAtStart = 0.55f;
  ASSERT_EQ(rec1Process(*inst, kUndoPointValues), 1);
  EXPECT_FLOAT_EQ(newest().pointEntries[0].valueBefore, 0.2f);
}

TEST_F(UndoRecording, ChangeEntriesOutsideTheSnapshotAreLeftOut) {
  change(0, 1, false, 0, true, 1.0f);
  inst->mesh.changeIndices[1] = -1;
  inst->mesh.changeIndices[2] = 10;  // one past the last point
  inst->changeCount = 3;
  ASSERT_EQ(rec1Process(*inst, kUndoPointValues), 1);
  ASSERT_EQ(newest().entryCount, 1);
  EXPECT_EQ(newest().pointEntries[0].pointIndex, 1);
  // A count larger than the arrays is read only as far as they go.
  inst->changeCount = 1000;
  ASSERT_EQ(rec1Process(*inst, kUndoPointValues), 1);
  EXPECT_EQ(newest().entryCount, 24) << "26 readable entries, two of them outside";
  for (const UndoStc::PointEntry& e : newest().pointEntries) {
    EXPECT_GE(e.pointIndex, 0);
    EXPECT_LT(e.pointIndex, 10);
  }
}

TEST_F(UndoRecording, NothingIsRecordedWithoutAnObject) {
  inst->mesh.noObject = 1;
  EXPECT_EQ(rec1Process(*inst, kUndoPointValues), 0);
  EXPECT_EQ(undoRecordCount(inst->undo), 0);
}

TEST_F(UndoRecording, CostsFollowTheTableOfEachKind) {
  struct Case {
    const char* name;
    int32_t kind;
    int32_t entries;
    uint64_t cost;
  };
  makeMesh(200);
  for (const Case& c : {Case{"empty stroke", 0, 0, 8}, Case{"7 points", 0, 7, 9}, Case{"100 points", 0, 100, 23},
                        Case{"rename", 10, 0, 9}, Case{"bones only, none", 99, 0, 7}}) {
    SCOPED_TRACE(c.name);
    for (int32_t k = 0; k < c.entries; ++k) change(k, k, false, 0, true, 0.5f);
    inst->changeCount = c.entries;
    ASSERT_EQ(rec1Process(*inst, c.kind), 1);
    EXPECT_EQ(newest().cost, c.cost);
  }
  // Bones add 208 b / 100 + 1: three bones on a kind-0 record of 100 points.
  std::vector<BoneSettingsChange> bones(3);
  inst->changeCount = 100;
  ASSERT_EQ(rec1Process(*inst, kUndoPointValues, bones), 1);
  EXPECT_EQ(newest().boneCount, 3);
  EXPECT_EQ(newest().cost, 23u + 6u + 1u);
  expectConsistent(inst->undo);
}

TEST_F(UndoRecording, AMultiMapRecordCopiesTheListsAndTheNamesItUses) {
  makeMesh(250);
  std::vector<WeightStc> stc(3);
  {
    // The command's names and records go away after the write-back; the record must
    // not point at them.
    std::string upper = "Upper", lower = "Lower", upperAgain = "Upper";
    stc[0] = {upper.c_str(), 0, 0.7f, 0.5f, 0.0, &stc[1]};
    stc[1] = {lower.c_str(), 1, 0.3f, kUnassignedValue, 0.0, nullptr};
    stc[2] = {upperAgain.c_str(), 0, 1.0f, 0.9f, 0.0, nullptr};
    inst->mesh.changeIndices[0] = 40, inst->mesh.pointMapLists[0] = &stc[0];
    inst->mesh.changeIndices[1] = 5, inst->mesh.pointMapLists[1] = &stc[2];
    inst->changeCount = 2;
    ASSERT_EQ(rec1Process(*inst, kUndoMultiMap), 1);
    upper.assign("xxxxx"), lower.assign("yyyyy"), upperAgain.assign("zzzzz");
  }
  stc.assign(3, WeightStc{});
  const UndoStc& r = newest();
  ASSERT_EQ(r.entryCount, 2);
  EXPECT_EQ(r.mapNameCount, 2);
  EXPECT_TRUE(r.selectionBytes.empty());
  ASSERT_EQ(r.pointListHeads[0].pointIndex, 5);
  const UndoStc::MapEntry* e = r.pointListHeads[0].head;
  ASSERT_NE(e, nullptr);
  EXPECT_STREQ(e->mapName, "Upper");
  EXPECT_FLOAT_EQ(e->valueBefore, 0.9f);
  EXPECT_EQ(e->next, nullptr);
  ASSERT_EQ(r.pointListHeads[1].pointIndex, 40);
  e = r.pointListHeads[1].head;
  ASSERT_TRUE(e && e->next);
  EXPECT_STREQ(e->mapName, "Upper");
  EXPECT_STREQ(e->next->mapName, "Lower");
  EXPECT_EQ(e->next->mapIndex, 1);
  EXPECT_TRUE(isNoValue(e->next->valueBefore));
  EXPECT_EQ(e->mapName, r.pointListHeads[0].head->mapName) << "one copy per map";
  // No selection: 7 + 16·2/100 + 1 + 36·3/100 + 1 + 40·2/100 + 1.
  EXPECT_EQ(r.cost, 7u + 0 + 1 + 1 + 1 + 0 + 1);

  // With a selected point every point's selection is kept, and the base is
  // pointCount/100 + 8.
  inst->mesh.points[9].selected = 1;
  stc[0] = {"Upper", 0, 0.7f, 0.5f, 0.0, nullptr};
  inst->mesh.changeIndices[0] = 40, inst->mesh.pointMapLists[0] = &stc[0];
  inst->changeCount = 1;
  ASSERT_EQ(rec1Process(*inst, kUndoMultiMap), 1);
  ASSERT_EQ(newest().selectionBytes.size(), 250u);
  EXPECT_EQ(newest().selectionBytes[9], 1);
  EXPECT_EQ(newest().cost, 10u + 0 + 1 + 0 + 1 + 0 + 1);
}

TEST_F(UndoRecording, BoneEntriesKeepTheirOwnCopiesOfTheMapNames) {
  std::vector<BoneSettingsChange> bones(2);
  {
    std::string before = "Arm", after = "Leg";
    bones[0].bone = reinterpret_cast<LWItemID>(uintptr_t(0x40000001));
    bones[0].before.weightMap = before.c_str();
    bones[0].after.weightMap = after.c_str();
    bones[0].before.strength = 1.0, bones[0].after.strength = 0.5;
    bones[0].after.restRot[1] = 0.25;
    bones[1].before.weightMap = nullptr;
    bones[1].after.weightMap = before.c_str();
    ASSERT_EQ(rec1Process(*inst, kUndoBonesOnly, bones), 1);
  }
  const UndoStc& r = newest();
  ASSERT_EQ(r.boneCount, 2);
  EXPECT_STREQ(r.boneEntries[0].mapNameBefore, "Arm");
  EXPECT_STREQ(r.boneEntries[0].mapNameAfter, "Leg");
  EXPECT_DOUBLE_EQ(r.boneEntries[0].strengthAfter, 0.5);
  EXPECT_DOUBLE_EQ(r.boneEntries[0].restRotAfter[1], 0.25);
  EXPECT_EQ(r.boneEntries[1].mapNameBefore, nullptr);
  EXPECT_STREQ(r.boneEntries[1].mapNameAfter, "Arm");
  EXPECT_EQ(r.cost, 7u + 208u * 2 / 100 + 1);
}

TEST_F(UndoRecording, ARenameRecordsBothNames) {
  std::snprintf(inst->weightMapName, kMapNameSize, "Old");
  std::snprintf(inst->newWeightMapName, kMapNameSize, "New");
  ASSERT_EQ(rec1Process(*inst, kUndoRename), 1);
  EXPECT_STREQ(newest().mapName, "Old");
  EXPECT_EQ(newest().renameTarget, "New");
}

TEST(UndoBudget, HalfOfFreeAndUsedAboveTheThresholdElseTheFloor) {
  EXPECT_EQ(undoCostBudget(false, 100000000, 0), 1280000u);
  EXPECT_EQ(undoCostBudget(true, 0, 0), 1280000u);
  EXPECT_EQ(undoCostBudget(true, 2560001, 0), 1280000u);  // exactly at the threshold
  EXPECT_EQ(undoCostBudget(true, 2560002, 0), 1280001u);
  EXPECT_EQ(undoCostBudget(true, 2000000, 560002), 1280001u);  // the history's own memory counts
  EXPECT_EQ(undoCostBudget(true, 100000000, 0), 50000000u);
}

TEST_F(UndoRecording, EachRecordingRecomputesTheBudgetFromTheFreeMemory) {
  stFreeUnits = 10000000;
  ASSERT_EQ(rec1Process(*inst, kUndoPointValues), 1);
  EXPECT_EQ(inst->undo.costBudget, 10000000u / 2);
  // The memory the history holds already counts as free for it.
  ASSERT_EQ(rec1Process(*inst, kUndoPointValues), 1);
  EXPECT_EQ(inst->undo.costBudget, (10000000u + 8u) / 2);
  stFreeUnits = -1;  // the system cannot say
  ASSERT_EQ(rec1Process(*inst, kUndoPointValues), 1);
  EXPECT_EQ(inst->undo.costBudget, 1280000u);
}

// Records of a given cost, appended as the recorder does.
UndoStc* appendWithCost(UndoHistory& h, uint64_t cost) {
  auto r = std::make_unique<UndoStc>();
  r->cost = cost;
  if (!makeRoomForRecord(h, cost)) return nullptr;
  return appendUndoRecord(h, std::move(r));
}

TEST(UndoHistoryBudget, TheOldestRecordsGoFirstWhenTheBudgetIsExceeded) {
  UndoHistory h;
  createUndoHistory(h);
  h.costBudget = 1000;
  UndoStc* a = appendWithCost(h, 400);
  UndoStc* b = appendWithCost(h, 300);
  UndoStc* c = appendWithCost(h, 300);
  ASSERT_TRUE(a && b && c);
  EXPECT_EQ(h.usedCost, 1000u);  // exactly at the budget still fits
  UndoStc* d = appendWithCost(h, 350);
  ASSERT_NE(d, nullptr);
  // a alone made room (300 + 300 + 350 <= 1000).
  ASSERT_EQ(undoRecordCount(h), 3);
  EXPECT_EQ(h.head->next, b);
  EXPECT_EQ(h.current, d);
  expectConsistent(h);
  UndoStc* e = appendWithCost(h, 999);
  ASSERT_NE(e, nullptr);
  ASSERT_EQ(undoRecordCount(h), 1);
  EXPECT_EQ(h.head->next, e);
  expectConsistent(h);
}

TEST(UndoHistoryBudget, ARecordLargerThanTheBudgetIsNotMadeAndLeavesAnEmptyHistory) {
  UndoHistory h;
  createUndoHistory(h);
  h.costBudget = 1000;
  appendWithCost(h, 500);
  appendWithCost(h, 400);
  EXPECT_EQ(appendWithCost(h, 1001), nullptr);
  EXPECT_EQ(undoRecordCount(h), 0);
  EXPECT_EQ(h.current, h.head);
  EXPECT_EQ(h.usedCost, 0u);
  EXPECT_FALSE(canUndo(h));
  EXPECT_FALSE(canRedo(h));
  expectConsistent(h);
}

TEST(UndoHistoryBudget, DroppingTheRecordThatIsCurrentLeavesNothingToUndo) {
  UndoHistory h;
  createUndoHistory(h);
  h.costBudget = 1000;
  UndoStc* a = appendWithCost(h, 600);
  appendWithCost(h, 300);
  h.current = a;  // b is the redo tail
  ASSERT_TRUE(dropOldestRecord(h));
  EXPECT_EQ(h.current, h.head);
  EXPECT_TRUE(canRedo(h));
  expectConsistent(h);
}

TEST_F(UndoRecording, ANewRecordCutsTheRedoTail) {
  for (int k = 0; k < 4; ++k) {
    change(0, k, false, 0, true, 0.1f * float(k + 1));
    ASSERT_EQ(rec1Process(*inst, kUndoPointValues), 1);
  }
  UndoHistory& h = inst->undo;
  UndoStc* second = h.head->next->next;
  h.current = second;  // two steps undone
  ASSERT_TRUE(canRedo(h));
  change(0, 9, false, 0, true, 1.0f);
  ASSERT_EQ(rec1Process(*inst, kUndoPointValues), 1);
  EXPECT_EQ(undoRecordCount(h), 3);
  EXPECT_EQ(h.current->prev, second);
  EXPECT_EQ(h.current->pointEntries[0].pointIndex, 9);
  EXPECT_FALSE(canRedo(h));
  expectConsistent(h);
}

TEST_F(UndoRecording, ThePanelControlsFollowEveryChangeOfTheHistory) {
  static std::vector<std::pair<bool, bool>> shown;
  shown.clear();
  setUndoControlsRefresh([](InstData&, bool undo, bool redo) { shown.push_back({undo, redo}); });
  ASSERT_EQ(rec1Process(*inst, kUndoPointValues), 1);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown.back(), std::make_pair(true, false));
  // A record that cannot be made still refreshes the controls (the history emptied).
  inst->undo.current = inst->undo.head;
  refreshUndoRedoCtl(*inst);
  EXPECT_EQ(shown.back(), std::make_pair(false, true));
}

TEST_F(UndoRecording, DestroyingIsSafeTwiceAndARecordingAfterwardsStartsAFreshHistory) {
  ASSERT_EQ(rec1Process(*inst, kUndoPointValues), 1);
  inst->undo.costBudget = 42;
  destroyUndoStcData(*inst);
  EXPECT_EQ(inst->undo.head, nullptr);
  EXPECT_EQ(inst->undo.current, nullptr);
  EXPECT_EQ(inst->undo.usedCost, 0u);
  EXPECT_EQ(inst->undo.costBudget, 1280000u);
  destroyUndoStcData(*inst);
  EXPECT_EQ(inst->undo.head, nullptr);
  EXPECT_FALSE(canUndo(inst->undo));
  EXPECT_FALSE(canRedo(inst->undo));
  EXPECT_EQ(pushUndoButtonEvent(*inst), 0);
  EXPECT_EQ(pushRedoButtonEvent(*inst), 0);
  ASSERT_EQ(rec1Process(*inst, kUndoPointValues), 1);
  EXPECT_EQ(undoRecordCount(inst->undo), 1);
  expectConsistent(inst->undo);
}

}  // namespace
