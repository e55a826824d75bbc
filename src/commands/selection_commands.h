// The seven selection commands. They change only the snapshot's selected flags and
// selectedCount (nothing is written or recorded) and end with a redraw.
#pragma once
#include <cstdint>

#include "commands/edit_command_ids.h"

struct InstData;
struct MeshData;

// The snapshot-only steps, for the commands and for tests.
void selectConnectedPoints(MeshData& mesh);
void selectPointsByValue(MeshData& mesh, bool weighted);  // "Select Weighted" / "Unweighted"
void selectOpenPoints(MeshData& mesh);
void expandPointSelection(MeshData& mesh, int32_t times);
void invertPointSelection(MeshData& mesh);

// Runs one of the seven commands (command is its list index); "Expand Selection" shows
// its dialog in interactive mode.
void runSelectionCommand(InstData& inst, int32_t command, CommandMode mode);

inline constexpr int32_t kExpandTimesMax = 10000000;
