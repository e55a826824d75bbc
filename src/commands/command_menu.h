// The "Edit" menu and the five custom buttons: one event works out the command and runs
// it, from the menu with its dialogs, from a button in direct mode.
#pragma once
#include <cstdint>
extern "C" {
#include <lwpanel.h>
}

#include "commands/edit_command_ids.h"

struct InstData;

// The event of the "Edit" menu and of "c1" ... "c5" (data: the InstData). Runs the
// panel's guard first; other controls are ignored.
void commandPopEvent(LWControlID ctl, void* data);
// Runs the command at list index command; separators, " (none) " and indices outside
// the list do nothing.
void runEditCommand(InstData& inst, int32_t command, CommandMode mode);
