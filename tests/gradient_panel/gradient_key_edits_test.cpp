// The panel's edits of the gradient, without a host: pushing keys along, range changes,
// adding and removing keys.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "gradient/gradient.h"
#include "gradient_panel/gradient_key_edits.h"

namespace {

void makeKeys(GradientData& g, std::initializer_list<float> positions) {
  destroyGradientData(g);
  g.rangeMin = -1.0f;
  g.rangeMax = 1.0f;
  for (float p : positions) add1NewGradientSeg(g, p);
}

std::vector<GradientSeg*> order(const GradientData& g) {
  std::vector<GradientSeg*> out;
  for (GradientSeg* k = g.first; k; k = k->next) out.push_back(k);
  return out;
}

std::vector<float> positions(const GradientData& g) {
  std::vector<float> out;
  for (GradientSeg* k = g.first; k; k = k->next) out.push_back(k->position);
  return out;
}

GradientSeg* keyAt(const GradientData& g, int index) {
  GradientSeg* k = g.first;
  while (k && index-- > 0) k = k->next;
  return k;
}

}  // namespace

TEST(GradientKeyMove, PushesNeighboursAlongAndNeverReorders) {
  GradientData g;
  makeKeys(g, {-1.0f, -0.5f, 0.0f, 0.5f, 1.0f});
  const auto before = order(g);
  g.current = keyAt(g, 1);
  moveCurrentKeyPushing(g, 0.75f);  // past two neighbours
  EXPECT_EQ(order(g), before);
  EXPECT_EQ(positions(g), (std::vector<float>{-1.0f, 0.75f, 0.75f, 0.75f, 1.0f}));
  moveCurrentKeyPushing(g, -0.9f);  // back: the pushed keys stay where they were left
  EXPECT_EQ(positions(g), (std::vector<float>{-1.0f, -0.9f, 0.75f, 0.75f, 1.0f}));
  g.current = keyAt(g, 3);
  moveCurrentKeyPushing(g, -5.0f);  // clamped to the range start, pushing all before it
  EXPECT_EQ(order(g), before);
  EXPECT_EQ(positions(g), (std::vector<float>{-1.0f, -1.0f, -1.0f, -1.0f, 1.0f}));
}

TEST(GradientKeyMove, WithoutCurrentKeyNothingMoves) {
  GradientData g;
  makeKeys(g, {-1.0f, 1.0f});
  g.current = nullptr;
  moveCurrentKeyPushing(g, 0.0f);
  EXPECT_EQ(positions(g), (std::vector<float>{-1.0f, 1.0f}));
}

TEST(GradientRange, MinAboveMaxMovesMaxJustAboveAndClampsEveryKey) {
  GradientData g;
  makeKeys(g, {-1.0f, 0.0f, 1.0f});
  setGradientRangeMin(g, 2.0f);
  EXPECT_FLOAT_EQ(g.rangeMin, 2.0f);
  EXPECT_FLOAT_EQ(g.rangeMax, 2.0f + 0.0001f);
  for (float p : positions(g)) EXPECT_FLOAT_EQ(p, 2.0f);

  setGradientRangeMax(g, -3.0f);
  EXPECT_FLOAT_EQ(g.rangeMax, -3.0f);
  EXPECT_FLOAT_EQ(g.rangeMin, -3.0f - 0.0001f);
  for (float p : positions(g)) EXPECT_FLOAT_EQ(p, -3.0f);  // from above: onto the new end
}

TEST(GradientRange, NarrowingClampsOnlyKeysOutside) {
  GradientData g;
  makeKeys(g, {-1.0f, -0.2f, 0.3f, 1.0f});
  setGradientRangeMin(g, -0.5f);
  setGradientRangeMax(g, 0.5f);
  EXPECT_EQ(positions(g), (std::vector<float>{-0.5f, -0.2f, 0.3f, 0.5f}));
  // Equal to the other end within less than the gap: the other end moves.
  setGradientRangeMin(g, 0.49995f);
  EXPECT_FLOAT_EQ(g.rangeMax, 0.49995f + 0.0001f);
}

TEST(GradientAdd, RefusedOutsideTheRangeAndAtTheKeyLimit) {
  GradientData g;
  makeKeys(g, {-1.0f, 1.0f});
  EXPECT_EQ(addKeyFromPanel(g, -1.0001f), nullptr);
  EXPECT_EQ(addKeyFromPanel(g, 1.0001f), nullptr);
  EXPECT_EQ(g.count, 2);
  GradientSeg* atEnd = addKeyFromPanel(g, 1.0f);
  ASSERT_NE(atEnd, nullptr);
  EXPECT_EQ(g.current, atEnd);
  while (g.count < kPanelMaxKeys - 1) add1NewGradientSeg(g, 0.0f);
  EXPECT_NE(addKeyFromPanel(g, 0.5f), nullptr);  // the 512th
  EXPECT_EQ(g.count, kPanelMaxKeys);
  GradientSeg* current = g.current;
  EXPECT_EQ(addKeyFromPanel(g, 0.25f), nullptr);
  EXPECT_EQ(g.count, kPanelMaxKeys);
  EXPECT_EQ(g.current, current);
}

TEST(GradientAdd, NewKeyTakesTheColourAlreadyThere) {
  GradientData g;
  makeKeys(g, {-1.0f, 1.0f});
  g.first->colour[0] = 0.0f;
  g.last->colour[0] = 1.0f;
  GradientSeg* k = addKeyFromPanel(g, 0.0f);
  ASSERT_NE(k, nullptr);
  EXPECT_FLOAT_EQ(k->colour[0], 0.5f);
}

TEST(GradientRemove, TheLastKeyIsReplacedByAGreyKeyAtTheRangeStart) {
  GradientData g;
  makeKeys(g, {0.25f});
  g.rangeMin = -0.5f;
  removeKeyKeepingOne(g, g.first);
  ASSERT_EQ(g.count, 1);
  EXPECT_EQ(g.current, g.first);
  EXPECT_FLOAT_EQ(g.first->position, -0.5f);
  for (int c = 0; c < 3; ++c) EXPECT_FLOAT_EQ(g.first->colour[c], 0.8f);
  EXPECT_FLOAT_EQ(g.first->colour[3], 1.0f);

  makeKeys(g, {-1.0f, 1.0f});
  removeKeyKeepingOne(g, g.first);
  EXPECT_EQ(positions(g), (std::vector<float>{1.0f}));  // no grey key while one is left
  removeKeyKeepingOne(g, nullptr);
  EXPECT_EQ(g.count, 1);
}
