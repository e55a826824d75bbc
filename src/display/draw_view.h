// The view of one draw call: which viewport is drawn, its eye and screen axes, the world
// size of one pixel, and small helpers that hand our vectors to the draw access.
//
// Screen coordinates follow the tool's projection: orthographic x = d . ax, y = d . ay;
// perspective x = (d . ax) / depth, y = (d . ay) / depth with d = p - eye, so in a
// perspective view `pixel` is the size of a pixel at depth 1.
#pragma once
#include <cstdint>

#include "display/display_colours.h"
#include "geometry/vec3.h"

extern "C" {
#include <lwcustobj.h>
#include <lwrender.h>
}

struct DrawView {
  int32_t viewport = 0;
  int32_t type = 0;          // LVVIEWT_*
  bool perspective = false;  // types 7..9
  velmora::geometry::Vec3 eye, ax, ay, vd;  // vd = ax x ay
  double pixel = 1e-3;
  double hither = 0.0, yon = 0.0;
  double cursorDepth = 1.0;  // (hither + yon) / 2 in a perspective view
  int32_t width = 0, height = 0;
};

// Fills view from a viewport's type, eye, view-to-world rows (xfrm, row-major 3x3),
// pixel size and clip planes. Returns false when the view shows nothing of the tool:
// a perspective eye farther than 100 x yon from the origin.
bool setDrawView(DrawView& view, int32_t viewport, int32_t type, const velmora::geometry::Vec3& eye,
                 const double xfrm[9], double pixel, double hither, double yon, int32_t width, int32_t height);

// The viewport this draw call draws: the one whose position and view direction are
// nearest to the access's viewPos and viewDir (the 9.6 access does not carry the index).
// 0 when there is no viewport info.
int32_t findDrawnViewport(const LWViewportInfo* info, const LWCustomObjAccess& access);

// Reads the drawn viewport's view through the viewport info. False: draw nothing.
bool readDrawView(const LWViewportInfo* info, const LWCustomObjAccess& access, DrawView& view);

// The draw access takes non-const arrays: these copy into locals first.
inline void putColour(const LWCustomObjAccess& a, const Rgba& colour) {
  float c[4] = {colour.c[0], colour.c[1], colour.c[2], colour.c[3]};
  a.setColor(a.dispData, c);
}
inline void putColour(const LWCustomObjAccess& a, const float colour[4]) {
  float c[4] = {colour[0], colour[1], colour[2], colour[3]};
  a.setColor(a.dispData, c);
}
inline void putLine(const LWCustomObjAccess& a, const velmora::geometry::Vec3& p, const velmora::geometry::Vec3& q) {
  double x[3] = {p.x, p.y, p.z}, y[3] = {q.x, q.y, q.z};
  a.line(a.dispData, x, y, LWCSYS_WORLD);
}
inline void putTriangle(const LWCustomObjAccess& a, const velmora::geometry::Vec3& p, const velmora::geometry::Vec3& q,
                        const velmora::geometry::Vec3& r) {
  double x[3] = {p.x, p.y, p.z}, y[3] = {q.x, q.y, q.z}, z[3] = {r.x, r.y, r.z};
  a.triangle(a.dispData, x, y, z, LWCSYS_WORLD);
}
inline void putQuad(const LWCustomObjAccess& a, const velmora::geometry::Vec3& p, const velmora::geometry::Vec3& q,
                    const velmora::geometry::Vec3& r, const velmora::geometry::Vec3& s) {
  double x[3] = {p.x, p.y, p.z}, y[3] = {q.x, q.y, q.z}, z[3] = {r.x, r.y, r.z}, w[3] = {s.x, s.y, s.z};
  a.quad(a.dispData, x, y, z, w, LWCSYS_WORLD);
}
inline velmora::geometry::Vec3 toVec3(const double p[3]) { return {p[0], p[1], p[2]}; }
