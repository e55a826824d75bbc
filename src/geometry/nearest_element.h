#pragma once
// Nearest surface element to a point, searched through an ElementGrid in
// growing shells of cells. The grid and the elements are only read; each
// worker thread passes its own NearestScratch, so up to any number of workers
// search the same grid at once without sharing a byte.

#include <cstdint>
#include <span>
#include <vector>

#include "geometry/element_grid.h"
#include "geometry/surface_elements.h"

namespace velmora::geometry {

/// Two candidates whose distances differ by less than this are a tie, won by
/// the smaller in-plane distance (a point over a shared edge goes to the
/// triangle it lies over).
inline constexpr double kNearTieBand = 0.000004;
/// Half the tie band: added to the best distance when a candidate wins.
inline constexpr double kNearTieSlack = 0.000002;
/// Best distance before anything has been found.
inline constexpr double kNearStartDistance = 1e20;

/// Best candidate so far; element -1 while none has been found.
struct NearestResult {
  int element = -1;
  double distance = kNearStartDistance;  ///< winner's distance + kNearTieSlack
  double inPlane = kNearStartDistance;   ///< winner's in-plane distance
};

/// One worker's scratch: a visited byte per element and the elements it set.
/// A byte already set before a search excludes that element from it.
struct NearestScratch {
  std::vector<std::uint8_t> visited;
  std::vector<std::uint32_t> touched;
};

/// Sizes scratch for elementCount elements with no element excluded. The only
/// allocation; searches then allocate nothing.
void prepareNearestScratch(NearestScratch& scratch, std::size_t elementCount);

/// Excludes element from this worker's searches until includeAllElements.
void excludeElement(NearestScratch& scratch, std::size_t element);
/// Clears every exclusion mark of this worker.
void includeAllElements(NearestScratch& scratch);

/// Distance from q to element and the in-plane distance (how far q lies
/// outside the triangle in its plane, or beyond the segment's ends).
void elementDistance(const SurfaceElement& element, const Vec3& q, double& distance,
                     double& inPlane);

/// Tests one candidate and makes it the best when it is nearer, with the tie
/// rule of kNearTieBand. Returns true when it replaced the best.
bool testNearTrigon(std::span<const SurfaceElement> elements, int element, const Vec3& q,
                    NearestResult& best);

/// Nearest indexed element to q. best may come in with a search radius
/// (distance); it is left alone when nothing nearer is found or the grid is
/// not built. Large elements kept apart by the grid are tested as well.
void searchNearTrigon(const ElementGrid& grid, std::span<const SurfaceElement> elements,
                      const Vec3& q, NearestResult& best, NearestScratch& scratch);

}  // namespace velmora::geometry
