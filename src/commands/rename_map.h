// "Rename Current Weight Map": the current map gets a new name through the write-back.
#pragma once
#include <cstdint>

struct InstData;

// Asks for the new name; an unchanged name, or the name of another weight map, ends
// without change. Runs the rename write-back; only when it reports the map renamed, the
// bones using the old name are set to the new one, the rename is recorded (undo kind 10
// with those bones) and the new name becomes current.
void runRenameMapCommand(InstData& inst);
// The current map's 1-based position among the object's weight maps, looked up by
// name (also stored in weightMapIndex); 0 when the object has no map of that name.
int32_t currentMapPosition(InstData& inst);
