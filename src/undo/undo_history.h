// The memory-bounded undo history: a doubly linked list of records behind an empty
// sentinel, with the cost of what it holds in units of 100 bytes.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

struct UndoStc {
  UndoStc* prev = nullptr;
  UndoStc* next = nullptr;
  int64_t cost = 0;  // units of 100 bytes
};

struct UndoHistory {
  std::vector<std::unique_ptr<UndoStc>> records;  // owns every record
  UndoStc* head = nullptr;                         // the sentinel
  UndoStc* current = nullptr;                      // the newest record still applied
  int64_t usedCost = 0;
  int64_t costBudget = 1280000;
};

// Frees every record; head and current become none and usedCost 0. Safe twice.
void destroyUndoHistory(UndoHistory& history);
// Frees any records, then makes the empty sentinel the head and current record.
void createUndoHistory(UndoHistory& history);
