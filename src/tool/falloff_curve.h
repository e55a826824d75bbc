// The one brush falloff: smoothstep from the rim (0) to the centre (1).
#pragma once

namespace velmora::tool {

// factor = (3 - 2u) u^2 with u = 1 - t; t = distance / radius. t = 0 gives 1, t = 1 gives 0.
inline double falloffCurve(double t) {
  const double u = 1.0 - t;
  return (3.0 - 2.0 * u) * u * u;
}

inline double clamp01(double t) { return t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t); }

}  // namespace velmora::tool
