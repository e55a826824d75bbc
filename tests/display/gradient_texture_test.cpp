// The gradient texture's size and layout, and colouring points from the gradient.
#include <gtest/gtest.h>

#include <cmath>
#include <span>

#include "display/display_test_scene.h"
#include "display/gradient_texture.h"
#include "gradient/gradient.h"
#include "mesh/snapshot.h"

using namespace display_testing;

namespace {

void makeKeys(GradientData& g, int count) {
  destroyGradientData(g);
  for (int i = 0; i < count; ++i) {
    GradientSeg* key = add1NewGradientSeg(g, float(i) / float(std::max(count - 1, 1)));
    key->colour[0] = float(i % 7) / 6.0f;
    key->colour[1] = 0.5f;
    key->colour[2] = 1.0f - float(i % 5) / 4.0f;
  }
}

// Linear sampling of row 1 at u, as a texture unit with linear filtering does.
float sampleRow1(const InstData& inst, double u, int channel) {
  const int n = inst.gradientTextureSize;
  const double x = u * n - 0.5;
  const int i = int(std::floor(x));
  const double t = x - i;
  auto texel = [&](int k) { return inst.gradientTexture[(size_t(n) + size_t(std::clamp(k, 0, n - 1))) * 4 + size_t(channel)] / 255.0; };
  return float(texel(i) * (1 - t) + texel(i + 1) * t);
}

}  // namespace

TEST(GradientTexture, SizeFollowsTheKeyCount) {
  EXPECT_EQ(gradientTextureSizeFor(0), 0);
  EXPECT_EQ(gradientTextureSizeFor(1), 8);
  EXPECT_EQ(gradientTextureSizeFor(8), 8);
  EXPECT_EQ(gradientTextureSizeFor(9), 16);
  EXPECT_EQ(gradientTextureSizeFor(16), 16);
  EXPECT_EQ(gradientTextureSizeFor(17), 32);
  EXPECT_EQ(gradientTextureSizeFor(300), 512);
  EXPECT_EQ(gradientTextureSizeFor(600), 512);
}

TEST(GradientTexture, NineKeysUseSixteenTexelsAndSixHundredAtMost512) {
  DisplayBench b;
  InstData& inst = *b.inst;
  makeKeys(inst.gradient, 9);
  createRGBABuffer(inst);
  EXPECT_EQ(inst.gradientTextureSize, 16);
  EXPECT_EQ(inst.gradientTexture.size(), 16u * 16u * 4u);
  makeKeys(inst.gradient, 600);  // more than a loaded gradient keeps
  createRGBABuffer(inst);
  EXPECT_EQ(inst.gradientTextureSize, 512);
  EXPECT_EQ(inst.gradientTexture.size(), 512u * 512u * 4u);
  destroyGradientData(inst.gradient);
  createRGBABuffer(inst);
  EXPECT_EQ(inst.gradientTextureSize, 0);
  EXPECT_TRUE(inst.gradientTexture.empty());
}

TEST(GradientTexture, KeyRowsHoldTheKeyColoursAndStaleKeysAreCleared) {
  DisplayBench b;
  InstData& inst = *b.inst;
  makeKeys(inst.gradient, 12);
  createRGBABuffer(inst);
  const uint8_t* before = inst.gradientTexture.data();
  int i = 0;
  for (const GradientSeg* key = inst.gradient.first; key; key = key->next, ++i)
    for (int row = 0; row < 3; ++row) {
      const uint8_t* t = &inst.gradientTexture[(size_t(row) * 16 + size_t(i)) * 4];
      EXPECT_EQ(t[0], uint8_t(255.0f * key->colour[0]));
      EXPECT_EQ(t[2], uint8_t(255.0f * key->colour[2]));
      EXPECT_EQ(t[3], 255);
    }
  makeKeys(inst.gradient, 10);  // same size: the array stays, the two old keys go
  createRGBABuffer(inst);
  EXPECT_EQ(inst.gradientTexture.data(), before);
  EXPECT_EQ(inst.gradientTexture[(16 + 11) * 4 + 3], 0);
}

TEST(GradientTexture, ShadedUVsSampleThePointsOwnColour) {
  DisplayBench b;
  InstData& inst = *b.inst;
  for (int preset : {0, 1, 2}) {
    setInitGradients(inst.gradient, preset);
    createRGBABuffer(inst);
    const double s = 1.0 / inst.gradientTextureSize;
    for (float v = -1.2f; v <= 1.2f; v += 0.05f) {
      SCOPED_TRACE(testing::Message() << "preset " << preset << " value " << v);
      float colour[4];
      const float key = getInterpolatedColorAtGradPosition(inst.gradient, v, std::span<float, 4>(colour));
      for (int c = 0; c < 3; ++c) EXPECT_NEAR(sampleRow1(inst, key * s + 0.5 * s, c), colour[c], 1.5 / 255.0);
    }
  }
}

TEST(PointColours, UnvaluedPointsTakeTheUnweightedColourAndTheKeyAtZero) {
  DisplayBench b;
  b.load({{0, 0, 0}, {1, 0, 0}}, {{0, 1}});
  InstData& inst = *b.inst;
  setInitGradients(inst.gradient, 1);
  inst.mesh.points[0].hasValue = 1;
  inst.mesh.points[0].value = 0.75f;
  setColorOfAllPnts(inst);
  float atValue[4], atZero[4];
  const float keyAtValue = getInterpolatedColorAtGradPosition(inst.gradient, 0.75f, std::span<float, 4>(atValue));
  const float keyAtZero = getInterpolatedColorAtGradPosition(inst.gradient, 0.0f, std::span<float, 4>(atZero));
  EXPECT_FLOAT_EQ(inst.mesh.points[0].colourKey, keyAtValue);
  EXPECT_FLOAT_EQ(inst.mesh.points[0].colour[1], atValue[1]);
  EXPECT_GT(keyAtZero, 0.0f);  // the preset's range starts below 0
  EXPECT_FLOAT_EQ(inst.mesh.points[1].colourKey, keyAtZero);
  for (int c = 0; c < 4; ++c) EXPECT_FLOAT_EQ(inst.mesh.points[1].colour[c], inst.gradient.unweightedColour[c]);
}

TEST(PointColours, TheSnapshotsRecolouringAgreesWithTheDisplays) {
  DisplayBench b;
  b.load({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {{0, 1}, {1, 2}});
  InstData& inst = *b.inst;
  for (int preset : {0, 1, 2}) {
    SCOPED_TRACE(preset);
    setInitGradients(inst.gradient, preset);
    inst.mesh.points[0].hasValue = 1;
    inst.mesh.points[0].value = -0.3f;
    inst.mesh.points[1].hasValue = 0;
    inst.mesh.points[1].value = 0.0f;
    recolourPoints(inst);
    std::vector<PntUserData> snapshot(inst.mesh.points.begin(), inst.mesh.points.end());
    setColorOfAllPnts(inst);
    for (size_t i = 0; i < snapshot.size(); ++i) {
      EXPECT_FLOAT_EQ(snapshot[i].colourKey, inst.mesh.points[i].colourKey);
      for (int c = 0; c < 4; ++c) EXPECT_FLOAT_EQ(snapshot[i].colour[c], inst.mesh.points[i].colour[c]);
    }
  }
}
