#include "display/edge_drawing.h"

#include <algorithm>
#include <cmath>

using velmora::geometry::Vec3;

namespace {

constexpr int kMinEdgePieces = 2;
constexpr int kMaxEdgePieces = 16;
constexpr double kOutlineWidth = 0.75;  // pixels
constexpr double kLineWidth = 2.0;      // pixels

const PointDraw& drawOf(const std::vector<PointDraw>& points, const PntUserData& p) { return points[size_t(p.index)]; }

bool isFace(const FaceData* face) { return face && face->cornerCount >= 3; }

void band(double width, const LWCustomObjAccess& access, const PointDraw& a, const PointDraw& b, const DrawView& view,
          double scaleA, double scaleB) {
  const double sx = b.drawScreen[0] - a.drawScreen[0], sy = b.drawScreen[1] - a.drawScreen[1];
  const double len = std::sqrt(sx * sx + sy * sy);
  if (!(len > 0.0)) return;
  const Vec3 along = view.ax * (sx / len) + view.ay * (sy / len);
  const Vec3 across = view.ax * (-sy / len) + view.ay * (sx / len);
  const double half = 0.5 * width * view.pixel;
  const Vec3 pa = toVec3(a.drawPos), pb = toVec3(b.drawPos);
  const Vec3 oa = across * (half * scaleA), ob = across * (half * scaleB);
  putQuad(access, pa - oa, pb - ob, pb + ob, pa + oa);
  putTriangle(access, pa + oa, pa - along * (half * scaleA), pa - oa);
  putTriangle(access, pb - ob, pb + along * (half * scaleB), pb + ob);
}

}  // namespace

void ColourPen::use(const float colour[4]) {
  if (valid_ && std::equal(colour, colour + 4, last_)) return;
  std::copy(colour, colour + 4, last_);
  valid_ = true;
  putColour(access_, last_);
}

void draw1ColoredEdge(const LWCustomObjAccess& access, const PntUserData& a, const PointDraw& da,
                      const PntUserData& b, const PointDraw& db, double pixel) {
  const double sx = db.drawScreen[0] - da.drawScreen[0], sy = db.drawScreen[1] - da.drawScreen[1];
  const double pieces = std::sqrt(sx * sx + sy * sy) / (4.0 * pixel);
  const int n = std::isfinite(pieces) ? int(std::clamp(pieces, double(kMinEdgePieces), double(kMaxEdgePieces)))
                                      : kMaxEdgePieces;
  const Vec3 pa = toVec3(da.drawPos), step = (toVec3(db.drawPos) - pa) * (1.0 / n);
  for (int i = 0; i < n; ++i) {
    const float t = float((i + 0.5) / n);
    float c[4];
    for (int k = 0; k < 4; ++k) c[k] = a.colour[k] + (b.colour[k] - a.colour[k]) * t;
    access.setColor(access.dispData, c);
    putLine(access, pa + step * double(i), pa + step * double(i + 1));
  }
}

void draw1Edge_Pers(double width, const LWCustomObjAccess& access, const PointDraw& a, const PointDraw& b,
                    const DrawView& view) {
  band(width, access, a, b, view, a.drawDepth, b.drawDepth);
}

void draw1Edge_Ortho(double width, const LWCustomObjAccess& access, const PointDraw& a, const PointDraw& b,
                     const DrawView& view) {
  band(width, access, a, b, view, 1.0, 1.0);
}

int8_t screenTurnOf(const FaceData& face, const std::vector<PointDraw>& points) {
  const double* s0 = drawOf(points, *face.corners[0]).drawScreen;
  const double* s1 = drawOf(points, *face.corners[1]).drawScreen;
  const double* s2 = drawOf(points, *face.corners[2]).drawScreen;
  const double c = (s1[0] - s0[0]) * (s2[1] - s0[1]) - (s1[1] - s0[1]) * (s2[0] - s0[0]);
  return int8_t((c > 0.0) - (c < 0.0));
}

bool isOutlineEdge(const EdgeData& edge, const std::vector<PointDraw>& points) {
  const bool hasA = isFace(edge.faceA), hasB = isFace(edge.faceB);
  if (hasA != hasB) return true;
  if (!hasA) return false;
  return screenTurnOf(*edge.faceA, points) != screenTurnOf(*edge.faceB, points);
}

bool isOutlineEdge(const EdgeData& edge, const MeshData& mesh, const std::vector<int8_t>& faceTurn) {
  const bool hasA = isFace(edge.faceA), hasB = isFace(edge.faceB);
  if (hasA != hasB) return true;
  if (!hasA) return false;
  return faceTurn[size_t(edge.faceA - mesh.faces.data())] != faceTurn[size_t(edge.faceB - mesh.faces.data())];
}

void drawEdges(DisplayFrame& f) {
  const LWCustomObjAccess& a = f.access;
  const DrawView& view = f.view;
  const InstData& inst = f.inst;
  const MeshData& m = inst.mesh;
  const std::vector<PointDraw>& pts = f.state.points;
  a.setDrawMode(a.dispData, inst.noDepth ? kModeOverlay : kModeDepthTested);
  a.setPattern(a.dispData, LWLPAT_SOLID);
  ColourPen pen(a);
  if (inst.visibility == kShadedSolid) {
    std::vector<int8_t>& turns = f.state.faceTurn;
    turns.resize(m.faces.size());  // keeps its storage from frame to frame
    const size_t made = std::min(m.faces.size(), size_t(std::max(m.numFaces, 0)));
    for (size_t i = 0; i < made; ++i)
      turns[i] = m.faces[i].cornerCount >= 3 ? screenTurnOf(m.faces[i], pts) : int8_t(0);
  }
  // The outline test of isOutlineEdge over this frame's face turns, kept inline in the
  // edge loop (two byte reads per edge).
  const FaceData* const firstFace = m.faces.data();
  const int8_t* const turn = f.state.faceTurn.data();
  auto outline = [&](const EdgeData& e) {
    const bool hasA = isFace(e.faceA), hasB = isFace(e.faceB);
    if (hasA != hasB) return true;
    return hasA && turn[e.faceA - firstFace] != turn[e.faceB - firstFace];
  };
  auto thick = [&](double width, const PointDraw& da, const PointDraw& db) {
    if (view.perspective) draw1Edge_Pers(width, a, da, db, view);
    else draw1Edge_Ortho(width, a, da, db, view);
  };
  for (const EdgeData& e : m.edges) {
    if (e.internalDiagonal || !e.pointA || !e.pointB) continue;
    const PointDraw& da = drawOf(pts, *e.pointA);
    const PointDraw& db = drawOf(pts, *e.pointB);
    if (view.perspective && (da.drawHidden || db.drawHidden)) continue;
    const bool selected = e.pointA->selected && e.pointB->selected;
    switch (inst.visibility) {
      case kWireframedPoints:
        draw1ColoredEdge(a, *e.pointA, da, *e.pointB, db, view.pixel);
        pen.reset();
        break;
      case kShadedSolid:
        if (selected) {
          pen.use(colorSelected);
          putLine(a, toVec3(da.drawPos), toVec3(db.drawPos));
        }
        if (outline(e)) {
          pen.use(colorBlack);
          thick(kOutlineWidth, da, db);
        }
        break;
      default:
        pen.use(selected ? colorSelected : colorBlack);
        putLine(a, toVec3(da.drawPos), toVec3(db.drawPos));
        break;
    }
  }
  if (inst.visibility == kWireframedPoints) return;
  for (const FaceData* line = m.lineList; line; line = line->next) {
    if (line->cornerCount != 2 || !line->corners[0] || !line->corners[1]) continue;
    const PntUserData& p = *line->corners[0];
    const PntUserData& q = *line->corners[1];
    const PointDraw& dp = drawOf(pts, p);
    const PointDraw& dq = drawOf(pts, q);
    if (view.perspective && (dp.drawHidden || dq.drawHidden)) continue;
    pen.use(colorBlack);
    thick(kLineWidth, dp, dq);
    draw1ColoredEdge(a, p, dp, q, dq, view.pixel);
    pen.reset();
  }
}
