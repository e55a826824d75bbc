// The modal option dialog every command uses: a panel with the command's title and its
// controls in one column, opened with OK and Cancel, taking every key while open.
// The panel is destroyed with the dialog object, whatever path the command leaves by.
#pragma once
#include <cstdint>
extern "C" {
#include <lwpanel.h>
}

inline constexpr int32_t kOptionDialogWidth = 288;

class OptionDialog {
 public:
  // Creates the panel; created() is false when the host could not make it.
  OptionDialog(const char* title, int32_t width = kOptionDialogWidth);
  ~OptionDialog();
  OptionDialog(const OptionDialog&) = delete;
  OptionDialog& operator=(const OptionDialog&) = delete;

  bool created() const { return panel_ != nullptr; }
  LWPanelFuncs* funcs() const { return funcs_; }
  LWPanelID panel() const { return panel_; }
  // Sets the width and the height (the lowest control's bottom plus a margin), then
  // opens the panel modally. True when the user pressed OK.
  bool run();

 private:
  LWPanelFuncs* funcs_ = nullptr;
  LWPanelID panel_ = nullptr;
  int32_t width_ = kOptionDialogWidth;
};

// The dialogs' key callback: every key is the panel's (reported handled).
int panelKeyBlocking(LWPanelID panel, void* data, LWDualKey key);
