#include "undo/undo_history.h"

void destroyUndoHistory(UndoHistory& history) {
  history.records.clear();
  history.head = history.current = nullptr;
  history.usedCost = 0;
}

void createUndoHistory(UndoHistory& history) {
  destroyUndoHistory(history);
  history.records.push_back(std::make_unique<UndoStc>());
  history.head = history.current = history.records.back().get();
}
