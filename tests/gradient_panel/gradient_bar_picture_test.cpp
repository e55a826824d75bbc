// The bar raster against a reference painted here, element by element, from the bar's
// layout: background, frames, colour columns, key track and the key markers.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "gradient/gradient.h"
#include "gradient_panel/gradient_bar_raster.h"
#include "gradient_panel_fixture.h"
#include "render/panel_picture.h"

namespace {

using Rgb = std::array<int, 3>;

struct RefKey {
  float position;
  Rgb colour;  // bytes
  float channel[3];
};

struct Reference {
  static constexpr int W = 328, H = 38;
  std::vector<Rgb> px = std::vector<Rgb>(size_t(W * H), Rgb{0, 0, 0});
  void box(int x, int y, int w, int h, Rgb c) {
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i)
        if (i >= 0 && j >= 0 && i < W && j < H) px[size_t(j * W + i)] = c;
  }
  void dot(int x, int y, Rgb c) { box(x, y, 1, 1, c); }
};

int byteOf(float c) { return int(std::trunc((double(c) + 0.5 / 255.0) * 255.0)); }

// The gradient's colour at v, by the lookup's own definition (keys sorted).
Rgb colourAt(const std::vector<RefKey>& keys, float v) {
  size_t lo = keys.size();
  for (size_t i = 0; i < keys.size() && keys[i].position <= v; ++i) lo = i;
  if (lo == keys.size()) return keys.front().colour;
  if (lo + 1 == keys.size()) return keys.back().colour;
  const RefKey& a = keys[lo];
  const RefKey& b = keys[lo + 1];
  // The lookup interpolates in double and keeps float32 colours.
  const double t = (double(v) - a.position) / (double(b.position) - a.position);
  Rgb out;
  for (int c = 0; c < 3; ++c) out[size_t(c)] = byteOf(float(a.channel[c] + t * (b.channel[c] - a.channel[c])));
  return out;
}

void marker(Reference& r, int x, Rgb colour, Rgb outline) {
  const Rgb edge = {8, 8, 10};
  r.box(x - 4, 29, 9, 9, edge);
  r.box(x - 3, 30, 7, 7, colour);
  for (int y = 25; y <= 28; ++y) r.dot(x, y, outline);
  for (int y = 26; y <= 28; ++y) r.dot(x - 1, y, outline), r.dot(x + 1, y, outline);
  for (int y = 27; y <= 28; ++y) r.dot(x - 2, y, outline), r.dot(x + 2, y, outline);
  r.dot(x - 3, 28, outline), r.dot(x + 3, 28, outline);
  r.dot(x, 24, edge);
  r.dot(x - 1, 25, edge), r.dot(x + 1, 25, edge);
  r.dot(x - 2, 26, edge), r.dot(x + 2, 26, edge);
  r.dot(x - 3, 27, edge), r.dot(x + 3, 27, edge);
  for (int y = 28; y <= 29; ++y) r.dot(x - 4, y, edge), r.dot(x + 4, y, edge);
}

Reference paintReference(const std::vector<RefKey>& keys, size_t current, float lo, float hi, bool oldLook) {
  Reference r;
  r.box(0, 0, 328, 38, oldLook ? Rgb{143, 143, 143} : Rgb{62, 62, 64});
  r.box(3, 0, 322, 1, {38, 38, 40});
  r.box(3, 0, 1, 22, {38, 38, 40});
  r.box(3, 22, 323, 1, {86, 86, 88});
  r.box(325, 0, 1, 23, {86, 86, 88});
  for (int x = 4; x <= 324; ++x) r.box(x, 1, 1, 21, colourAt(keys, lo + float(x - 4) * (hi - lo) / 320.0f));
  r.box(1, 30, 326, 5, oldLook ? Rgb{79, 79, 79} : Rgb{38, 38, 40});
  r.box(1, 29, 326, 1, {8, 8, 10});
  r.box(0, 30, 1, 5, {8, 8, 10});
  r.box(1, 35, 326, 1, {86, 86, 88});
  r.box(327, 30, 1, 5, {86, 86, 88});
  auto column = [&](float p) { return int(std::trunc((p - lo) / (hi - lo) * 319.0f)) + 4; };
  for (const RefKey& k : keys) marker(r, column(k.position), k.colour, {98, 99, 102});
  const Rgb highlight = oldLook ? Rgb{255, 255, 255} : Rgb{119, 179, 219};
  const int cx = column(keys[current].position);
  marker(r, cx, keys[current].colour, highlight);
  r.dot(cx, 23, highlight);
  return r;
}

RefKey refKey(float p, float r, float g, float b) {
  return {p, {byteOf(r), byteOf(g), byteOf(b)}, {r, g, b}};
}

// Compares every pixel; reports the first few that differ.
void expectSamePixels(const sim::Image& shown, const Reference& ref) {
  ASSERT_EQ(shown.width, Reference::W);
  ASSERT_EQ(shown.height, Reference::H);
  int wrong = 0;
  for (int y = 0; y < Reference::H; ++y)
    for (int x = 0; x < Reference::W; ++x) {
      const sim::Rgba8 got = shown.at(x, y);
      const Rgb want = ref.px[size_t(y * Reference::W + x)];
      if (got[0] == want[0] && got[1] == want[1] && got[2] == want[2]) continue;
      if (++wrong <= 5)
        ADD_FAILURE() << "pixel (" << x << ", " << y << "): " << int(got[0]) << " " << int(got[1]) << " "
                      << int(got[2]) << " instead of " << want[0] << " " << want[1] << " " << want[2];
    }
  EXPECT_EQ(wrong, 0);
}

}  // namespace

TEST_F(GradientPanelTest, TheShownBarOfTheDefaultGradientMatchesItsLayoutPixelForPixel) {
  const std::vector<RefKey> keys = {refKey(-1.0f, 0.0f, 0.25f, 1.0f), refKey(-0.5f, 0.2f, 0.8f, 1.0f),
                                    refKey(0.0f, 0.8f, 0.8f, 0.8f), refKey(0.5f, 1.0f, 0.8f, 0.25f),
                                    refKey(1.0f, 1.0f, 0.15f, 0.0f)};
  ASSERT_EQ(positions(), (std::vector<float>{-1.0f, -0.5f, 0.0f, 0.5f, 1.0f}));
  expectSamePixels(shownBar(), paintReference(keys, 2, -1.0f, 1.0f, false));
}

TEST_F(GradientPanelTest, TheBarFollowsAnEditedRangeAndCurrentKey) {
  fireFloat(kGradCtlMin, -60.0);  // the key at -1 moves to -0.6
  press(panelXOfKey(0.5f), 85);   // "Drag" makes the key at 0.5 current
  release(panelXOfKey(0.5f), 85);
  const std::vector<RefKey> keys = {refKey(-0.6f, 0.0f, 0.25f, 1.0f), refKey(-0.5f, 0.2f, 0.8f, 1.0f),
                                    refKey(0.0f, 0.8f, 0.8f, 0.8f), refKey(0.5f, 1.0f, 0.8f, 0.25f),
                                    refKey(1.0f, 1.0f, 0.15f, 0.0f)};
  expectSamePixels(shownBar(), paintReference(keys, 3, -0.6f, 1.0f, false));
}

TEST_F(GradientPanelTest, HostsBelowBuild2000GetTheLighterBar) {
  GradientData g;
  setInitGradients(g, 0);
  sim::Host::PluginCall call(*host);
  auto* rf = static_cast<LWRasterFuncs*>(host->global(LWRASTERFUNCS_GLOBAL, GFUSE_TRANSIENT));
  ASSERT_NE(rf, nullptr);
  LWRasterID r = rf->create(kBarRasterW, kBarRasterH, 0);
  drawColorBarRaster(*rf, r, g, 1999);
  const std::vector<RefKey> keys = {refKey(-1.0f, 0.0f, 0.25f, 1.0f), refKey(-0.5f, 0.2f, 0.8f, 1.0f),
                                    refKey(0.0f, 0.8f, 0.8f, 0.8f), refKey(0.5f, 1.0f, 0.8f, 0.25f),
                                    refKey(1.0f, 1.0f, 0.15f, 0.0f)};
  expectSamePixels(sim::rasterPixels(*static_cast<sim::PanelRaster*>(r)), paintReference(keys, 2, -1.0f, 1.0f, true));
  rf->destroy(r);
}
