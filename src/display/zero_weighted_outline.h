// "0-Weighted Outline Points": the rule a commit applies before it builds the change
// list, so that a painted region is closed by a ring of explicit zeros.
#pragma once

#include "gradient/gradient_data.h"
#include "mesh/mesh_data.h"

// When zeroOutline is on: every point without a value that shares a line or polygon
// with a point of non-zero value gets the value 0 and is marked changed. Returns the
// number of points it gave a value (0 when off).
int32_t makeZeroWeightedOutlinePoints(MeshData& mesh, const GradientData& gradient, int32_t zeroOutline);
