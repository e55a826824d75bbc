// The "Edit" menu's item strings: the command list's entries 1 ... 27 with the custom
// buttons' marks. The menu control keeps a pointer to `items`, so the strings are
// rewritten in place and live as long as the instance.
#pragma once

inline constexpr int kEditMenuItemSize = 96;
inline constexpr int kEditMenuItemRoom = 32;

struct EditMenuItems {
  char text[kEditMenuItemRoom][kEditMenuItemSize] = {};
  const char* items[kEditMenuItemRoom + 1] = {};  // null-terminated
};
