// The memory-bounded undo history: a doubly linked list of records behind an empty
// sentinel (head), with the cost of what it holds in units of 100 bytes. The records
// after current are the redo tail.
//
// Ownership. UndoHistory::records owns every record in list order (head first), so
// records[i]->next == records[i + 1]; the prev/next links are views of that order. A
// record owns its entry arrays; the pointers inside a record (MapEntry names and links,
// BoneEntry names) point into the record's own arrays, which are sized once when the
// record is filled and never grow afterwards.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

extern "C" {
#include <lwrender.h>
}

// Record kinds.
enum UndoKind : int32_t {
  kUndoPointValues = 0,  // values of the current map (the change list)
  kUndoMultiMap = 1,     // per-point lists of several maps
  kUndoRename = 10,      // rename of the current map
  kUndoBonesOnly = 99,   // bone settings only
};

constexpr uint64_t kDefaultUndoCostBudget = 1280000;  // 128 million bytes

struct UndoStc {
  // One changed point of a kind-0 record.
  struct PointEntry {
    uint8_t selected = 0;
    uint8_t assignedBefore = 0;
    uint8_t assignedAfter = 0;
    uint8_t pad = 0;
    int32_t pointIndex = 0;  // snapshot index
    float valueBefore = 0.0f;
    float valueAfter = 0.0f;
  };
  // One map value of a kind-1 record: a copy of a WeightStc (a value <= -100000: none).
  struct MapEntry {
    const char* mapName = nullptr;  // into mapNameBuffer
    int32_t mapIndex = 0;
    float valueAfter = 0.0f;
    float valueBefore = 0.0f;
    MapEntry* next = nullptr;
  };
  // One listed point of a kind-1 record with its chain of MapEntry.
  struct ListHead {
    int32_t pointIndex = 0;
    MapEntry* head = nullptr;
  };
  // One bone's settings before and after; flag pairs are {before, after}.
  struct BoneEntry {
    LWItemID bone = LWITEM_NULL;
    const char* mapNameBefore = nullptr;  // into boneNameBuffer; null: no weight map
    const char* mapNameAfter = nullptr;
    double strengthBefore = 0.0, strengthAfter = 0.0;
    uint8_t weightMapOnly[2] = {0, 0};
    uint8_t normalization[2] = {0, 0};
    uint8_t multiplyByRestLength[2] = {0, 0};
    uint8_t active[2] = {0, 0};
    double restPosBefore[3] = {0, 0, 0}, restPosAfter[3] = {0, 0, 0};
    double restRotBefore[3] = {0, 0, 0}, restRotAfter[3] = {0, 0, 0};  // radians
  };

  int32_t kind = kUndoPointValues;
  LWItemID objectId = LWITEM_NULL;  // the object current when the record was made
  char mapName[512] = "";           // the current map then (kind 10: the old name)
  std::string renameTarget;         // kind 10: the new name
  std::vector<PointEntry> pointEntries;   // kind 0, ascending by pointIndex
  std::vector<uint8_t> selectionBytes;    // kind 1: one per point; empty when none was selected
  std::vector<ListHead> pointListHeads;   // kind 1, ascending by pointIndex
  std::vector<MapEntry> mapEntries;       // kind 1
  std::vector<const char*> mapNamePointers;  // kind 1: one per map of the map set
  std::vector<char> mapNameBuffer;
  int32_t mapNameCount = 0;
  std::vector<BoneEntry> boneEntries;  // any kind
  std::vector<char> boneNameBuffer;
  int32_t boneCount = 0;
  int32_t entryCount = 0;  // pointEntries (kind 0) or pointListHeads (kind 1)
  int32_t pointCount = 0;  // the object's points when the record was made
  LWItemID selectedBoneId = LWITEM_NULL;
  uint64_t cost = 0;  // units of 100 bytes
  UndoStc* prev = nullptr;
  UndoStc* next = nullptr;
};

struct UndoHistory {
  std::vector<std::unique_ptr<UndoStc>> records;  // owns every record, head first
  UndoStc* head = nullptr;                         // the sentinel; never replayed
  UndoStc* current = nullptr;                      // the record applied last
  uint64_t usedCost = 0;                           // sum of the records' costs
  uint64_t costBudget = kDefaultUndoCostBudget;
};

// Frees every record; head and current become none and usedCost 0. Safe twice.
void destroyUndoHistory(UndoHistory& history);
// Frees any records, then makes the empty sentinel the head and current record.
void createUndoHistory(UndoHistory& history);

// The record's cost in units of 100 bytes from its kind and counts (integer divisions):
// kind 0: 15n/100 + 8; kind 1: base + 16n/100 + 1 + 36m/100 + 1 + 40k/100 + 1 with
// base = pointCount/100 + 8 when it keeps selection bytes, else 7; kind 10: 9; other
// kinds 7; plus 208 b/100 + 1 when it carries b > 0 bone entries.
uint64_t undoRecordCost(const UndoStc& record);
// The budget for a history holding usedCost: with s = free + usedCost (units of 100
// bytes), s/2 when s > 2,560,001, else the floor of 1,280,000; the floor too when the
// free memory is unknown (freeKnown false).
uint64_t undoCostBudget(bool freeKnown, uint64_t freeMemory, uint64_t usedCost);

// Frees the redo tail (every record after current) and subtracts its cost.
void discardRedoTail(UndoHistory& history);
// Frees the oldest record (the one after head) and subtracts its cost; false when there
// is none. current falls back to head when it was that record.
bool dropOldestRecord(UndoHistory& history);
// Frees the oldest records until cost fits into the budget beside the rest (usedCost +
// cost <= costBudget). False when even an empty history has no room: every record has
// then been freed.
bool makeRoomForRecord(UndoHistory& history, uint64_t cost);
// Appends record after current (the redo tail must be empty), makes it current and adds
// its cost. Returns the record as stored.
UndoStc* appendUndoRecord(UndoHistory& history, std::unique_ptr<UndoStc> record);
// Number of records after head.
int32_t undoRecordCount(const UndoHistory& history);
// Whether a record can be undone (current is not head) or redone (current has a next).
bool canUndo(const UndoHistory& history);
bool canRedo(const UndoHistory& history);
