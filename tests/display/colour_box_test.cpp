// The edit panel's colour box: the value's colour, the erase checkerboard and the frame.
#include <gtest/gtest.h>

#include <cmath>
#include <span>

#include "display/colour_box.h"
#include "gradient/gradient.h"

namespace {

struct Gradient {
  GradientData g;
  Gradient() { setInitGradients(g, 1); }
  ~Gradient() { destroyGradientData(g); }
};

std::array<int, 3> at(const ColourBoxPixels& box, int x, int y) { return {box.rgb[y][x][0], box.rgb[y][x][1], box.rgb[y][x][2]}; }

}  // namespace

TEST(ColourBox, ShowsTheValuesColourInsideItsFrame) {
  Gradient grad;
  ColourBoxPixels box;
  makeColourBoxPixels(grad.g, 0, 50.0, box);
  float c[4];
  getInterpolatedColorAtGradPosition(grad.g, 0.5f, std::span<float, 4>(c));
  auto byte = [](double v) { return int(std::trunc(v * 255 + 0.5)); };
  EXPECT_EQ(at(box, 12, 7), (std::array<int, 3>{byte(c[0]), byte(c[1]), byte(c[2])}));
  EXPECT_EQ(at(box, 12, 1), (std::array<int, 3>{byte(c[0] * 0.8), byte(c[1] * 0.8), byte(c[2] * 0.8)}));  // top
  EXPECT_EQ(at(box, 1, 7), at(box, 12, 1));                                                              // left
  EXPECT_EQ(at(box, 22, 7), at(box, 12, 1));                                                             // right
  EXPECT_EQ(at(box, 12, 13)[0], byte(c[0] + (1 - c[0]) * 0.2));                                           // bottom
  for (auto [x, y] : {std::pair{0, 0}, {23, 0}, {0, 14}, {23, 14}, {12, 0}, {0, 7}, {23, 7}, {12, 14}})
    EXPECT_EQ(at(box, x, y), (std::array<int, 3>{38, 38, 40}));
}

TEST(ColourBox, EraseShowsTheCheckerboardWhateverTheValue) {
  Gradient grad;
  for (double percent : {0.0, 100.0, -250.0, 1e9}) {
    SCOPED_TRACE(percent);
    ColourBoxPixels box;
    makeColourBoxPixels(grad.g, 1, percent, box);
    EXPECT_EQ(at(box, 3, 3), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(at(box, 7, 3), (std::array<int, 3>{204, 204, 204}));
    EXPECT_EQ(at(box, 7, 7), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(at(box, 3, 12), (std::array<int, 3>{255, 255, 255}));   // column 0, row 2
    EXPECT_EQ(at(box, 12, 1), (std::array<int, 3>{204, 204, 204}));   // frame from white
    EXPECT_EQ(at(box, 12, 13), (std::array<int, 3>{255, 255, 255}));
  }
}

TEST(ColourBox, ValuesBeyondTheControlsRangeAndNotANumber) {
  EXPECT_FLOAT_EQ(colourBoxValueOf(50.0), 0.5f);
  EXPECT_FLOAT_EQ(colourBoxValueOf(100000.0), 1000.0f);
  EXPECT_FLOAT_EQ(colourBoxValueOf(100000.5), 1000.0f);
  EXPECT_FLOAT_EQ(colourBoxValueOf(-1e12), -1000.0f);
  EXPECT_FLOAT_EQ(colourBoxValueOf(std::nan("")), 0.0f);
}

TEST(ColourBox, DrawsEveryPixelThroughThePanel) {
  static int pixels = 0, lastX = -1, lastY = -1;
  pixels = 0;
  DrawFuncs draw{};
  draw.drawRGBPixel = [](LWPanelID, int, int, int, int x, int y) {
    ++pixels;
    lastX = x, lastY = y;
  };
  LWPanelFuncs panels{};
  panels.drawFuncs = &draw;
  Gradient grad;
  int dummy = 0;
  drawColorBoxForValue(&panels, reinterpret_cast<LWPanelID>(&dummy), grad.g, 0, 10.0, 22, 100);
  EXPECT_EQ(pixels, 24 * 15);
  EXPECT_EQ(lastX, 22 + 23);
  EXPECT_EQ(lastY, 100 + 14);
  drawColorBoxForValue(nullptr, reinterpret_cast<LWPanelID>(&dummy), grad.g, 0, 10.0, 22, 100);
  EXPECT_EQ(pixels, 24 * 15);
}
