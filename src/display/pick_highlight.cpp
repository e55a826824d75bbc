#include "display/pick_highlight.h"

#include "geometry/polygon_triangulation.h"
#include "geometry/quick_sort.h"

using velmora::geometry::Vec3;

namespace {

constexpr double kLineBandPixels = 2.5;

struct Collector {
  LWMeshInfoID mesh;
  std::vector<HighlightPiece>* pieces;
  std::vector<Vec3> corners;
  velmora::geometry::TCDTriangulationData td;
};

Vec3 positionOf(LWMeshInfoID mesh, LWPntID point) {
  LWFVector p = {0, 0, 0};
  mesh->pntOtherPos(mesh, point, p);
  return {p[0], p[1], p[2]};
}

void addPiece(Collector& c, std::initializer_list<int> corners) {
  HighlightPiece piece;
  for (int i : corners) {
    const Vec3& p = c.corners[size_t(i)];
    piece.corners[piece.cornerCount][0] = p.x, piece.corners[piece.cornerCount][1] = p.y;
    piece.corners[piece.cornerCount][2] = p.z;
    ++piece.cornerCount;
  }
  c.pieces->push_back(piece);
}

size_t getFastTrigonsCBFunc(void* data, LWPolID polygon) {
  Collector& c = *static_cast<Collector*>(data);
  const LWID type = c.mesh->polType(c.mesh, polygon);
  if (type != LWPOLTYPE_FACE && type != LWPOLTYPE_PTCH && type != LWPOLTYPE_SUBD) return 0;
  const int n = c.mesh->polSize(c.mesh, polygon);
  if (n < 2) return 0;
  c.corners.clear();
  for (int i = 0; i < n; ++i) c.corners.push_back(positionOf(c.mesh, c.mesh->polVertex(c.mesh, polygon, i)));
  if (n == 2) addPiece(c, {0, 1});
  else if (n == 3) addPiece(c, {0, 1, 2});
  else if (velmora::geometry::triangulatePolygon(c.td, c.corners, false))
    for (int t = 0; t < c.td.numTrigons; ++t) {
      const auto& tri = c.td.trigons[size_t(t)];
      if (!tri.deleted && tri.numCorners == 3) addPiece(c, {tri.corners[0], tri.corners[1], tri.corners[2]});
    }
  return 0;
}

}  // namespace

void collectHighlightPieces(LWMeshInfoID mesh, std::vector<HighlightPiece>& pieces) {
  pieces.clear();
  if (!mesh || !mesh->scanPolys || !mesh->polType || !mesh->polSize || !mesh->polVertex || !mesh->pntOtherPos) return;
  Collector c{mesh, &pieces, {}, {}};
  mesh->scanPolys(mesh, getFastTrigonsCBFunc, &c);
}

void depthSortFastTrigons(std::span<HighlightPiece*> pieces, int first, int last) {
  velmora::geometry::quickSortByKey(pieces, first, last, [](const HighlightPiece* p) { return p->depthKey; });
}

void drawHighlightPieces(DisplayFrame& f, std::vector<HighlightPiece>& pieces) {
  const LWCustomObjAccess& a = f.access;
  const DrawView& view = f.view;
  std::vector<HighlightPiece*>& order = f.state.highlightOrder;
  order.clear();
  for (HighlightPiece& piece : pieces) {
    double sum = 0.0;
    for (int i = 0; i < piece.cornerCount; ++i) sum += dot(toVec3(piece.corners[i]) - view.eye, view.vd);
    piece.depthKey = piece.cornerCount ? sum / piece.cornerCount : 0.0;
    order.push_back(&piece);
  }
  depthSortFastTrigons(order, 0, int(order.size()) - 1);
  a.setDrawMode(a.dispData, kModeOverlay);
  a.setPattern(a.dispData, LWLPAT_SOLID);
  putColour(a, transOrange);
  for (size_t i = order.size(); i-- > 0;) {
    const HighlightPiece& piece = *order[i];
    const Vec3 p = toVec3(piece.corners[0]), q = toVec3(piece.corners[1]);
    if (piece.cornerCount == 3) {
      putTriangle(a, p, q, toVec3(piece.corners[2]));
      continue;
    }
    // A band across the line in the screen plane, its width scaled by depth.
    const Vec3 along = q - p;
    Vec3 across = cross(view.vd, along);
    const double len = length(across);
    if (!(len > 0.0)) continue;
    across = across * (0.5 * kLineBandPixels * view.pixel / len);
    const double dp = view.perspective ? dot(p - view.eye, view.vd) : 1.0;
    const double dq = view.perspective ? dot(q - view.eye, view.vd) : 1.0;
    putQuad(a, p - across * dp, q - across * dq, q + across * dq, p + across * dp);
  }
}
