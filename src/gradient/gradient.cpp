#include "gradient/gradient.h"

#include <cmath>
#include <memory>

GradientData::~GradientData() { destroyGradientData(*this); }

GradientData::GradientData(GradientData&& other) noexcept { *this = std::move(other); }

GradientData& GradientData::operator=(GradientData&& other) noexcept {
  if (this == &other) return *this;
  destroyGradientData(*this);
  first = other.first;
  last = other.last;
  current = other.current;
  for (int c = 0; c < 4; ++c) unweightedColour[c] = other.unweightedColour[c];
  count = other.count;
  rangeMin = other.rangeMin;
  rangeMax = other.rangeMax;
  other.first = other.last = other.current = nullptr;
  other.count = 0;
  other.rangeMin = -1.0f;
  other.rangeMax = 1.0f;
  return *this;
}

void destroyGradientData(GradientData& g) {
  GradientSeg* key = g.first;
  while (key) {
    GradientSeg* next = key->next;
    delete key;
    key = next;
  }
  g.first = g.last = g.current = nullptr;
  g.count = 0;
  g.rangeMin = -1.0f;
  g.rangeMax = 1.0f;
}

namespace {

struct PresetKey {
  float position;
  float r, g, b;
};

struct Preset {
  const PresetKey* keys;
  int numKeys;
  float unweighted[3];
};

// Channels of presets 1 and 2 are given in 0..255; float division is correctly
// rounded, so n / 255.0f is the nearest float32 to the exact quotient.
constexpr float c255(int n) { return static_cast<float>(n) / 255.0f; }

constexpr PresetKey kLightWaveKeys[] = {
    {-1.0f, 0.0f, 0.25f, 1.0f}, {-0.5f, 0.2f, 0.8f, 1.0f}, {0.0f, 0.8f, 0.8f, 0.8f},
    {0.5f, 1.0f, 0.8f, 0.25f},  {1.0f, 1.0f, 0.15f, 0.0f},
};
constexpr PresetKey kSpectrumKeys[] = {
    {-1.0f, c255(162), c255(11), c255(168)}, {0.0f, c255(28), c255(17), c255(140)},
    {0.25f, c255(40), c255(142), c255(124)}, {0.5f, c255(59), c255(176), c255(11)},
    {0.75f, c255(180), c255(186), c255(6)},  {1.0f, c255(226), c255(12), c255(0)},
};
constexpr PresetKey kSunnyGardenKeys[] = {
    {-1.0f, c255(140), c255(56), c255(164)}, {0.0f, c255(28), c255(17), c255(140)},
    {0.25f, c255(40), c255(151), c255(166)}, {0.5f, c255(120), c255(221), c255(11)},
    {0.75f, c255(223), c255(241), c255(56)}, {1.0f, c255(245), c255(245), c255(245)},
};

constexpr Preset kPresets[] = {
    {kLightWaveKeys, 5, {0.15f, 0.15f, 0.15f}},
    {kSpectrumKeys, 6, {c255(62), c255(62), c255(64)}},
    {kSunnyGardenKeys, 6, {c255(54), c255(54), c255(56)}},
};

}  // namespace

GradientSeg* setInitGradients(GradientData& g, int32_t preset) {
  const Preset& p = kPresets[(preset == 0 || preset == 1) ? preset : 2];
  destroyGradientData(g);
  GradientSeg* made = nullptr;
  for (int i = 0; i < p.numKeys; ++i) {
    made = add1NewGradientSeg(g, p.keys[i].position);
    made->colour[0] = p.keys[i].r;
    made->colour[1] = p.keys[i].g;
    made->colour[2] = p.keys[i].b;
    made->colour[3] = 1.0f;
    if (p.keys[i].position == 0.0f) g.current = made;
  }
  for (int c = 0; c < 3; ++c) g.unweightedColour[c] = p.unweighted[c];
  g.unweightedColour[3] = 1.0f;
  return made;
}

GradientSeg* add1NewGradientSeg(GradientData& g, float position) {
  auto key = std::make_unique<GradientSeg>();
  key->position = position;
  getInterpolatedColorAtGradPosition(g, position, key->colour);

  // Insert before the first key with a greater position, so equal keys keep their order.
  GradientSeg* after = g.first;
  while (after && !(after->position > position)) after = after->next;
  GradientSeg* seg = key.release();
  seg->next = after;
  seg->prev = after ? after->prev : g.last;
  if (seg->prev) seg->prev->next = seg; else g.first = seg;
  if (after) after->prev = seg; else g.last = seg;
  ++g.count;
  return seg;
}

void remove1GradientSeg(GradientData& g, GradientSeg* key) {
  if (!key) return;
  if (g.current == key) g.current = key->prev ? key->prev : key->next;
  if (key->prev) key->prev->next = key->next; else g.first = key->next;
  if (key->next) key->next->prev = key->prev; else g.last = key->prev;
  delete key;
  --g.count;
}

int32_t clampGradientSegs(GradientData& g, int32_t max) {
  if (max < 1 || g.count <= max || !g.first) return 0;
  // Drop the keys right after the first until max remain.
  while (g.count > max) {
    GradientSeg* doomed = g.first->next;
    if (!doomed) break;
    remove1GradientSeg(g, doomed);
  }
  g.current = g.first;
  return 1;
}

GradientSeg* getClickedGradientSeg(const GradientData& g, float position, float tolerance) {
  GradientSeg* best = nullptr;
  float bestDistance = tolerance;
  for (GradientSeg* key = g.first; key; key = key->next) {
    const float d = std::fabs(key->position - position);
    if (d < bestDistance) {
      best = key;
      bestDistance = d;
    }
  }
  return best;
}

float getInterpolatedColorAtGradPosition(const GradientData& g, float position,
                                         std::span<float, 4> colourOut) {
  const GradientSeg* lo = nullptr;
  const GradientSeg* hi = g.first;
  int32_t index = -1;
  while (hi && hi->position <= position) {
    lo = hi;
    hi = hi->next;
    ++index;
  }
  if (lo && hi) {
    // In double: the key distance of two float32 positions cannot overflow there.
    const double t = (static_cast<double>(position) - lo->position) /
                     (static_cast<double>(hi->position) - lo->position);
    for (int c = 0; c < 4; ++c)
      colourOut[c] = static_cast<float>(lo->colour[c] + t * (hi->colour[c] - lo->colour[c]));
    return static_cast<float>(index + t);
  }
  const GradientSeg* only = lo ? lo : hi;
  if (!only) {
    colourOut[0] = colourOut[1] = colourOut[2] = 0.0f;
    colourOut[3] = 1.0f;
    return 0.0f;
  }
  for (int c = 0; c < 4; ++c) colourOut[c] = only->colour[c];
  return lo ? static_cast<float>(index) : 0.0f;
}

std::vector<float> getFloatArrayWithGradients(const GradientData& g) {
  std::vector<float> out;
  if (!g.first) return out;
  out.reserve(static_cast<size_t>(g.count) * 4 + 4);
  for (const GradientSeg* key = g.first; key; key = key->next) {
    out.push_back(key->position);
    out.insert(out.end(), key->colour, key->colour + 3);
  }
  out.push_back(0.0f);
  out.insert(out.end(), g.unweightedColour, g.unweightedColour + 3);
  return out;
}

bool setInitGradientsWithFloatArray(GradientData& g, std::span<const float> values) {
  const size_t used = values.size() / 4 * 4;
  if (used < 8) return false;
  // The array comes from a file: a NaN position would break the sort order and NaN or
  // infinite colours reach the display's byte conversion, so such an array is refused.
  for (size_t i = 0; i < used; ++i)
    if (!std::isfinite(values[i])) return false;

  const size_t numKeys = used / 4 - 1;
  destroyGradientData(g);
  g.rangeMin = g.rangeMax = 0.0f;
  for (size_t i = 0; i < numKeys; ++i) {
    const float p = values[4 * i];
    if (p < g.rangeMin) g.rangeMin = p;
    else if (p > g.rangeMax) g.rangeMax = p;
    GradientSeg* key = add1NewGradientSeg(g, p);
    key->colour[0] = values[4 * i + 1];
    key->colour[1] = values[4 * i + 2];
    key->colour[2] = values[4 * i + 3];
    key->colour[3] = 1.0f;
  }
  g.current = g.first;
  g.unweightedColour[0] = values[used - 3];
  g.unweightedColour[1] = values[used - 2];
  g.unweightedColour[2] = values[used - 1];
  g.unweightedColour[3] = 1.0f;
  if (static_cast<double>(g.rangeMax) - g.rangeMin < 0.01) {
    g.rangeMin = 0.0f;
    g.rangeMax = 1.0f;
  }
  return true;
}
