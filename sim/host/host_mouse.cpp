// Mouse events in a viewport, delivered to the active Layout tool with the event record
// Layout fills: positions on the plane through the view's centre, screen axes scaled to
// one pixel there, and the view's axis.
#include <cmath>

#include "host/host_slots.h"

extern "C" {
#include <lwtool.h>
}

namespace sim {

namespace {

// Qualifier bits of a 2020 host's tool events (lwtool.h of 2020; the 9.6 header has none).
constexpr int kToolFlagCtrl = 1 << 5, kToolFlagAlt = 1 << 6, kToolFlagShift = 1 << 7;

void put(LWDVector out, const Vec3& v) {
  for (int i = 0; i < 3; ++i) out[i] = v[size_t(i)];
}

// The world axis an orthographic view looks along (0 x, 1 y, 2 z); -1 for perspective.
int portAxisOf(const SimViewport& v) {
  if (v.perspective()) return -1;
  switch (v.type) {
    case 1: case 2: return 1;
    case 5: case 6: return 0;
    default: return 2;
  }
}

LWToolEvent makeEvent(const SimViewport& v, int viewNumber, double x, double y, const Host::MouseDrag& drag,
                      int button, unsigned qualifiers, Vec3* posOut) {
  LWToolEvent ev{};
  double zCenter = 0.0;
  if (!v.project(v.center, nullptr, nullptr, &zCenter)) zCenter = 0.5;
  const Vec3 pos = v.unproject(x, y, zCenter);
  const Frame f = v.viewFrame();
  const double pixel = v.pixelSize(1.0, pos);
  put(ev.posRaw, pos);
  put(ev.posSnap, pos);  // the sim has no grid snapping
  const Vec3 delta = drag.down ? pos - drag.pos : Vec3{0, 0, 0};
  put(ev.deltaRaw, delta);
  put(ev.deltaSnap, delta);
  ev.portAxis = portAxisOf(v);
  Vec3 axis = f.axis[2];
  if (ev.portAxis >= 0) {
    axis = {0, 0, 0};
    axis[size_t(ev.portAxis)] = 1.0;
  } else {
    Vec3 ray = pos - v.eye();
    double len = std::sqrt(dot(ray, ray));
    if (len > 0) axis = ray * (1.0 / len);
  }
  put(ev.axis, axis);
  put(ev.ax, f.axis[0] * pixel);
  put(ev.ay, f.axis[1] * pixel);
  put(ev.az, f.axis[2] * pixel);
  ev.pxRaw = ev.pxSnap = dot(pos - v.center, f.axis[0]);
  ev.pyRaw = ev.pySnap = dot(pos - v.center, f.axis[1]);
  // Screen movement since the press, up positive like ay.
  ev.dx = drag.down ? int(std::lround(x - drag.x)) : 0;
  ev.dy = drag.down ? int(std::lround(drag.y - y)) : 0;
  if (button == 1) ev.flags |= LWTOOLF_ALT_BUTTON;
  if (qualifiers & Host::kMouseShift) ev.flags |= kToolFlagShift;
  if (qualifiers & Host::kMouseCtrl) ev.flags |= kToolFlagCtrl;
  if (qualifiers & Host::kMouseAlt) ev.flags |= kToolFlagAlt;
  ev.viewNumber = viewNumber;
  if (posOut) *posOut = pos;
  return ev;
}

}  // namespace

int Host::toolMouse(MouseAction action, double x, double y, int button, unsigned qualifiers, int viewport) {
  if (!toolActive() || viewport < 0 || size_t(viewport) >= viewports.size()) return -1;
  if (action != MouseAction::Down && !mouseDrag.down) return -1;
  // A drag stays in the viewport it began in, as the host captures the mouse.
  if (action != MouseAction::Down) {
    viewport = mouseDrag.viewport;
    button = mouseDrag.button;
  }
  int result = 0;
  {
    PluginCall call(*this);
    ToolSlot& slot = *tool_;
    LWInstance inst = slot.local.instance;
    Vec3 pos;
    MouseDrag none;
    LWToolEvent ev = makeEvent(viewports[size_t(viewport)], viewport, x, y,
                               action == MouseAction::Down ? none : mouseDrag, button, qualifiers, &pos);
    switch (action) {
      case MouseAction::Down:
        mouseDrag = MouseDrag{true, false, viewport, button, x, y, pos, -1};
        result = slot.funcs.down ? slot.funcs.down(inst, &ev) : 0;
        mouseDrag.toolTook = result != 0;
        // Handle mode: the tool's handles are counted and the one to drag is chosen.
        if (!mouseDrag.toolTook && toolActive()) {
          if (slot.funcs.count) slot.funcs.count(inst, &ev);
          if (toolActive() && slot.funcs.start) mouseDrag.handle = slot.funcs.start(inst, &ev);
        }
        break;
      case MouseAction::Move:
        if (mouseDrag.toolTook && slot.funcs.move) slot.funcs.move(inst, &ev);
        else if (!mouseDrag.toolTook && mouseDrag.handle >= 0 && slot.funcs.adjust)
          mouseDrag.handle = slot.funcs.adjust(inst, &ev, mouseDrag.handle);
        break;
      case MouseAction::Up:
        if (mouseDrag.toolTook && slot.funcs.up) slot.funcs.up(inst, &ev);
        mouseDrag = MouseDrag{};
        break;
    }
  }
  // Back in the event loop (the scene evaluated, events delivered): the callbacks may have
  // left the tool (ChangeTool), so ask only a tool still active.
  if (toolActive() && tool_->funcs.dirty) {
    int dirty = 0;
    {
      PluginCall call(*this);
      dirty = tool_->funcs.dirty(tool_->local.instance);
      if ((dirty & LWT_DIRTY_HELPTEXT) && tool_->funcs.help) {
        LWToolEvent noEvent{};
    const char* text = tool_->funcs.help(tool_->local.instance, &noEvent);
        toolHelpText = text ? text : "";
      }
    }
      // A move may be followed by the next one before the host gets round to a frame.
    const bool frameNow = action != MouseAction::Move || policy.dragRedraw == DragRedraw::EachMove ||
                          (++movesSinceFrame % 2) == 0;
    if ((dirty & LWT_DIRTY_WIREFRAME) && frameNow) {
      movesSinceFrame = 0;
      redrawViewports();
    }
  }
  return result;
}

}  // namespace sim
