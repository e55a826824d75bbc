// The surface of an old LWOB object in LWO2 form.
//
// LWOB keeps a surface as fixed-point fractions, integer colours, a flag word and texture
// blocks; LWO2 as floats with envelope indices. Every setting with an LWO2 counterpart is
// carried over: colour, luminosity, diffuse, specular, glossiness, reflection (with its mode
// and seam angle), transparency, refraction index, colour highlights and filter, additive,
// sharp terminator, smoothing angle, double-sidedness and outline. What LWO2 cannot hold this
// way (textures, image and plug-in references, edge transparency, shadow alpha, unknown
// sub-chunks) is named in `dropped`.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace sim {

struct LwobSurfaceConversion {
  std::string name;                   // the surface's name
  std::vector<std::uint8_t> chunk;    // the LWO2 SURF chunk, header and pad included
  std::vector<std::string> dropped;   // one line per setting left behind
};

// `chunk` is the whole LWOB SURF chunk (header included). A damaged surface still gives a
// usable LWO2 surface from what could be read, and says so in `dropped`.
LwobSurfaceConversion convertLwobSurface(std::span<const std::uint8_t> chunk);

}  // namespace sim
