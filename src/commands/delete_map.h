// "Delete Current Weight Map": the bones using the map are set to no map, the map's
// values are removed (one undo step that gives values and bones back) and the map
// itself is deleted through the write-back.
#pragma once

#include "commands/edit_command_ids.h"

struct InstData;

// From the menu a yes/no question comes first ("no" ends); a custom button skips it.
// The current name is cleared only when the write-back reports the map deleted.
void runDeleteMapCommand(InstData& inst, CommandMode mode);
