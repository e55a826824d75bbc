// A host mesh info over plain arrays, for testing the snapshot's scans and build without
// a host: points with ids that are not in scan order, base and displayed positions,
// values, polygons of any type, and a frozen view that lists subdivision points first
// and gives its base points either the base mesh's ids or ids of its own.
#pragma once
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

extern "C" {
#include <lwmeshes.h>
}

class FakeMesh {
 public:
  using Pos = std::array<float, 3>;

  // Adds a point at `pos` (displayed at the same place) and returns its index.
  uint32_t addPoint(Pos pos);
  // Adds a polygon of point indices and returns its index.
  uint32_t addPolygon(std::vector<uint32_t> corners, LWID type = LWPOLTYPE_FACE);
  void setOtherPos(uint32_t point, Pos pos) { points_[point].other = pos; }
  void setValue(uint32_t point, float value) { points_[point].hasValue = true, points_[point].value = value; }
  // The frozen view: `extra` subdivision points ahead of the base points, and whether the
  // base points carry ids of their own there.
  void setFrozenForm(uint32_t extra, bool ownIds) { extra_ = extra, ownIds_ = ownIds; }

  // The unfrozen and frozen mesh infos (valid while this mesh lives and is not changed).
  LWMeshInfoID base();
  LWMeshInfoID frozen();
  // The id a mesh info hands out for a base point.
  LWPntID baseId(uint32_t point) const;
  LWPntID frozenId(uint32_t point) const;
  // The handle pntVLookup returns for the one weight map.
  void* weightMap() { return &points_; }
  size_t numPoints() const { return points_.size(); }

 private:
  struct Point {
    Pos base{}, other{};
    bool hasValue = false;
    float value = 0.0f;
  };
  struct Polygon {
    LWID type;
    std::vector<uint32_t> corners;
  };
  struct View {
    LWMeshInfo info{};
    FakeMesh* mesh = nullptr;
    bool frozen = false;
  };
  static View& viewOf(LWMeshInfoID mi) { return *static_cast<View*>(mi->priv); }
  void fill(View& v, bool frozen);
  // Index of the base point with this id in the view, -1 for an extra or unknown id.
  long indexOf(const View& v, LWPntID id) const;
  void rebuildIndex();

  static int numPointsF(LWMeshInfoID mi);
  static int numPolygonsF(LWMeshInfoID mi);
  static size_t scanPointsF(LWMeshInfoID mi, LWPntScanFunc* fn, void* data);
  static size_t scanPolysF(LWMeshInfoID mi, LWPolScanFunc* fn, void* data);
  static void basePosF(LWMeshInfoID mi, LWPntID p, LWFVector out);
  static void otherPosF(LWMeshInfoID mi, LWPntID p, LWFVector out);
  static void* vLookupF(LWMeshInfoID mi, LWID type, const char* name);
  static int vIDGetF(LWMeshInfoID mi, LWPntID p, float* out, void* vmap);
  static LWID polTypeF(LWMeshInfoID mi, LWPolID pol);
  static int polSizeF(LWMeshInfoID mi, LWPolID pol);
  static LWPntID polVertexF(LWMeshInfoID mi, LWPolID pol, int v);

  std::vector<Point> points_;
  std::vector<Polygon> polygons_;
  uint32_t extra_ = 0;
  bool ownIds_ = false;
  std::unordered_map<uint64_t, uint32_t> baseIndex_, frozenIndex_;
  View baseView_, frozenView_;
};
