// Step 7 of the weight display: the snapshot's faces filled with the gradient texture.
#pragma once
#include <span>

#include "display/display_frame.h"

// Sorts face pointers ascending by depthKey over [first, last] (quicksort on the middle
// element's key; equal keys in no particular order). O(n log n), no allocation.
void depthSortMeshPolygons(std::span<FaceData*> faces, int first, int last);

// Shaded choices only, with a gradient texture and faces: each face's corners take
// u = (colourKey + 0.5) / N, v = 1.5 / N. Depth on: draw mode 13, colorWhite, list
// order. Triangles go as quads with a repeated corner (the documented texture target).
// "No Depth": draw mode 0, transWhite, farthest first by centroid . vd (each face's
// depthKey set; the order kept in state.faceDepths, which keeps its storage). The
// texture is released afterwards.
void drawShadedFaces(DisplayFrame& f);
