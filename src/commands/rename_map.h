// "Rename Current Weight Map": the current map gets a new name through the write-back.
#pragma once
#include <cstdint>

struct InstData;

// Asks for the new name; an unchanged name, or the name of another weight map, ends
// without change. Records the rename (undo kind 10) and runs the rename write-back;
// the new name becomes current only when the write-back reports it done.
void runRenameMapCommand(InstData& inst);
// The current map's 1-based position among the object's weight maps, looked up by
// name (also stored in weightMapIndex); 0 when the object has no map of that name.
int32_t currentMapPosition(InstData& inst);
