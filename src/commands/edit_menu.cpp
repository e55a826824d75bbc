#include "commands/edit_menu.h"

#include <cstdio>

#include "panel/string_tables.h"
#include "settings/host_config.h"
#include "settings/host_globals.h"
#include "shell/inst_data.h"

namespace {

// The button (1 ... 5) bound to the command, 0 when none is.
int32_t boundButton(const InstData& inst, int32_t command) {
  for (int32_t k = 0; k < 5; ++k)
    if (inst.customButtons[k] == command) return k + 1;
  return 0;
}

}  // namespace

void makeEditCommandList(InstData& inst, int32_t localeInfo, int32_t buildNumber) {
  const char* const* list = getChoiceTable(ChoiceList::EditCommand, localeInfo, buildNumber);
  EditMenuItems& menu = inst.editMenu;
  int32_t n = 0;
  for (int32_t command = 1; command < kNumEditCommandEntries && list[command]; ++command, ++n) {
    char* out = menu.text[n];
    if (const int32_t button = boundButton(inst, command))
      std::snprintf(out, kEditMenuItemSize, "%s ... [c%d]", list[command], int(button));
    else
      std::snprintf(out, kEditMenuItemSize, "%s", list[command]);
    menu.items[n] = out;
  }
  menu.items[n] = nullptr;
}

void makeEditCommandList(InstData& inst) {
  makeEditCommandList(inst, getLangIDForLW(stHost.global), stBuildNumber);
}
