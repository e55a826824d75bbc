// The edit panel's 41 controls: their indices in creation order, their creation and the
// small value and state helpers every event uses.
#pragma once
#include <cstdint>

extern "C" {
#include <lwpanel.h>
}

struct InstData;

inline constexpr int32_t kNumTools = 11;
inline constexpr int32_t kNumCustomButtons = 5;
inline constexpr int32_t kNumValueButtons = 5;

// Control indices, in the order the controls are created.
enum EditControl : int32_t {
  kCtlToolFirst = 0,                                   // 11 tool buttons
  kCtlCustomFirst = kCtlToolFirst + kNumTools,         // "c1" ... "c5"
  kCtlVersion = kCtlCustomFirst + kNumCustomButtons,   // 16
  kCtlEdit,
  kCtlName,
  kCtlMapPop,
  kCtlBrushRadius,
  kCtlFalloff,
  kCtlStrength,
  kCtlValue,
  kCtlErase,
  kCtlValueButtonFirst,                                // "0" ... "100"
  kCtlZeroOutline = kCtlValueButtonFirst + kNumValueButtons,
  kCtlEnableDeform,
  kCtlSubD,
  kCtlVisibility,
  kCtlPointSize,
  kCtlMultiply,
  kCtlNoDepth,
  kCtlShowWeights,
  kCtlAutoSave,
  kCtlUndo,
  kCtlRedo,
  kNumEditControls                                     // 41
};

inline constexpr int32_t kBrushSizeMin = 4;
inline constexpr int32_t kBrushSizeRangeMax = 1000000;
inline constexpr int32_t kStrengthRangeMax = 150;
inline constexpr int32_t kSubDLevelMax = 1024;
inline constexpr int32_t kPointSizeMax = 200;
inline constexpr double kValuePercentLimit = 100000.0;

// The controls of the panel (null until created).
extern LWControl* stCtl[kNumEditControls];

// Creates the 41 controls on panel in their order, places them and binds their events
// with inst as user data. Labels follow the host's language at this moment.
void createEditPanelControls(LWPanelFuncs* pf, LWPanelID panel, InstData& inst);
// Forgets the controls (the panel is gone).
void forgetEditPanelControls();

int32_t getCtlInt(int32_t c);
void setCtlInt(int32_t c, int32_t v);
double getCtlFloat(int32_t c);
void setCtlFloat(int32_t c, double v);
// Copies the text into out (size bytes, NUL-terminated).
void getCtlText(int32_t c, char* out, int32_t size);
void setCtlText(int32_t c, const char* text);
// Ghosts (enabled false) or renders (enabled true) the control.
void enableCtl(int32_t c, bool enabled);
void redrawCtl(int32_t c);
