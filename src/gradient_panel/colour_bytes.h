// Colour channels as the panels show them: bytes trunc((c + 0.5/255) x 255), clamped to
// 0 ... 255, and back as byte / 255.
#pragma once
#include <cmath>
#include <cstdint>

inline int32_t colourChannelToByte(float c) {
  const double b = std::trunc((double(c) + 0.5 / 255.0) * 255.0);
  if (!(b > 0.0)) return 0;  // also a channel that is not a number
  return b > 255.0 ? 255 : int32_t(b);
}

inline float colourByteToChannel(int32_t byte) {
  const int32_t b = byte < 0 ? 0 : byte > 255 ? 255 : byte;
  return float(b) / 255.0f;
}
