#include "gradient_panel/gradient_key_edits.h"

#include <cmath>

#include "gradient/gradient.h"

float clampIntoRange(float v, float lo, float hi) {
  if (std::isnan(v) || v < lo) return lo;
  return v > hi ? hi : v;
}

void moveCurrentKeyPushing(GradientData& g, float position) {
  GradientSeg* key = g.current;
  if (!key) return;
  const float p = clampIntoRange(position, g.rangeMin, g.rangeMax);
  key->position = p;
  for (GradientSeg* k = key->prev; k && k->position > p; k = k->prev) k->position = p;
  for (GradientSeg* k = key->next; k && k->position < p; k = k->next) k->position = p;
}

namespace {

void clampAllKeys(GradientData& g) {
  for (GradientSeg* k = g.first; k; k = k->next) k->position = clampIntoRange(k->position, g.rangeMin, g.rangeMax);
}

}  // namespace

void setGradientRangeMin(GradientData& g, float start) {
  if (std::isnan(start)) return;
  g.rangeMin = start;
  if (start > g.rangeMax - kMinRangeGap) g.rangeMax = start + kMinRangeGap;
  clampAllKeys(g);
}

void setGradientRangeMax(GradientData& g, float end) {
  if (std::isnan(end)) return;
  g.rangeMax = end;
  if (end < g.rangeMin + kMinRangeGap) g.rangeMin = end - kMinRangeGap;
  clampAllKeys(g);
}

GradientSeg* addKeyFromPanel(GradientData& g, float position) {
  if (std::isnan(position) || position < g.rangeMin || position > g.rangeMax) return nullptr;
  if (g.count >= kPanelMaxKeys) return nullptr;
  GradientSeg* key = add1NewGradientSeg(g, position);
  g.current = key;
  return key;
}

void removeKeyKeepingOne(GradientData& g, GradientSeg* key) {
  if (!key) return;
  remove1GradientSeg(g, key);
  if (g.count > 0) return;
  GradientSeg* grey = add1NewGradientSeg(g, g.rangeMin);
  grey->colour[0] = grey->colour[1] = grey->colour[2] = kReplacementGrey;
  grey->colour[3] = 1.0f;
  g.current = grey;
}
