#include "undo/undo_record.h"

namespace {
UndoRecorderFunc stRecorder = nullptr;
}

void setUndoRecorder(UndoRecorderFunc recorder) { stRecorder = recorder; }

int32_t rec1Process(InstData& inst, int32_t kind) { return stRecorder ? stRecorder(inst, kind) : 0; }
