// "Open Custom Command Buttons Panel": binding the buttons "c1" ... "c5" to commands.
#pragma once
#include <cstdint>

struct InstData;

// The dialog's working copy of the five bindings, changed by its pop-ups' event.
struct CustomButtonChoice {
  int32_t bindings[5] = {0, 0, 0, 0, 0};
  const char* const* commandList = nullptr;  // the list the pop-ups show
};

// Pop-up k chose entry: a separator (text beginning with "-") stands for the entry
// above it; a command bound elsewhere is unbound there. Returns the entry bound.
int32_t chooseCustomButtonCommand(CustomButtonChoice& choice, int32_t k, int32_t entry);
// Shows the dialog; OK stores the bindings and rebuilds the "Edit" menu's marks,
// Cancel changes nothing.
void runCustomButtonsDialog(InstData& inst);
