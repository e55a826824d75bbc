#include "commands/input_name_dialog.h"

#include "commands/option_dialog.h"
#include "mesh/weight_map_names.h"
#include "panel/control_values.h"
#include "panel/panel_control_kinds.h"
#include "panel/panel_controls.h"
#include "panel/string_tables.h"
#include "settings/c_strings.h"
#include "settings/host_config.h"
#include "settings/host_globals.h"
#include "shell/inst_data.h"

namespace {

constexpr int kNameFieldChars = 25;

}  // namespace

int32_t openOptionPanel_InputName(InstData& inst, const char* title) {
  OptionDialog dialog(title);
  if (!dialog.created()) return 0;
  const int32_t locale = getLangIDForLW(stHost.global);
  LWControl* field =
      addTextEdit(dialog.funcs(), dialog.panel(), getText(TextId::NewName, locale, stBuildNumber), kNameFieldChars);
  if (!field) return 0;
  setControlText(field, inst.newWeightMapName);
  if (!dialog.run()) return 0;
  char name[kMapNameSize];
  getControlText(field, name, kMapNameSize);
  copyCStringN(inst.newWeightMapName, name, kMapNameSize);
  return inst.newWeightMapName[0] ? 1 : 0;
}

void justChangeWeightMapName(InstData& inst, const char* name) {
  copyCStringN(inst.weightMapName, name ? name : "", kMapNameSize);
  inst.weightMapIndex = getIndexByVMapName(stHost.objectFuncs, inst.weightMapName);
  setCtlText(kCtlName, inst.weightMapName);
  setCtlInt(kCtlMapPop, inst.weightMapIndex);
}
