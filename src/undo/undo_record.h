// The undo recorder's entry point. Strokes and commands call it before they write to the
// object; the recording itself is installed by the undo history (setUndoRecorder), so
// everything that records works the same before and after the history exists.
#pragma once
#include <cstdint>

struct InstData;

// Records one undo step of kind (0 values of the change list) for the prepared change.
using UndoRecorderFunc = int32_t (*)(InstData& inst, int32_t kind);

// Installs the recorder (nullptr: record nothing).
void setUndoRecorder(UndoRecorderFunc recorder);

// Records one undo step through the installed recorder; returns its result (0 when none).
int32_t rec1Process(InstData& inst, int32_t kind);
