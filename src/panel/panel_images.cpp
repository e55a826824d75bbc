#include "panel/panel_images.h"

#include <array>

#include "display/colour_box.h"
#include "mesh/map_bones.h"
#include "panel/cancel_point_selection.h"
#include "panel/correct_edit_mode.h"
#include "panel/edit_panel.h"
#include "panel/panel_controls.h"
#include "panel/panel_events.h"
#include "panel/panel_layout.h"
#include "settings/host_globals.h"
#include "shell/callback_guard.h"
#include "shell/inst_data.h"

namespace {

constexpr int32_t kHalf = 19;  // each icon state is 19 rows high

// Our own artwork, one character per pixel: '.' transparent, 'o' outline, 'f' fill,
// 'm' mark. Off states draw it in greys, on states in colour.
constexpr const char* kWarningArt[kHalf] = {
    "........oo........", ".......offo.......", ".......offo.......", "......offffo......",
    "......offffo......", ".....offmmffo.....", ".....offmmffo.....", "....offfmmfffo....",
    "....offfmmfffo....", "...offffmmffffo...", "...offffmmffffo...", "..offfffmmfffffo..",
    "..offffffffffffo..", ".offffffmmffffffo.", ".offffffmmffffffo.", "offfffffffffffffo.",
    "oooooooooooooooooo", "..................", "..................",
};
constexpr const char* kBoneArt[kHalf] = {
    "....................", "..oo............oo..", ".offo..........offo.", ".offfo........offfo.",
    "..offfo......offfo..", "...offfo....offfo...", "....offfoooofffo....", ".....offffffffo.....",
    "......offmmffo......", ".......offmmo.......", "......offmmffo......", ".....offffffffo.....",
    "....offfoooofffo....", "...offfo....offfo...", "..offfo......offfo..", ".offfo........offfo.",
    ".offo..........offo.", "..oo............oo..", "....................",
};

struct Rgb {
  uint8_t r, g, b;
};
constexpr Rgb kWarningOff[3] = {{70, 70, 70}, {120, 120, 120}, {60, 60, 60}};
constexpr Rgb kWarningOn[3] = {{60, 40, 0}, {250, 200, 30}, {20, 20, 20}};
constexpr Rgb kBoneOff[3] = {{70, 70, 70}, {130, 130, 130}, {90, 90, 90}};
constexpr Rgb kBoneOn[3] = {{40, 40, 60}, {235, 230, 210}, {220, 120, 40}};

template <int32_t W>
std::array<uint8_t, size_t(W) * 2 * kHalf * 4> buildIcon(const char* const (&art)[kHalf], const Rgb (&off)[3],
                                                         const Rgb (&on)[3]) {
  std::array<uint8_t, size_t(W) * 2 * kHalf * 4> px{};
  for (int32_t state = 0; state < 2; ++state)
    for (int32_t y = 0; y < kHalf; ++y)
      for (int32_t x = 0; x < W; ++x) {
        const char c = art[y][x];
        uint8_t* p = &px[size_t(((state * kHalf + y) * W + x) * 4)];
        if (c == '.' || c == 0) continue;  // alpha stays 0
        const Rgb& col = (state ? on : off)[c == 'o' ? 0 : c == 'f' ? 1 : 2];
        p[0] = col.r, p[1] = col.g, p[2] = col.b, p[3] = 255;
      }
  return px;
}

const auto stWarningPixels = buildIcon<kWarningIconPixelsW>(kWarningArt, kWarningOff, kWarningOn);
const auto stBonePixels = buildIcon<kBoneIconPixelsW>(kBoneArt, kBoneOff, kBoneOn);

struct IconState {
  LWRasterID warning = nullptr;
  LWRasterID bone = nullptr;
  bool warningActive = false;
};
IconState stIcons;

LWRasterID makeRaster(const uint8_t* rgba, int32_t w, int32_t h) {
  LWRasterFuncs* rf = stHost.raster;
  if (!rf) return nullptr;
  LWRasterID r = rf->create(w, h, 0);
  if (!r) return nullptr;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const uint8_t* p = rgba + size_t((y * w + x) * 4);
      if (p[3] == 0) rf->drawPixel(r, LWP_BG, x, y);
      else rf->drawRGBPixel(r, p[0], p[1], p[2], x, y);
    }
  return r;
}

int32_t imageTop(int32_t row) { return editRowTop(row) + kImageDrop; }

bool inside(int32_t x, int32_t y, int32_t left, int32_t top, int32_t w, int32_t h) {
  return x >= left && x < left + w && y >= top && y < top + h;
}

void blitIcon(LWRasterID r, bool on, int32_t x, int32_t row, int32_t w) {
  if (r && stHost.raster) stHost.raster->blitPanel(r, 0, on ? kHalf : 0, editPanelId(), x, imageTop(row), w, kHalf);
}

}  // namespace

const uint8_t* warningIconPixels() { return stWarningPixels.data(); }
const uint8_t* boneIconPixels() { return stBonePixels.data(); }

void makeEditPanelIconRasters() {
  if (!stIcons.warning) stIcons.warning = makeRaster(warningIconPixels(), kWarningIconPixelsW, kWarningIconPixelsH);
  if (!stIcons.bone) stIcons.bone = makeRaster(boneIconPixels(), kBoneIconPixelsW, kBoneIconPixelsH);
}

void freeEditPanelIconRasters() {
  if (stHost.raster) {
    if (stIcons.warning) stHost.raster->destroy(stIcons.warning);
    if (stIcons.bone) stHost.raster->destroy(stIcons.bone);
  }
  stIcons.warning = stIcons.bone = nullptr;
}

bool warningIconActive() { return stIcons.warningActive; }
void setWarningIconActive(bool active) { stIcons.warningActive = active; }

void drawEditPanelImages(InstData& inst) {
  LWPanelID panel = editPanelId();
  if (!panel || !isEditPanelOpen()) return;
  blitIcon(stIcons.warning, stIcons.warningActive, kWarningIconX, kRowSubD, kWarningIconW);
  const bool boneOn = inst.boneFollowsMap != 0 && inst.mesh.noObject == 0;
  blitIcon(stIcons.bone, boneOn, kBoneIconX, kRowVisibility, kBoneIconW);
  drawColorBoxForValue(stHost.panel, panel, inst.gradient, inst.erase, double(inst.value) * 100.0, kColourBoxX,
                       imageTop(kRowValue));
}

void drawEditPanelSeparators(LWPanelFuncs* pf, LWPanelID panel) {
  if (!pf || !pf->drawFuncs || !panel) return;
  auto line = [&](int32_t y) { pf->drawFuncs->drawLine(panel, LWP_NORMAL, 0, y, kEditPanelWidth - 1, y); };
  line(editRowTop(kRowName) - kEditSeparatorGap / 2);
  for (int32_t row : kSeparatorRowsAbove) line(editRowTop(row) - 2);
}

void mouseButton_EditPanel(LWPanelID, void* data, int, int x, int y) {
  guardCallbackVoid([&] {
    auto* instPtr = static_cast<InstData*>(data);
    if (!instPtr || correctEditMode(*instPtr) != 0) return;
    InstData& inst = *instPtr;
    if (inst.mesh.noObject != 0) return;
    if (stIcons.warningActive && inside(x, y, kWarningIconX, imageTop(kRowSubD), kWarningIconW, kWarningIconH)) {
      stIcons.warningActive = false;
      setCtlInt(kCtlSubD, 0);
      applySubPatchLevel(inst, 0);
      return;
    }
    if (inside(x, y, kBoneIconX, imageTop(kRowVisibility), kBoneIconW, kBoneIconH)) {
      inst.boneFollowsMap = inst.boneFollowsMap ? 0 : 1;
      if (inst.boneFollowsMap) selectBonesByWeightName(inst, inst.weightMapName);
      else inst.pickedBones.clear();
      drawEditPanelImages(inst);
    } else {
      cancelSelectionStateOfAllPnts(inst);
      inst.pickedBones.clear();
    }
    inst.redrawRequest = 3;
    hostCommand("RedrawNow");
  });
}
