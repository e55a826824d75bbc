#include "display/gradient_texture.h"

#include <algorithm>
#include <span>

#include "gradient/gradient.h"

namespace {

constexpr int32_t kSmallTexture = 8;
constexpr int32_t kLargestTexture = 512;

uint8_t toByte(float c) { return uint8_t(255.0f * std::clamp(c, 0.0f, 1.0f)); }

}  // namespace

int32_t gradientTextureSizeFor(int32_t keyCount) {
  if (keyCount <= 0) return 0;
  if (keyCount <= kSmallTexture) return kSmallTexture;
  int32_t n = 16;
  while (n < keyCount && n < kLargestTexture) n *= 2;
  return n;
}

void createRGBABuffer(InstData& inst) {
  const int32_t n = gradientTextureSizeFor(inst.gradient.first ? inst.gradient.count : 0);
  if (n == 0) {
    inst.gradientTexture.clear();
    inst.gradientTexture.shrink_to_fit();
    inst.gradientTextureSize = 0;
    return;
  }
  if (n != inst.gradientTextureSize || inst.gradientTexture.size() != size_t(n) * size_t(n) * 4)
    inst.gradientTexture.assign(size_t(n) * size_t(n) * 4, 0);
  inst.gradientTextureSize = n;
  std::fill_n(inst.gradientTexture.begin(), size_t(n) * 3 * 4, uint8_t(0));  // keys of an older, longer gradient
  int32_t i = 0;
  for (const GradientSeg* key = inst.gradient.first; key && i < n; key = key->next, ++i) {
    for (int row = 0; row < 3; ++row) {
      uint8_t* texel = &inst.gradientTexture[(size_t(row) * size_t(n) + size_t(i)) * 4];
      for (int c = 0; c < 3; ++c) texel[c] = toByte(key->colour[c]);
      texel[3] = 255;
    }
  }
}

void setColorOfAllPnts(InstData& inst) {
  float atZero[4];
  const float keyAtZero = getInterpolatedColorAtGradPosition(inst.gradient, 0.0f, std::span<float, 4>(atZero));
  for (PntUserData& p : inst.mesh.points) {
    if (p.hasValue) {
      p.colourKey = getInterpolatedColorAtGradPosition(inst.gradient, p.value, std::span<float, 4>(p.colour));
    } else {
      std::copy(inst.gradient.unweightedColour, inst.gradient.unweightedColour + 4, p.colour);
      p.colourKey = keyAtZero;
    }
  }
}
