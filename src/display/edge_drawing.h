// Step 10 of the weight display: the snapshot's edges and lines, per display choice.
#pragma once

#include "display/display_frame.h"

// Sets the access's colour only when it differs from the last one set through it, so
// runs of equal colours cost one call.
class ColourPen {
 public:
  explicit ColourPen(const LWCustomObjAccess& access) : access_(access) {}
  void use(const float colour[4]);
  void use(const Rgba& colour) { use(colour.c); }
  // Forget the last colour (after something else set one).
  void reset() { valid_ = false; }

 private:
  const LWCustomObjAccess& access_;
  float last_[4] = {0, 0, 0, 0};
  bool valid_ = false;
};

// An edge in its points' colours: n = screen length / (4 pixel), clamped into [2, 16]
// (integer part), line pieces evenly spaced along drawPos; piece i has the colour
// between a's and b's at (i + 0.5) / n.
void draw1ColoredEdge(const LWCustomObjAccess& access, const PntUserData& a, const PointDraw& da,
                      const PntUserData& b, const PointDraw& db, double pixel);

// A thick edge: a screen-aligned band `width` pixels wide along a -> b (one quad and a
// triangle capping each end), in the current colour. Perspective: the width scales with
// each end's depth. Nothing is drawn for an edge of no screen length.
void draw1Edge_Pers(double width, const LWCustomObjAccess& access, const PointDraw& a, const PointDraw& b,
                    const DrawView& view);
void draw1Edge_Ortho(double width, const LWCustomObjAccess& access, const PointDraw& a, const PointDraw& b,
                     const DrawView& view);

// Which way a face turns on screen: the sign (+1, -1, 0) of its first three corners'
// screen cross product.
int8_t screenTurnOf(const FaceData& face, const std::vector<PointDraw>& points);

// True when the edge lies on the outline: it borders one face, or its two faces turn
// opposite ways on screen. Lines do not count as faces.
bool isOutlineEdge(const EdgeData& edge, const std::vector<PointDraw>& points);
// The same with every face's turn worked out beforehand (faceTurn, by face position in
// mesh.faces), as the display does once per frame instead of once per edge side.
bool isOutlineEdge(const EdgeData& edge, const MeshData& mesh, const std::vector<int8_t>& faceTurn);

// The whole step: draw mode 4 (0 with "No Depth"), solid pattern, then the edges of the
// display choice and, in the shaded choices, every two-point line thick and coloured.
// Edges with an end behind the eye are skipped. O(edges), allocates nothing.
void drawEdges(DisplayFrame& f);
