// "Combine Weight Maps": the chosen one-dimensional maps are summed into the first of
// them (in the host's order), their values removed from the others, and the bones that
// used any of them re-pointed to it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "panel/panel_control_kinds.h"

struct InstData;
struct MeshData;

// Inline icons of the panel services: the byte 0x03 and the icon's name.
inline constexpr const char* kIconCheckmark = "\x03(i:MIMG_CHECKMARK)";
inline constexpr const char* kIconBullet = "\x03(i:MIMG_BULLET1)";

// States of the list rows, one per WGHT map.
inline constexpr uint8_t kMapChosen = 0x01;
inline constexpr uint8_t kMapMarkedUnusable = 0x80;

// The dialog's data; the list's callbacks get it as the control's user data.
struct CombineDialogData {
  InstData* inst = nullptr;
  int32_t mapCount = 0;          // WGHT maps when the dialog opened
  std::vector<uint8_t> states;   // per map: kMapChosen, kMapMarkedUnusable
  int32_t lastRow = -1;
  const char* columnTitle = "";
};

int MMapCountFunc(void* data);
// Row -1 gives the column titles; column 0 the row's icon, column 1 the map name.
MultiListNameResult MMapNameFunc(void* data, int row, int column);
// 20 and 158 pixels, 0 after the second column.
int MMapWidthFunc(void* data, int column);
// A click on a row: a one-dimensional map toggles its chosen state (and becomes the
// current map when chosen), any other map only its unusable mark.
void MapMultiChoiceEvent_CombineWeightMaps(LWControlID ctl, void* data);

// Turns the chains of a combine scan into the write: the target (mapIndex 0, the head of
// each chain) gets the sum of every value the point has in the set, the others are
// removed; a point with nothing but its own target value keeps it, a point with no value
// at all loses its chain. Returns the number of points listed.
int32_t combineChains(MeshData& mesh);
// Runs the dialog and the combine.
void runCombineMapsCommand(InstData& inst);
