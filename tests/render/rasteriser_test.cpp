// The software rasteriser against brute-force oracles: coverage, shared edges, depth,
// culling, blending, texturing, line patterns and clipping.
#include <gtest/gtest.h>

#include <random>

#include "render/rasteriser.h"

extern "C" {
#include <lwcustobj.h>
}

namespace {

using sim::Image;
using sim::RasterState;
using sim::RasterVertex;

RasterVertex at(double x, double y, double z = 0.5) { return {x, y, z, 1, 0, 0}; }

RasterState flat(std::array<float, 4> colour, bool depthTest = false, bool depthWrite = false) {
  RasterState s;
  s.colour = colour;
  s.depthTest = depthTest;
  s.depthWrite = depthWrite;
  return s;
}

bool lit(const Image& image, int x, int y) { return image.at(x, y)[0] != 0; }

// 1 when (px, py) is strictly inside the triangle (either winding), 0 when strictly
// outside, -1 when exactly on an edge line.
int inside(const RasterVertex& a, const RasterVertex& b, const RasterVertex& c, double px, double py) {
  auto side = [](const RasterVertex& p, const RasterVertex& q, double x, double y) {
    return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x);
  };
  const double e0 = side(a, b, px, py), e1 = side(b, c, px, py), e2 = side(c, a, px, py);
  if (e0 == 0 || e1 == 0 || e2 == 0) return -1;
  return (e0 > 0 && e1 > 0 && e2 > 0) || (e0 < 0 && e1 < 0 && e2 < 0);
}

TEST(Rasteriser, TrianglesCoverExactlyThePixelCentresInsideThem) {
  std::mt19937 rng(7);
  // Corners on the rasteriser's 1/256-pixel grid, so the oracle sees the same triangle;
  // some lie off the image.
  std::uniform_int_distribution<int> step(-6 * 256, 38 * 256);
  auto coord = [&](std::mt19937& g) { return step(g) / 256.0; };
  for (int round = 0; round < 300; ++round) {
    Image image(32, 32);
    sim::Rasteriser r(image);
    const RasterVertex a = at(coord(rng), coord(rng)), b = at(coord(rng), coord(rng)), c = at(coord(rng), coord(rng));
    r.triangle(a, b, c, flat({1, 1, 1, 1}));
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const int expected = inside(a, b, c, x + 0.5, y + 0.5);
        if (expected < 0) continue;  // on an edge: the shared-edge test covers these
        ASSERT_EQ(lit(image, x, y), expected == 1)
            << "round " << round << " pixel " << x << "," << y;
      }
  }
}

TEST(Rasteriser, TrianglesSharingEdgesLeaveNoGapsAndNoOverlaps) {
  // A 4x4 grid of cells with corners on pixel centres, split along alternating diagonals,
  // so many centres lie exactly on shared edges. Half-transparent white over black marks a
  // pixel drawn once as 128 and twice as 191.
  for (bool reversed : {false, true}) {
    SCOPED_TRACE(reversed ? "counter-clockwise" : "clockwise");
    Image image(24, 24);
    sim::Rasteriser r(image);
    const RasterState s = flat({1, 1, 1, 0.5f});
    auto corner = [](int i, int j) { return at(2.5 + 4 * i, 2.5 + 4 * j); };
    for (int i = 0; i < 4; ++i)
      for (int j = 0; j < 4; ++j) {
        RasterVertex q[4] = {corner(i, j), corner(i + 1, j), corner(i + 1, j + 1), corner(i, j + 1)};
        const int d = (i + j) % 2;  // diagonal from corner d to corner d + 2
        const RasterVertex t1[3] = {q[d], q[d + 1], q[(d + 2) % 4]}, t2[3] = {q[d], q[(d + 2) % 4], q[(d + 3) % 4]};
        for (const RasterVertex* t : {t1, t2}) {
          if (reversed) r.triangle(t[0], t[2], t[1], s);
          else r.triangle(t[0], t[1], t[2], s);
        }
      }
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x) {
        const uint8_t v = image.at(x, y)[0];
        ASSERT_NE(v, 191) << "drawn twice at " << x << "," << y;
        if (x >= 3 && x <= 17 && y >= 3 && y <= 17) {
          ASSERT_EQ(v, 128) << "gap at " << x << "," << y;
        }
        if (x < 2 || x > 18 || y < 2 || y > 18) {
          ASSERT_EQ(v, 0) << "spill at " << x << "," << y;
        }
      }
  }
}

TEST(Rasteriser, DepthTestHidesTheFartherAndDepthWriteOffLetsALaterOneShow) {
  const std::array<float, 4> red = {1, 0, 0, 1}, blue = {0, 0, 1, 1};
  // Two overlapping squares (as triangle pairs): near at depth 0.2, far at 0.6.
  auto square = [](sim::Rasteriser& r, double z, const RasterState& s) {
    r.triangle(at(2, 2, z), at(14, 2, z), at(14, 14, z), s);
    r.triangle(at(2, 2, z), at(14, 14, z), at(2, 14, z), s);
  };
  for (bool nearFirst : {true, false}) {
    SCOPED_TRACE(nearFirst ? "near first" : "far first");
    Image image(16, 16);
    sim::Rasteriser r(image);
    if (nearFirst) square(r, 0.2, flat(red, true, true));
    square(r, 0.6, flat(blue, true, true));
    if (!nearFirst) square(r, 0.2, flat(red, true, true));
    EXPECT_EQ(image.at(8, 8), (sim::Rgba8{255, 0, 0, 255}));
    EXPECT_NEAR(r.depth(8, 8), 0.2, 1e-6);
  }
  Image image(16, 16);
  sim::Rasteriser r(image);
  square(r, 0.2, flat(red, true, false));  // drawn but leaves the depth buffer alone
  square(r, 0.6, flat(blue, true, true));
  EXPECT_EQ(image.at(8, 8), (sim::Rgba8{0, 0, 255, 255}));
  // Beyond the far plane nothing is drawn.
  square(r, 1.5, flat(red, false, false));
  EXPECT_EQ(image.at(8, 8), (sim::Rgba8{0, 0, 255, 255}));
}

TEST(Rasteriser, CullingDropsTrianglesThatRunCounterClockwiseOnScreen) {
  RasterState s = flat({1, 1, 1, 1});
  s.cullBack = true;
  Image image(16, 16);
  sim::Rasteriser r(image);
  r.triangle(at(1, 1), at(7, 1), at(1, 7), s);     // clockwise on screen: drawn
  r.triangle(at(9, 9), at(9, 15), at(15, 9), s);   // counter-clockwise: dropped
  EXPECT_TRUE(lit(image, 2, 2));
  EXPECT_FALSE(lit(image, 10, 10));
  s.cullBack = false;
  r.triangle(at(9, 9), at(9, 15), at(15, 9), s);
  EXPECT_TRUE(lit(image, 10, 10));
}

TEST(Rasteriser, AlphaBlendsOverWhatIsThere) {
  Image image(4, 4, {0, 0, 255, 255});
  sim::Rasteriser r(image);
  r.triangle(at(0, 0), at(4, 0), at(0, 4), flat({1, 0, 0, 0.25f}));
  EXPECT_EQ(image.at(0, 0), (sim::Rgba8{64, 0, 191, 255}));
  EXPECT_EQ(image.at(3, 3), (sim::Rgba8{0, 0, 255, 255}));
}

TEST(Rasteriser, TexturedQuadSamplesTheNearestTexel) {
  // 2x2 texture: row 0 (v < 0.5) red, green; row 1 blue, white.
  const uint8_t texture[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
  RasterState s = flat({1, 1, 1, 1});
  s.texture = texture;
  s.textureSize = 2;
  Image image(16, 16);
  sim::Rasteriser r(image);
  RasterVertex q[4] = {{0, 0, 0.5, 1, 0, 0}, {16, 0, 0.5, 1, 1, 0}, {16, 16, 0.5, 1, 1, 1}, {0, 16, 0.5, 1, 0, 1}};
  r.triangle(q[0], q[1], q[2], s);
  r.triangle(q[0], q[2], q[3], s);
  EXPECT_EQ(image.at(3, 3), (sim::Rgba8{255, 0, 0, 255}));
  EXPECT_EQ(image.at(12, 3), (sim::Rgba8{0, 255, 0, 255}));
  EXPECT_EQ(image.at(3, 12), (sim::Rgba8{0, 0, 255, 255}));
  EXPECT_EQ(image.at(12, 12), (sim::Rgba8{255, 255, 255, 255}));
  // The boundary falls between pixels 7 and 8 on both axes.
  EXPECT_EQ(image.at(7, 7), (sim::Rgba8{255, 0, 0, 255}));
  EXPECT_EQ(image.at(8, 8), (sim::Rgba8{255, 255, 255, 255}));
}

TEST(Rasteriser, LinesFollowTheirPatternAndSurviveFarEndpoints) {
  auto row = [](const Image& image, int y) {
    std::string s;
    for (int x = 0; x < image.width; ++x) s += lit(image, x, y) ? '#' : '.';
    return s;
  };
  Image image(40, 8);
  sim::Rasteriser r(image);
  RasterState s = flat({1, 1, 1, 1});
  r.line(at(0.5, 1.5), at(39.5, 1.5), s);
  s.pattern = LWLPAT_DASH;
  r.line(at(0.5, 3.5), at(39.5, 3.5), s);
  s.pattern = LWLPAT_SOLID;
  // From a million pixels to the left: the visible part is drawn where the full line lies.
  r.line(at(-1e6, 5.5), at(10.5, 5.5), s);
  EXPECT_EQ(row(image, 1), std::string(40, '#'));
  EXPECT_EQ(row(image, 3), "########........########........########");
  EXPECT_EQ(row(image, 5), std::string(11, '#') + std::string(29, '.'));
  EXPECT_EQ(row(image, 0), std::string(40, '.'));
}

TEST(Rasteriser, PointsAreSquaresAndTextIsJustifiedAboutItsAnchor) {
  Image image(40, 20);
  sim::Rasteriser r(image);
  RasterState s = flat({1, 1, 1, 1});
  r.point(at(5.5, 5.5), s);
  int count = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) count += lit(image, x, y);
  EXPECT_EQ(count, 9);
  EXPECT_TRUE(lit(image, 4, 4) && lit(image, 6, 6));

  // "HH" right-justified at x = 30: the last lit column is 29, the baseline row 15.
  Image text(40, 20);
  sim::Rasteriser t(text);
  t.text(at(30, 15.5), "HH", LWJUST_RIGHT, s);
  int right = -1, bottom = -1, top = 99;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x)
      if (lit(text, x, y)) {
        right = std::max(right, x);
        bottom = std::max(bottom, y);
        top = std::min(top, y);
      }
  EXPECT_EQ(right, 29);
  EXPECT_EQ(bottom, 15);
  EXPECT_EQ(bottom - top + 1, 7);
}

}  // namespace
