// What a plug-in draws into a viewport through the custom-object access, recorded as a
// list of primitives with the state in force when each was drawn.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

extern "C" {
#include <lwcustobj.h>
}

namespace sim {

struct DrawPrimitive {
  enum Kind { Point, Line, Triangle, Quad, Circle, Disk, Text, Polygon } kind = Point;
  std::vector<std::array<double, 3>> vertices;  // as given, in `csys` coordinates
  double radius = 0.0;
  std::string text;
  int justify = 0;
  int csys = LWCSYS_WORLD;
  uint64_t csysItem = 0;
  std::array<float, 4> colour = {1, 1, 1, 1};
  int pattern = LWLPAT_SOLID;
  unsigned drawMode = LWDRAWMODE_DEPTHTEST | LWDRAWMODE_DEPTHWRITE;  // the host default
  int textureSize = 0;  // the texture in force (0: none)
  int textureIndex = -1;  // that texture in DrawList::textures (-1: none)
  std::array<std::array<double, 2>, 4> uvs = {};
};

struct DrawList {
  int viewport = 0;
  std::vector<DrawPrimitive> primitives;
  DrawPrimitive current;         // colour, pattern, mode ... in force for the next one
  std::vector<uint8_t> texture;  // the last texture set, size x size RGBA
  int textureSize = 0;
  // Every texture set during the drawing, in order: the host uploads the bytes when
  // setTexture is called, so later changes to the plug-in's array do not reach shapes
  // drawn before.
  std::vector<std::vector<uint8_t>> textures;
  std::vector<int> textureSizes;
};

// Fills `access` so that everything drawn through it lands in `list`. The list must
// outlive the drawing.
void beginRecording(LWCustomObjAccess& access, DrawList& list, int lwView, const double viewPos[3],
                    const double viewDir[3]);

}  // namespace sim
