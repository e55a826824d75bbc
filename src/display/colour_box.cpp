#include "display/colour_box.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "gradient/gradient.h"

namespace {

constexpr double kLargestPercent = 100000.0;
constexpr float kBeyondRange = 1000.0f;
constexpr int kSquare = 5;
constexpr uint8_t kOuterFrame[3] = {38, 38, 40};

uint8_t toByte(double c) { return uint8_t(std::clamp(std::trunc(c * 255.0 + 0.5), 0.0, 255.0)); }

void set(ColourBoxPixels& box, int x, int y, const uint8_t rgb[3]) { std::copy(rgb, rgb + 3, box.rgb[y][x]); }

}  // namespace

float colourBoxValueOf(double percent) {
  if (std::isnan(percent)) return 0.0f;
  if (percent < -kLargestPercent) return -kBeyondRange;
  if (percent > kLargestPercent) return kBeyondRange;
  return float(percent * 0.01);
}

void makeColourBoxPixels(const GradientData& gradient, int32_t erase, double percent, ColourBoxPixels& box) {
  float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  if (erase) {
    for (int y = 0; y < kColourBoxHeight; ++y)
      for (int x = 0; x < kColourBoxWidth; ++x) {
        const uint8_t grey = ((x / kSquare + y / kSquare) % 2) ? 204 : 255;
        const uint8_t rgb[3] = {grey, grey, grey};
        set(box, x, y, rgb);
      }
  } else {
    getInterpolatedColorAtGradPosition(gradient, colourBoxValueOf(percent), std::span<float, 4>(colour));
    const uint8_t rgb[3] = {toByte(colour[0]), toByte(colour[1]), toByte(colour[2])};
    for (int y = 0; y < kColourBoxHeight; ++y)
      for (int x = 0; x < kColourBoxWidth; ++x) set(box, x, y, rgb);
  }
  uint8_t dark[3], light[3];
  for (int c = 0; c < 3; ++c) {
    dark[c] = toByte(colour[c] * 0.8);
    light[c] = toByte(colour[c] + (1.0 - colour[c]) * 0.2);
  }
  const int right = kColourBoxWidth - 1, bottom = kColourBoxHeight - 1;
  for (int x = 1; x < right; ++x) set(box, x, 1, dark), set(box, x, bottom - 1, light);
  for (int y = 1; y < bottom - 1; ++y) set(box, 1, y, dark), set(box, right - 1, y, dark);
  for (int x = 0; x <= right; ++x) set(box, x, 0, kOuterFrame), set(box, x, bottom, kOuterFrame);
  for (int y = 0; y <= bottom; ++y) set(box, 0, y, kOuterFrame), set(box, right, y, kOuterFrame);
}

void drawColorBoxForValue(const LWPanelFuncs* panels, LWPanelID panel, const GradientData& gradient, int32_t erase,
                          double percent, int32_t x, int32_t y) {
  if (!panels || !panels->drawFuncs || !panels->drawFuncs->drawRGBPixel || !panel) return;
  ColourBoxPixels box;
  makeColourBoxPixels(gradient, erase, percent, box);
  for (int j = 0; j < kColourBoxHeight; ++j)
    for (int i = 0; i < kColourBoxWidth; ++i) {
      const uint8_t* p = box.rgb[j][i];
      panels->drawFuncs->drawRGBPixel(panel, p[0], p[1], p[2], x + i, y + j);
    }
}
