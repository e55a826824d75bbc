#include "display/zero_weighted_outline.h"

#include <span>

#include "gradient/gradient.h"

namespace {

// hasValue 2 marks a point given its zero during this pass: it counts as not valued
// for the rest of the pass (the zeros must not spread), and is collected once.
constexpr uint8_t kMarkedZero = 2;

bool isValued(const PntUserData& p) { return (p.hasValue & 1) != 0 && p.value != 0.0f; }

template <typename Points>
int32_t closeOutline(const Points& points, const GradientData& gradient, std::vector<PntUserData*>& collected) {
  bool anyValued = false, anyOther = false;
  for (PntUserData* p : points) {
    if (!p) continue;
    if (isValued(*p)) anyValued = true;
    else anyOther = true;
  }
  if (!anyValued || !anyOther) return 0;
  int32_t made = 0;
  for (PntUserData* p : points) {
    if (!p || p->hasValue != 0) continue;
    p->changed = 1;
    p->hasValue = kMarkedZero;
    p->value = 0.0f;
    p->colourKey = getInterpolatedColorAtGradPosition(gradient, 0.0f, std::span<float, 4>(p->colour));
    collected.push_back(p);
    ++made;
  }
  return made;
}

}  // namespace

int32_t makeZeroWeightedOutlinePoints(MeshData& mesh, const GradientData& gradient, int32_t zeroOutline) {
  if (!zeroOutline) return 0;
  // Bounded by the points of the mesh; reused by the caller's thread only at commits,
  // which are rare next to drags.
  std::vector<PntUserData*> collected;
  int32_t made = 0;
  for (FaceData* line = mesh.lineList; line; line = line->next)
    made += closeOutline(std::span<PntUserData* const>(line->corners, size_t(line->cornerCount)), gradient, collected);
  for (const PolygonData& polygon : mesh.polygons) made += closeOutline(verticesOf(polygon), gradient, collected);
  for (PntUserData* p : collected) p->hasValue = 1;
  return made;
}
