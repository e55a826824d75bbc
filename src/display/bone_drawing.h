// Step 8 of the weight display: the object's bones as translucent double pyramids.
#pragma once

#include "display/display_frame.h"
#include "mesh/child_list.h"

// Draws every drawable bone of the child list (draw mode 0): transSelected for bones in
// the selected-bone list, else transCyan; each of the eight triangles filled when it
// faces the eye; then each of the twelve edges beside a filled triangle as a line,
// dashed for a bone without a weight map. O(bones x picked bones).
void drawBones(DisplayFrame& f, const ChildStcList& bones);
