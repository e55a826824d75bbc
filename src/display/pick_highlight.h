// Step 14 of the weight display: while "Sel Object" picks, the object under the cursor
// is highlighted in translucent orange, its pieces drawn farthest first.
#pragma once
#include <span>

#include "display/display_frame.h"

extern "C" {
#include <lwmeshes.h>
}

// Collects the pieces of a mesh: every FACE, PTCH or SUBD polygon of at least two
// points gives a line (2), a triangle (3) or n - 2 triangles (n >= 4, by the polygon
// triangulation; a polygon it cannot cut is left out), at the mesh's displayed
// positions (pntOtherPos). Replaces the contents of pieces; keeps its storage.
void collectHighlightPieces(LWMeshInfoID mesh, std::vector<HighlightPiece>& pieces);

// Sorts piece pointers ascending by depthKey over [first, last].
void depthSortFastTrigons(std::span<HighlightPiece*> pieces, int first, int last);

// Draws the pieces farthest first in transOrange (draw mode 0): triangles filled, lines
// as bands 2.5 pixels wide. Sets each piece's depthKey along the view.
void drawHighlightPieces(DisplayFrame& f, std::vector<HighlightPiece>& pieces);
