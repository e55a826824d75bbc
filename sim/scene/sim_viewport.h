// A Layout viewport of the simulated host: its view type, where it looks from, its zoom
// and its pixel rectangle, with the projection the host would use to draw it.
#pragma once
#include "scene/sim_math.h"

namespace sim {

struct SimViewport {
  int type = 7;                 // LVVIEWT_*: 1 top ... 4 front ... 7 perspective
  Vec3 center = {0, 0, 0};      // the point the view looks at
  Vec3 rotation = {0, 0, 0};    // perspective views: heading, pitch, bank (radians)
  double zoom = 2.0;            // orthographic: metres from centre to the top edge;
                                // perspective: distance from the eye to the centre
  double fovY = 0.7;            // perspective vertical field of view (radians)
  int left = 0, top = 0, width = 640, height = 480;
  double hither = 0.01, yon = 1000.0;

  bool perspective() const { return type >= 7; }
  // View-to-world frame: axis 0 right, 1 up, 2 into the screen.
  Frame viewFrame() const;
  Vec3 eye() const;
  // World to window pixels (origin at the top left) and depth 0..1; false behind the eye.
  bool project(const Vec3& world, double* x, double* y, double* z) const;
  Vec3 unproject(double x, double y, double z) const;
  // World size of `pixels` pixels at a point.
  double pixelSize(double pixels, const Vec3& at) const;
};

}  // namespace sim
