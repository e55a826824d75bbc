// "Normalize Weights" and "Clamp Weights": per point, over the maps of a map set.
#pragma once
#include <cstdint>

#include "commands/edit_command_ids.h"

struct InstData;
struct MeshData;

// Divides each chained value by the sum of the absolute values of the point's chain
// (signs kept; an all-zero chain stays). Every point with a chain is listed; returns
// the count.
int32_t normalizeChains(MeshData& mesh);
// Keeps the maxMaps values of largest absolute value at each point; the chain of a point
// with more becomes the removed records only (valueAfter unassigned) and the point is
// listed; other chains are emptied. Returns the number of listed points.
int32_t clampChains(MeshData& mesh, int32_t maxMaps);

void runNormalizeCommand(InstData& inst, CommandMode mode);
void runClampCommand(InstData& inst, CommandMode mode);

inline constexpr int32_t kClampMapsMax = 65535;
