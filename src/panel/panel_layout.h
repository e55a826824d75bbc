// Where the edit panel's 41 controls sit: one row per line of the panel, and for each
// control the x at which its label ends (a button carries its title on its face, so
// there the x is its left edge).
#pragma once
#include <cstdint>

#include "panel/panel_controls.h"

inline constexpr int32_t kEditPanelWidth = 212;
inline constexpr int32_t kEditRowHeight = 22;
inline constexpr int32_t kEditTopMargin = 4;
inline constexpr int32_t kEditSeparatorGap = 6;  // room for a separator line above a row

// Rows that open with a separator line above them.
enum EditRow : int32_t {
  kRowVersion = 0,
  kRowName = 1,          // separator below "Edit"
  kRowToolsFirst = 2,    // tools 1-6 take rows 2..7, c1-c5 and tools 7-11 rows 2..6
  kRowBrushRadius = 8,
  kRowFalloff,
  kRowStrength,
  kRowValue,
  kRowErase,
  kRowZeroOutline,
  kRowEnableDeform,      // separator above
  kRowSubD,
  kRowVisibility,        // separator above
  kRowPointSize,
  kRowMultiply,
  kRowShowWeights,
  kRowAutoSave,          // separator above (the Undo row)
  kNumEditRows
};

struct ControlPlace {
  int32_t labelEndX = 0;
  int32_t row = 0;
};

// The place of control c (an EditControl).
ControlPlace editControlPlace(int32_t c);
// Top of a row in panel pixels.
int32_t editRowTop(int32_t row);
// Height of the control area: below the last row.
int32_t editPanelHeight();
// The three rows with a separator line drawn 2 pixels above them, besides the one below
// "Edit".
inline constexpr int32_t kSeparatorRowsAbove[3] = {kRowEnableDeform, kRowVisibility, kRowAutoSave};

// The three images: top-left corners, 4 pixels below their row's top.
inline constexpr int32_t kWarningIconX = 12, kWarningIconW = 18, kWarningIconH = 19;
inline constexpr int32_t kBoneIconX = 12, kBoneIconW = 20, kBoneIconH = 19;
inline constexpr int32_t kColourBoxX = 22;
inline constexpr int32_t kImageDrop = 4;
