#include "gradient/gradient.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr float kColourTolerance = 1e-6f;

// Links both ways, count, sort order and the current key all agree.
void expectValidGradient(const GradientData& g) {
  int32_t n = 0;
  const GradientSeg* prev = nullptr;
  bool currentFound = g.current == nullptr;
  for (const GradientSeg* key = g.first; key; key = key->next) {
    EXPECT_EQ(key->prev, prev);
    if (prev) {
      EXPECT_LE(prev->position, key->position);
    }
    if (key == g.current) currentFound = true;
    prev = key;
    ++n;
  }
  EXPECT_EQ(g.last, prev);
  EXPECT_EQ(g.count, n);
  EXPECT_TRUE(currentFound);
}

GradientSeg* addKey(GradientData& g, float position, float r, float gr, float b, float a = 1) {
  GradientSeg* key = add1NewGradientSeg(g, position);
  key->colour[0] = r;
  key->colour[1] = gr;
  key->colour[2] = b;
  key->colour[3] = a;
  return key;
}

std::vector<float> positionsOf(const GradientData& g) {
  std::vector<float> out;
  for (const GradientSeg* key = g.first; key; key = key->next) out.push_back(key->position);
  return out;
}

void expectColour(const float (&c)[4], float r, float g, float b, float a) {
  EXPECT_NEAR(c[0], r, kColourTolerance);
  EXPECT_NEAR(c[1], g, kColourTolerance);
  EXPECT_NEAR(c[2], b, kColourTolerance);
  EXPECT_NEAR(c[3], a, kColourTolerance);
}

}  // namespace

TEST(GradientLookup, InterpolatesBetweenAndHoldsOutsideTheKeys) {
  GradientData g;
  addKey(g, -1.0f, 0.0f, 0.0f, 0.0f);
  addKey(g, 1.0f, 1.0f, 0.5f, 0.25f);
  float c[4];
  EXPECT_FLOAT_EQ(getInterpolatedColorAtGradPosition(g, 0.0f, c), 0.5f);
  expectColour(c, 0.5f, 0.25f, 0.125f, 1.0f);

  addKey(g, 0.0f, 0.2f, 0.4f, 0.6f);  // now three keys: -1, 0, 1
  {
    SCOPED_TRACE("exactly at the middle key");
    EXPECT_FLOAT_EQ(getInterpolatedColorAtGradPosition(g, 0.0f, c), 1.0f);
    expectColour(c, 0.2f, 0.4f, 0.6f, 1.0f);
  }
  {
    SCOPED_TRACE("exactly at the last key and above it");
    EXPECT_FLOAT_EQ(getInterpolatedColorAtGradPosition(g, 1.0f, c), 2.0f);
    expectColour(c, 1.0f, 0.5f, 0.25f, 1.0f);
    EXPECT_FLOAT_EQ(getInterpolatedColorAtGradPosition(g, 7.0f, c), 2.0f);
    expectColour(c, 1.0f, 0.5f, 0.25f, 1.0f);
  }
  {
    SCOPED_TRACE("below the first key");
    EXPECT_FLOAT_EQ(getInterpolatedColorAtGradPosition(g, -3.0f, c), 0.0f);
    expectColour(c, 0.0f, 0.0f, 0.0f, 1.0f);
  }
  {
    SCOPED_TRACE("a quarter into the second span");
    EXPECT_FLOAT_EQ(getInterpolatedColorAtGradPosition(g, 0.25f, c), 1.25f);
    expectColour(c, 0.4f, 0.425f, 0.5125f, 1.0f);
  }
}

TEST(GradientLookup, EmptyGradientIsOpaqueBlack) {
  GradientData g;
  float c[4] = {0.5f, 0.5f, 0.5f, 0.5f};
  EXPECT_EQ(getInterpolatedColorAtGradPosition(g, 0.3f, c), 0.0f);
  expectColour(c, 0.0f, 0.0f, 0.0f, 1.0f);
}

TEST(GradientLookup, HugeKeyDistanceStaysFinite) {
  GradientData g;
  addKey(g, -3e38f, 0.0f, 0.0f, 0.0f);
  addKey(g, 3e38f, 1.0f, 1.0f, 1.0f);
  float c[4];
  const float k = getInterpolatedColorAtGradPosition(g, 2.9e38f, c);
  EXPECT_TRUE(std::isfinite(k));
  EXPECT_TRUE(std::isfinite(c[0]));
  EXPECT_GT(c[0], 0.9f);
}

TEST(GradientPresets, ExactValues) {
  GradientData g;
  GradientSeg* last = setInitGradients(g, 0);
  expectValidGradient(g);
  ASSERT_EQ(g.count, 5);
  EXPECT_EQ(last, g.last);
  EXPECT_EQ(positionsOf(g), (std::vector<float>{-1.0f, -0.5f, 0.0f, 0.5f, 1.0f}));
  ASSERT_NE(g.current, nullptr);
  EXPECT_EQ(g.current->position, 0.0f);
  EXPECT_EQ(g.first->next->colour[0], 0.2f);
  EXPECT_EQ(g.first->next->colour[1], 0.8f);
  EXPECT_EQ(g.last->colour[1], 0.15f);
  EXPECT_EQ(g.unweightedColour[0], 0.15f);
  EXPECT_EQ(g.unweightedColour[3], 1.0f);
  EXPECT_EQ(g.rangeMin, -1.0f);
  EXPECT_EQ(g.rangeMax, 1.0f);

  setInitGradients(g, 1);  // "Spectrum", replacing the keys
  expectValidGradient(g);
  ASSERT_EQ(g.count, 6);
  EXPECT_EQ(positionsOf(g), (std::vector<float>{-1.0f, 0.0f, 0.25f, 0.5f, 0.75f, 1.0f}));
  EXPECT_EQ(g.first->next->next->colour[1], 0.55686274509803924f);  // 142 / 255
  EXPECT_EQ(g.unweightedColour[2], 0.25098039215686274f);           // 64 / 255
  EXPECT_EQ(g.current, g.first->next);

  for (int preset : {2, 3, -1}) {
    SCOPED_TRACE(preset);
    setInitGradients(g, preset);  // "Sunny Garden" for 2 and any other number
    ASSERT_EQ(g.count, 6);
    EXPECT_EQ(g.last->colour[0], 0.96078431372549022f);  // 245 / 255
    EXPECT_EQ(g.first->colour[0], 0.54901960784313730f);  // 140 / 255
    EXPECT_EQ(g.unweightedColour[2], 0.21960784313725490f);  // 56 / 255
    for (const GradientSeg* key = g.first; key; key = key->next) EXPECT_EQ(key->colour[3], 1.0f);
  }
}

TEST(GradientKeys, EqualPositionsKeepInsertionOrder) {
  GradientData g;
  addKey(g, 1.0f, 0, 0, 0);
  GradientSeg* a = addKey(g, 0.5f, 0.1f, 0, 0);
  GradientSeg* b = addKey(g, 0.5f, 0.2f, 0, 0);
  addKey(g, 0.0f, 0, 0, 0);
  GradientSeg* c = addKey(g, 0.5f, 0.3f, 0, 0);
  expectValidGradient(g);
  EXPECT_EQ(a->next, b);
  EXPECT_EQ(b->next, c);
  EXPECT_EQ(c->next, g.last);
  EXPECT_EQ(g.first->next, a);
}

TEST(GradientKeys, AddingAKeyDoesNotChangeTheLook) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> pos(-1.5f, 1.5f), chan(0.0f, 1.0f);
  for (int round = 0; round < 50; ++round) {
    SCOPED_TRACE(round);
    GradientData g;
    for (int i = 0; i < 4; ++i) addKey(g, pos(rng), chan(rng), chan(rng), chan(rng));
    std::vector<std::array<float, 4>> before;
    for (int s = -20; s <= 20; ++s) {
      float c[4];
      getInterpolatedColorAtGradPosition(g, s * 0.08f, c);
      before.push_back({c[0], c[1], c[2], c[3]});
    }
    // Half the rounds insert exactly at an existing key.
    add1NewGradientSeg(g, round % 2 ? g.first->next->position : pos(rng));
    expectValidGradient(g);
    for (int s = -20; s <= 20; ++s) {
      float c[4];
      getInterpolatedColorAtGradPosition(g, s * 0.08f, c);
      for (int ch = 0; ch < 4; ++ch) EXPECT_NEAR(c[ch], before[s + 20][ch], 1e-5f);
    }
  }
}

TEST(GradientKeys, RemoveMovesCurrentSensibly) {
  GradientData g;
  GradientSeg* a = addKey(g, 0.0f, 0, 0, 0);
  GradientSeg* b = addKey(g, 0.5f, 0, 0, 0);
  GradientSeg* c = addKey(g, 1.0f, 0, 0, 0);
  remove1GradientSeg(g, nullptr);
  EXPECT_EQ(g.count, 3);

  g.current = b;
  remove1GradientSeg(g, b);
  expectValidGradient(g);
  EXPECT_EQ(g.current, a);  // its previous key

  g.current = a;
  remove1GradientSeg(g, a);
  expectValidGradient(g);
  EXPECT_EQ(g.current, c);  // was first: its next key
  EXPECT_EQ(g.first, c);

  remove1GradientSeg(g, c);
  expectValidGradient(g);
  EXPECT_EQ(g.current, nullptr);
  EXPECT_EQ(g.first, nullptr);
  EXPECT_EQ(g.last, nullptr);
}

TEST(GradientKeys, ClampKeepsFirstAndNewest) {
  GradientData g;
  for (int i = 0; i < 600; ++i) addKey(g, static_cast<float>(i), 0, 0, 0);
  g.current = g.last;
  EXPECT_EQ(clampGradientSegs(g, 0), 0);
  EXPECT_EQ(clampGradientSegs(g, 600), 0);
  EXPECT_EQ(g.count, 600);
  EXPECT_EQ(clampGradientSegs(g, kMaxGradientKeys), 1);
  expectValidGradient(g);
  ASSERT_EQ(g.count, 512);
  EXPECT_EQ(g.current, g.first);
  const std::vector<float> p = positionsOf(g);
  EXPECT_EQ(p[0], 0.0f);
  EXPECT_EQ(p[1], 89.0f);  // the last 511 of 0..599
  EXPECT_EQ(p.back(), 599.0f);

  EXPECT_EQ(clampGradientSegs(g, 1), 1);
  expectValidGradient(g);
  EXPECT_EQ(positionsOf(g), std::vector<float>{0.0f});
}

TEST(GradientKeys, ClickedKeyNeedsStrictlyLessThanTolerance) {
  GradientData g;
  EXPECT_EQ(getClickedGradientSeg(g, 0.0f, 1.0f), nullptr);
  GradientSeg* a = addKey(g, 0.0f, 0, 0, 0);
  GradientSeg* b = addKey(g, 0.5f, 0, 0, 0);
  EXPECT_EQ(getClickedGradientSeg(g, 0.75f, 0.25f), nullptr);  // exactly at the tolerance
  EXPECT_EQ(getClickedGradientSeg(g, 0.7f, 0.25f), b);
  EXPECT_EQ(getClickedGradientSeg(g, 0.25f, 1.0f), a);  // tie: the first
  EXPECT_EQ(getClickedGradientSeg(g, 0.3f, 1.0f), b);   // nearest, not first
}

TEST(GradientFloatArray, RoundTripResetsAlphaAndCurrent) {
  GradientData g;
  addKey(g, 0.75f, 0.1f, 0.2f, 0.3f, 0.5f);
  addKey(g, -0.25f, 0.4f, 0.5f, 0.6f, 0.0f);
  addKey(g, 0.75f, 0.7f, 0.8f, 0.9f, 0.25f);
  g.current = g.last;
  g.unweightedColour[0] = 0.11f;
  g.unweightedColour[1] = 0.22f;
  g.unweightedColour[2] = 0.33f;
  g.unweightedColour[3] = 0.5f;

  const std::vector<float> a = getFloatArrayWithGradients(g);
  ASSERT_EQ(a.size(), 16u);
  EXPECT_EQ(a[12], 0.0f);

  GradientData h;
  setInitGradients(h, 1);
  ASSERT_TRUE(setInitGradientsWithFloatArray(h, a));
  expectValidGradient(h);
  ASSERT_EQ(h.count, 3);
  EXPECT_EQ(h.current, h.first);
  const GradientSeg* x = g.first;
  for (const GradientSeg* y = h.first; y; y = y->next, x = x->next) {
    EXPECT_EQ(y->position, x->position);
    for (int c = 0; c < 3; ++c) EXPECT_EQ(y->colour[c], x->colour[c]);
    EXPECT_EQ(y->colour[3], 1.0f);
  }
  EXPECT_EQ(h.unweightedColour[0], 0.11f);
  EXPECT_EQ(h.unweightedColour[2], 0.33f);
  EXPECT_EQ(h.unweightedColour[3], 1.0f);
  EXPECT_EQ(h.rangeMin, -0.25f);
  EXPECT_EQ(h.rangeMax, 0.75f);

  GradientData empty;
  EXPECT_TRUE(getFloatArrayWithGradients(empty).empty());
}

TEST(GradientFloatArray, LoadingRulesAndRefusals) {
  GradientData g;
  setInitGradients(g, 0);
  {
    SCOPED_TRACE("fewer than 8 values keep the keys");
    const std::vector<float> seven = {0.5f, 1, 1, 1, 0, 0, 0};
    EXPECT_FALSE(setInitGradientsWithFloatArray(g, seven));
    EXPECT_EQ(g.count, 5);
  }
  {
    SCOPED_TRACE("a non-finite value refuses the array");
    const std::vector<float> bad = {NAN, 1, 1, 1, 0, 0.2f, 0.2f, 0.2f};
    EXPECT_FALSE(setInitGradientsWithFloatArray(g, bad));
    EXPECT_EQ(g.count, 5);
  }
  {
    SCOPED_TRACE("unsorted keys are sorted; a trailing partial group is ignored");
    const std::vector<float> a = {0.5f, 1, 0, 0, -2.0f, 0, 1, 0, 0, 0.1f, 0.2f, 0.3f, 9.0f, 9.0f};
    ASSERT_TRUE(setInitGradientsWithFloatArray(g, a));
    expectValidGradient(g);
    EXPECT_EQ(positionsOf(g), (std::vector<float>{-2.0f, 0.5f}));
    EXPECT_EQ(g.unweightedColour[0], 0.1f);
    EXPECT_EQ(g.unweightedColour[2], 0.3f);
    EXPECT_EQ(g.rangeMin, -2.0f);
    EXPECT_EQ(g.rangeMax, 0.5f);
  }
  {
    SCOPED_TRACE("the range always includes 0");
    const std::vector<float> a = {2.0f, 1, 1, 1, 3.0f, 1, 1, 1, 0, 0, 0, 0};
    ASSERT_TRUE(setInitGradientsWithFloatArray(g, a));
    EXPECT_EQ(g.rangeMin, 0.0f);
    EXPECT_EQ(g.rangeMax, 3.0f);
  }
  {
    SCOPED_TRACE("a range narrower than 0.01 becomes 0..1");
    const std::vector<float> a = {0.004f, 1, 1, 1, -0.005f, 1, 1, 1, 0, 0, 0, 0};
    ASSERT_TRUE(setInitGradientsWithFloatArray(g, a));
    EXPECT_EQ(g.rangeMin, 0.0f);
    EXPECT_EQ(g.rangeMax, 1.0f);
  }
}

TEST(GradientOwnership, MoveLeavesSourceEmpty) {
  GradientData a;
  setInitGradients(a, 0);
  GradientSeg* first = a.first;
  GradientData b(std::move(a));
  EXPECT_EQ(b.first, first);
  EXPECT_EQ(b.count, 5);
  EXPECT_EQ(a.first, nullptr);
  EXPECT_EQ(a.count, 0);

  GradientData c;
  setInitGradients(c, 1);
  c = std::move(b);  // c's own keys are freed (the leak checker watches)
  EXPECT_EQ(c.first, first);
  expectValidGradient(c);
  destroyGradientData(c);
  destroyGradientData(c);  // safe twice
  EXPECT_EQ(c.count, 0);
  EXPECT_EQ(c.rangeMin, -1.0f);
}

// Every key and the unweighted colour of each preset, written out as the channel
// numbers they come from.
TEST(GradientPresets, EveryChannelOfEveryPreset) {
  struct Key {
    float position, r, g, b;
  };
  auto of255 = [](std::initializer_list<Key> keys) {
    std::vector<Key> out;
    for (Key k : keys) out.push_back({k.position, k.r / 255.0f, k.g / 255.0f, k.b / 255.0f});
    return out;
  };
  const std::vector<Key> presets[3] = {
      {{-1.0f, 0.0f, 0.25f, 1.0f}, {-0.5f, 0.2f, 0.8f, 1.0f}, {0.0f, 0.8f, 0.8f, 0.8f},
       {0.5f, 1.0f, 0.8f, 0.25f}, {1.0f, 1.0f, 0.15f, 0.0f}, {0, 0.15f, 0.15f, 0.15f}},
      of255({{-1, 162, 11, 168}, {0, 28, 17, 140}, {0.25f, 40, 142, 124}, {0.5f, 59, 176, 11},
             {0.75f, 180, 186, 6}, {1, 226, 12, 0}, {0, 62, 62, 64}}),
      of255({{-1, 140, 56, 164}, {0, 28, 17, 140}, {0.25f, 40, 151, 166}, {0.5f, 120, 221, 11},
             {0.75f, 223, 241, 56}, {1, 245, 245, 245}, {0, 54, 54, 56}}),
  };
  for (int preset = 0; preset < 3; ++preset) {
    SCOPED_TRACE(preset);
    GradientData g;
    setInitGradients(g, preset);
    const std::vector<Key>& want = presets[preset];
    ASSERT_EQ(g.count, static_cast<int>(want.size()) - 1);
    size_t i = 0;
    for (const GradientSeg* key = g.first; key; key = key->next, ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(key->position, want[i].position);
      EXPECT_EQ(key->colour[0], want[i].r);
      EXPECT_EQ(key->colour[1], want[i].g);
      EXPECT_EQ(key->colour[2], want[i].b);
      EXPECT_EQ(key->colour[3], 1.0f);
    }
    EXPECT_EQ(g.unweightedColour[0], want.back().r);
    EXPECT_EQ(g.unweightedColour[1], want.back().g);
    EXPECT_EQ(g.unweightedColour[2], want.back().b);
    EXPECT_EQ(g.unweightedColour[3], 1.0f);
  }
}
