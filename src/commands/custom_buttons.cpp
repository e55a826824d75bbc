#include "commands/custom_buttons.h"

#include <algorithm>

#include "commands/edit_menu.h"
#include "commands/option_dialog.h"
#include "panel/control_values.h"
#include "panel/panel_control_kinds.h"
#include "panel/panel_controls.h"
#include "panel/string_tables.h"
#include "settings/host_config.h"
#include "settings/host_globals.h"
#include "shell/callback_guard.h"
#include "shell/inst_data.h"

namespace {

constexpr int32_t kPopupWidth = 230;

struct CustomButtonsDialog {
  CustomButtonChoice choice;
  LWControl* popups[5] = {};
};

bool isSeparator(const char* text) { return text && text[0] == '-'; }

void changePopEvent_CustomComBtn(LWControlID ctl, void* data) {
  guardCallbackVoid([&] {
    auto* d = static_cast<CustomButtonsDialog*>(data);
    if (!d) return;
    for (int32_t k = 0; k < 5; ++k) {
      if (static_cast<LWControlID>(d->popups[k]) != ctl) continue;
      chooseCustomButtonCommand(d->choice, k, getControlInt(d->popups[k]));
      for (int32_t j = 0; j < 5; ++j) setControlInt(d->popups[j], d->choice.bindings[j]);
      return;
    }
  });
}

}  // namespace

int32_t chooseCustomButtonCommand(CustomButtonChoice& choice, int32_t k, int32_t entry) {
  if (k < 0 || k >= 5) return 0;
  entry = std::clamp(entry, 0, kNumEditCommandEntries - 1);
  while (entry > 0 && choice.commandList && isSeparator(choice.commandList[entry])) --entry;
  choice.bindings[k] = entry;
  if (entry != 0)
    for (int32_t j = 0; j < 5; ++j)
      if (j != k && choice.bindings[j] == entry) choice.bindings[j] = 0;
  return entry;
}

void runCustomButtonsDialog(InstData& inst) {
  const int32_t locale = getLangIDForLW(stHost.global);
  OptionDialog dialog(getText(TextId::CustomCommandButtons, locale, stBuildNumber));
  if (!dialog.created()) return;
  CustomButtonsDialog d;
  d.choice.commandList = getChoiceTable(ChoiceList::EditCommand, locale, stBuildNumber);
  std::copy(inst.customButtons, inst.customButtons + 5, d.choice.bindings);
  static const char* const kLabels[5] = {"c1:", "c2:", "c3:", "c4:", "c5:"};
  for (int32_t k = 0; k < 5; ++k) {
    d.popups[k] = addPopup(dialog.funcs(), dialog.panel(), kLabels[k], const_cast<const char**>(d.choice.commandList),
                           kPopupWidth);
    setControlInt(d.popups[k], d.choice.bindings[k]);
    setControlEvent(d.popups[k], changePopEvent_CustomComBtn, &d);
  }
  if (!dialog.run()) return;
  std::copy(d.choice.bindings, d.choice.bindings + 5, inst.customButtons);
  makeEditCommandList(inst, locale, stBuildNumber);
  redrawCtl(kCtlEdit);
}
