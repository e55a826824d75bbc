// Headless panel services, rasters, the Layout progress monitor and the
// multithreading utilities.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>

#include "host/host_access.h"
#include "host/panel_state.h"

extern "C" {
#include <lwmonitor.h>
#include <lwmtutil.h>
}

namespace sim {

// --- panels ------------------------------------------------------------------------

ControlState* PanelState::control(const std::string& label) {
  for (auto& c : controls)
    if (c->label == label) return c.get();
  return nullptr;
}

std::vector<std::string> PanelState::texts() const {
  std::vector<std::string> out;
  for (const auto& d : drawn)
    if (d.kind == "text") out.push_back(d.text);
  return out;
}

void PanelState::redraw() {
  drawn.clear();
  blits.clear();
  if (drawHook) drawHook(this, userData, DR_REFRESH);
  for (auto& c : controls)
    if (c->drawHook) c->drawHook(&c->api, c->userData, DR_REFRESH);
}

namespace {

constexpr int kCharWidth = ControlState::kLabelCharWidth;  // the headless font: fixed width
LWDisplayMetrics stMetrics = {1920, 1080, 96, 96, 1 << 24, 0, 14, 11};

PanelState* P(LWPanelID p) { return static_cast<PanelState*>(p); }
ControlState* C(LWControlID c) { return static_cast<ControlState*>(c); }

void record(LWPanelID pan, DrawRecord r) {
  if (pan) P(pan)->drawn.push_back(std::move(r));
}
void drPixel(LWPanelID p, int c, int x, int y) { record(p, {"pixel", "", x, y, 1, 1, c}); }
int packRgb(int r, int g, int b) { return ((r & 255) << 16) | ((g & 255) << 8) | (b & 255); }
DrawRecord rgbRecord(const char* kind, int r, int g, int b, int x, int y, int w, int h) {
  DrawRecord d{kind, "", x, y, w, h, packRgb(r, g, b)};
  d.rgb = true;
  return d;
}
void drRGBPixel(LWPanelID p, int r, int g, int b, int x, int y) { record(p, rgbRecord("pixel", r, g, b, x, y, 1, 1)); }
void drLine(LWPanelID p, int c, int x1, int y1, int x2, int y2) { record(p, {"line", "", x1, y1, x2, y2, c}); }
void drBox(LWPanelID p, int c, int x, int y, int w, int h) { record(p, {"box", "", x, y, w, h, c}); }
void drRGBBox(LWPanelID p, int r, int g, int b, int x, int y, int w, int h) {
  record(p, rgbRecord("rgbbox", r, g, b, x, y, w, h));
}
void drBorder(LWPanelID p, int indent, int x, int y, int w, int h) { record(p, {"border", "", x, y, w, h, indent}); }
int drTextWidth(LWPanelID, char* text) { return text ? int(std::strlen(text)) * kCharWidth : 0; }
void drText(LWPanelID p, char* text, int c, int x, int y) { record(p, {"text", text ? text : "", x, y, 0, 0, c}); }
const LWDisplayMetrics* drMetrics() { return &stMetrics; }

DrawFuncs stDrawFuncs = {drPixel, drRGBPixel, drLine, drBox, drRGBBox, drBorder, drTextWidth, drText, drMetrics};

void ctlDraw(LWControlID c, DrMode mode) {
  ControlState* s = C(c);
  if (!s) return;
  // GHOST_CON draws with DR_GHOST; RENDER_CON and UNGHOST_CON both draw with DR_RENDER.
  if (mode == DR_GHOST) s->ghosted = true;
  if (mode == DR_RENDER) s->ghosted = false;
  if (s->drawHook && mode != DR_ERASE) s->drawHook(c, s->userData, mode);
}

void ctlGet(LWControlID c, cTag tag, LWValue* v) {
  ControlState* s = C(c);
  if (!s || !v) return;
  switch (tag) {
    case CTL_X: v->intv.value = s->x; break;
    case CTL_Y: v->intv.value = s->y; break;
    case CTL_W: v->intv.value = s->w; break;
    case CTL_H: v->intv.value = s->h; break;
    case CTL_HOTX: v->intv.value = s->x + 2; break;
    case CTL_HOTY: v->intv.value = s->y + 2; break;
    case CTL_HOTW: v->intv.value = s->w - 4; break;
    case CTL_HOTH: v->intv.value = s->h - 4; break;
    case CTL_LABELWIDTH: v->intv.value = s->labelWidth(); break;
    case CTL_MOUSEX: v->intv.value = s->mouseX; break;
    case CTL_MOUSEY: v->intv.value = s->mouseY; break;
    case CTL_MOUSEBUTTON: v->intv.value = s->mouseButton; break;
    case CTL_FLAGS: v->intv.value = s->flags; break;
    case CTL_RANGEMIN: v->intv.value = s->rangeMin; break;
    case CTL_RANGEMAX: v->intv.value = s->rangeMax; break;
    case CTL_USERDATA: v->ptr.ptr = s->userData; break;
    case CTL_PANEL: v->ptr.ptr = s->panel; break;
    case CTL_PANFUN: v->ptr.ptr = nullptr; break;
    case CTL_LABEL:
      if (v->str.buf && v->str.bufLen > 0) {
        std::strncpy(v->str.buf, s->label.c_str(), size_t(v->str.bufLen - 1));
        v->str.buf[v->str.bufLen - 1] = 0;
      }
      break;
    case CTL_VALUE:
      switch (v->type) {
        case LWT_INTEGER: case LWT_BOOLEAN: case LWT_CHOICE: v->intv.value = s->intValue; break;
        case LWT_FLOAT: case LWT_DISTANCE: case LWT_PERCENT: case LWT_RANGE: v->flt.value = s->floatValue; break;
        case LWT_STRING:
          if (v->str.buf && v->str.bufLen > 0) {
            std::strncpy(v->str.buf, s->stringValue.c_str(), size_t(v->str.bufLen - 1));
            v->str.buf[v->str.bufLen - 1] = 0;
          }
          break;
        case LWT_VINT: for (int i = 0; i < 3; ++i) v->ivec.val[i] = s->ivec[size_t(i)]; break;
        case LWT_VFLOAT: case LWT_VDIST: for (int i = 0; i < 3; ++i) v->fvec.val[i] = s->fvec[size_t(i)]; break;
        case LWT_POINTER: case LWT_LWITEM: v->ptr.ptr = s->pointer; break;
        default: break;
      }
      break;
    default: break;
  }
}

void ctlSet(LWControlID c, cTag tag, LWValue* v) {
  ControlState* s = C(c);
  if (!s || !v) return;
  switch (tag) {
    case CTL_X: s->x = v->intv.value; break;
    case CTL_Y: s->y = v->intv.value; break;
    case CTL_W: s->w = v->intv.value; break;
    case CTL_H: s->h = v->intv.value; break;
    case CTL_FLAGS: s->flags = v->intv.value; break;
    case CTL_RANGEMIN: s->rangeMin = v->intv.value; break;
    case CTL_RANGEMAX: s->rangeMax = v->intv.value; break;
    case CTL_USERDATA: s->userData = v->ptr.ptr; break;
    case CTL_USEREVENT: s->event = reinterpret_cast<LWCtlEventHook>(v->ptr.ptr); break;
    case CTL_USERDRAW: s->drawHook = reinterpret_cast<LWCtlDrawHook>(v->ptr.ptr); break;
    case CTL_LABEL: s->label = v->str.buf ? v->str.buf : ""; break;
    case CTL_VALUE:
      switch (v->type) {
        case LWT_INTEGER: case LWT_BOOLEAN: case LWT_CHOICE: s->intValue = v->intv.value; break;
        case LWT_FLOAT: case LWT_DISTANCE: case LWT_PERCENT: case LWT_RANGE: s->floatValue = v->flt.value; break;
        case LWT_STRING: s->stringValue = v->str.buf ? v->str.buf : ""; break;
        case LWT_VINT: for (int i = 0; i < 3; ++i) s->ivec[size_t(i)] = v->ivec.val[i]; break;
        case LWT_VFLOAT: case LWT_VDIST: for (int i = 0; i < 3; ++i) s->fvec[size_t(i)] = v->fvec.val[i]; break;
        case LWT_POINTER: case LWT_LWITEM: s->pointer = v->ptr.ptr; break;
        default: break;
      }
      break;
    default: break;
  }
}

LWPanelID panCreate(char* title, void*) {
  auto p = std::make_unique<PanelState>();
  p->title = title ? title : "";
  H().panels.push_back(std::move(p));
  return H().panels.back().get();
}

void panDestroy(LWPanelID pan) {
  if (!pan) return;
  auto& panels = H().panels;
  for (auto it = panels.begin(); it != panels.end(); ++it)
    if (it->get() == pan) {
      panels.erase(it);
      return;
    }
}

int panOpen(LWPanelID pan, int flags) {
  PanelState* p = P(pan);
  if (!p) return 0;
  p->open = true;
  p->openCount++;
  p->lastOpenFlags = flags;
  if (p->openHook) p->openHook(pan, p->userData);
  p->redraw();
  if (!(flags & PANF_BLOCKING)) return 1;
  // A blocking panel is answered at once: OK unless the test queued a Cancel.
  Host& h = H();
  int answer = 1;
  if (!h.dialogScripts.empty()) {
    auto script = std::move(h.dialogScripts.front());
    h.dialogScripts.pop_front();
    answer = script(*p);
  } else if (!h.panelAnswers.empty()) {
    answer = h.panelAnswers.front();
    h.panelAnswers.pop_front();
  }
  h.messages.push_back({"panel", p->title, p->texts().empty() ? "" : p->texts()[0],
                        p->texts().size() > 1 ? p->texts()[1] : ""});
  p->open = false;
  if (p->closeHook) p->closeHook(pan, p->userData);
  p->result = answer;
  return answer;
}

int panHandle(LWPanelID pan, int) { return P(pan) && P(pan)->open ? 0 : -1; }
void panDraw(LWPanelID pan, DrMode) {
  if (P(pan)) P(pan)->redraw();
}
void panClose(LWPanelID pan) {
  PanelState* p = P(pan);
  if (!p || !p->open) return;
  p->open = false;
  if (p->closeHook) p->closeHook(pan, p->userData);
}

void panGet(LWPanelID pan, pTag tag, void* value) {
  PanelState* p = P(pan);
  if (!p || !value) return;
  int* iv = static_cast<int*>(value);
  switch (tag) {
    case PAN_X: *iv = p->x; break;
    case PAN_Y: *iv = p->y; break;
    case PAN_W: *iv = p->w; break;
    case PAN_H: *iv = p->h; break;
    case PAN_VERSION: *iv = LWPANELS_API_VERSION; break;
    case PAN_RESULT: *iv = p->result; break;
    case PAN_USERDATA: *static_cast<void**>(value) = p->userData; break;
    case PAN_TITLE: *static_cast<const char**>(value) = p->title.c_str(); break;
    default: *iv = 0; break;
  }
}

void panSet(LWPanelID pan, pTag tag, void* value) {
  PanelState* p = P(pan);
  if (!p) return;
  switch (tag) {
    case PAN_X: if (value) p->x = *static_cast<int*>(value); break;
    case PAN_Y: if (value) p->y = *static_cast<int*>(value); break;
    case PAN_W: if (value) p->w = *static_cast<int*>(value); break;
    case PAN_H: if (value) p->h = *static_cast<int*>(value); break;
    case PAN_USERDATA: p->userData = value; break;
    case PAN_USERDRAW: p->drawHook = reinterpret_cast<LWPanDrawHook>(value); break;
    case PAN_USEROPEN: p->openHook = reinterpret_cast<LWPanHook>(value); break;
    case PAN_USERCLOSE: p->closeHook = reinterpret_cast<LWPanHook>(value); break;
    case PAN_USERACTIVATE: p->activateHook = reinterpret_cast<LWPanHook>(value); break;
    case PAN_USERKEYS: p->keyHook = reinterpret_cast<LWPanKeyHook>(value); break;
    case PAN_MOUSEBUTTON: p->mouseButtonHook = reinterpret_cast<LWPanMouseHook>(value); break;
    case PAN_MOUSEMOVE: p->mouseMoveHook = reinterpret_cast<LWPanMouseHook>(value); break;
    case PAN_TITLE: p->title = value ? static_cast<const char*>(value) : ""; break;
    default: break;
  }
}

LWControl* panAddControl(LWPanelID pan, char* type, ControlDesc* desc, char* label) {
  PanelState* p = P(pan);
  if (!p || !type) return nullptr;
  auto c = std::make_unique<ControlState>();
  c->panel = p;
  c->type = type;
  c->label = label ? label : "";
  c->api.draw = ctlDraw;
  c->api.get = ctlGet;
  c->api.set = ctlSet;
  c->api.priv_data = c.get();
  if (desc) {
    c->descType = desc->type;
    if (desc->type == LWT_CHOICE && desc->choice.items) {
      c->itemSource = desc->choice.items;
      for (const char** it = desc->choice.items; *it; ++it) c->items.push_back(*it);
    }
    if (desc->type == LWT_POPUP) c->popup = desc->popup;
    if (desc->type == LWT_MLIST) {
      c->multiList = desc->multiList;
      if (desc->multiList.width > 0) c->w = desc->multiList.width;
      // The rows shown and a title row, at the headless font's line height.
      c->h = (std::max(desc->multiList.visItems, 1) + 1) * (stMetrics.textHeight + 2);
    }
    if (desc->type == LWT_RANGE) {
      c->rangeMin = desc->range.min;
      c->rangeMax = desc->range.max;
    }
    if (desc->type == LWT_RANGE && desc->range.width > 0) c->w = desc->range.width;
    if (desc->type == LWT_POPUP && desc->popup.width > 0) c->w = desc->popup.width;
    // WPOPUP_CTL passes its width in choice.vertical, above the MX_* codes.
    if (desc->type == LWT_CHOICE && c->type == "PopupControl" && desc->choice.vertical > MX_POPUP)
      c->w = desc->choice.vertical;
    if (desc->type == LWT_AREA && desc->area.width > 0) {
      c->w = desc->area.width;
      c->h = desc->area.height > 0 ? desc->area.height : 20;
    }
  }
  int bottom = 0;
  for (const auto& other : p->controls) bottom = std::max(bottom, other->y + other->h);
  c->y = bottom + 4;
  p->controls.push_back(std::move(c));
  // The control's own address doubles as its id: LWControl is the first member.
  return &p->controls.back()->api;
}

LWControl* panNextControl(LWPanelID pan, LWControlID ctl) {
  PanelState* p = P(pan);
  if (!p || p->controls.empty()) return nullptr;
  if (!ctl) return &p->controls.front()->api;
  for (size_t i = 0; i + 1 < p->controls.size(); ++i)
    if (&p->controls[i]->api == ctl) return &p->controls[i + 1]->api;
  return nullptr;
}

LWPanelFuncs stPanelFuncs = {panCreate, panDestroy, panOpen, panHandle, panDraw, panClose,
                             panGet, panSet, panAddControl, panNextControl, &stDrawFuncs,
                             nullptr, nullptr};

// --- rasters -----------------------------------------------------------------------

PanelRaster* R(LWRasterID r) { return static_cast<PanelRaster*>(r); }
void rsPixel(LWRasterID r, int c, int x, int y) { if (r) R(r)->drawn.push_back({"pixel", "", x, y, 1, 1, c}); }
void rsRGBPixel(LWRasterID r, int red, int g, int b, int x, int y) {
  if (r) R(r)->drawn.push_back(rgbRecord("pixel", red, g, b, x, y, 1, 1));
}
void rsLine(LWRasterID r, int c, int x, int y, int x2, int y2) { if (r) R(r)->drawn.push_back({"line", "", x, y, x2, y2, c}); }
void rsBox(LWRasterID r, int c, int x, int y, int w, int h) { if (r) R(r)->drawn.push_back({"box", "", x, y, w, h, c}); }
void rsRGBBox(LWRasterID r, int red, int g, int b, int x, int y, int w, int h) {
  if (!r) return;
  // A box over the whole raster hides everything drawn before it: forget that, so a
  // raster redrawn often keeps a short record.
  if (x <= 0 && y <= 0 && x + w >= R(r)->w && y + h >= R(r)->h) R(r)->drawn.clear();
  R(r)->drawn.push_back(rgbRecord("rgbbox", red, g, b, x, y, w, h));
}
void rsErase(LWRasterID r, int x, int y, int w, int h) { if (r) R(r)->drawn.push_back({"erase", "", x, y, w, h, 0}); }
void rsBorder(LWRasterID r, int indent, int x, int y, int w, int h) {
  if (r) R(r)->drawn.push_back({"border", "", x, y, w, h, indent});
}
void rsText(LWRasterID r, char* text, int c, int x, int y) {
  if (r) R(r)->drawn.push_back({"text", text ? text : "", x, y, 0, 0, c});
}
LWRasterID rsCreate(int w, int h, int) { return new PanelRaster{w, h, {}}; }
void rsDestroy(LWRasterID r) { delete R(r); }
// The blit keeps a copy of what the raster held, so a picture of the panel can show it.
void rsBlitPanel(LWRasterID src, int srcX, int srcY, LWPanelID pan, int x, int y, int w, int h) {
  if (!src || !pan) return;
  DrawRecord d{"blit", "", x, y, w, h, 0};
  d.srcX = srcX;
  d.srcY = srcY;
  d.blitted = R(src)->drawn;
  P(pan)->drawn.push_back(std::move(d));
  P(pan)->blits.push_back({*R(src), srcX, srcY, x, y, w, h});
}
void rsBlitRaster(LWRasterID, int, int, LWRasterID, int, int, int, int) {}

LWRasterFuncs stRasterFuncs = {rsPixel, rsRGBPixel, rsLine, rsBox, rsRGBBox, rsErase, rsBorder,
                               rsText, rsCreate, rsDestroy, rsBlitPanel, rsBlitRaster};

// --- progress monitor ----------------------------------------------------------------

}  // namespace
}  // namespace sim

struct st_LMONDATA {
  std::string title;
  unsigned total = 0;
  unsigned done = 0;
  unsigned steps = 0;
  bool open = false;
};

namespace sim {
namespace {

LWLMonID monCreate() { return new st_LMONDATA; }
void monSetup(LWLMonID m, char* title, unsigned, const char*) {
  if (m) m->title = title ? title : "";
}
void monWinPos(LWLMonID, int, int, int, int) {}
void monInit(LWLMonID m, unsigned total, const char* msg) {
  if (!m) return;
  m->total = total;
  m->done = 0;
  m->steps = 0;
  m->open = true;
  if (H().onProgress) H().onProgress(msg ? msg : m->title, 0, total);
}
int monStep(LWLMonID m, unsigned incr, const char* msg) {
  if (!m) return 0;
  m->done += incr;
  m->steps++;
  Host& h = H();
  if (h.onProgress) h.onProgress(msg ? msg : m->title, m->done, m->total);
  return h.cancelMonitorAfter >= 0 && int(m->steps) >= h.cancelMonitorAfter ? 1 : 0;
}
void monDone(LWLMonID m) {
  if (m) m->open = false;
}
void monDestroy(LWLMonID m) { delete m; }

LWLMonFuncs stMonFuncs = {monCreate, monSetup, monWinPos, monInit, monStep, monDone, monDestroy};

// --- multithreading utilities --------------------------------------------------------

struct MTThread {
  LWMTThreadFunc func = nullptr;
  std::vector<char> argCopy;
  void* arg = nullptr;
  int result = 0;
  int index = 0;
  struct MTGroup* group = nullptr;
};

struct MTGroup {
  int capacity = 0;
  std::vector<std::unique_ptr<MTThread>> threads;
  std::atomic<bool> aborted{false};
  std::atomic<bool> done{true};
  std::mutex mutexes[129];
  std::vector<std::thread> running;
};

thread_local MTThread* tlThread = nullptr;
thread_local void* tlData = nullptr;

struct MTMutexSet {
  std::mutex mutexes[129];
};

LWMTUtilID mtCreate() { return new MTMutexSet; }
void mtDestroy(LWMTUtilID id) { delete static_cast<MTMutexSet*>(id); }
int mtLock(LWMTUtilID id, int m) {
  if (!id || m < 0 || m > 128) return 0;
  static_cast<MTMutexSet*>(id)->mutexes[m].lock();
  return 1;
}
int mtUnlock(LWMTUtilID id, int m) {
  if (!id || m < 0 || m > 128) return 0;
  static_cast<MTMutexSet*>(id)->mutexes[m].unlock();
  return 1;
}

MTGroup* G(LWMTGroupID g) { return static_cast<MTGroup*>(g); }

void syncGroup(MTGroup* g) {
  for (auto& t : g->running)
    if (t.joinable()) t.join();
  g->running.clear();
  g->done = true;
}

LWMTGroupID grpCreate(int count) {
  auto* g = new MTGroup;
  g->capacity = count;
  return g;
}
void grpDestroy(LWMTGroupID g) {
  if (!g) return;
  syncGroup(G(g));
  delete G(g);
}
int grpLock(LWMTGroupID g, int m) {
  if (!g || m < 0 || m > 128) return 0;
  G(g)->mutexes[m].lock();
  return 1;
}
int grpUnlock(LWMTGroupID g, int m) {
  if (!g || m < 0 || m > 128) return 0;
  G(g)->mutexes[m].unlock();
  return 1;
}
LWMTThreadID grpAddThread(LWMTGroupID g, LWMTThreadFunc func, int size, void* arg) {
  if (!g || !func || int(G(g)->threads.size()) >= G(g)->capacity) return nullptr;
  auto t = std::make_unique<MTThread>();
  t->func = func;
  if (size > 0 && arg) {
    t->argCopy.assign(static_cast<char*>(arg), static_cast<char*>(arg) + size);
    t->arg = t->argCopy.data();
  } else {
    t->arg = arg;
  }
  t->index = int(G(g)->threads.size());
  t->group = G(g);
  G(g)->threads.push_back(std::move(t));
  return G(g)->threads.back().get();
}
LWMTThreadID grpThreadID(LWMTGroupID g, int i) {
  if (!g || i < 0 || size_t(i) >= G(g)->threads.size()) return nullptr;
  return G(g)->threads[size_t(i)].get();
}
int grpThreadCount(LWMTGroupID g) { return g ? int(G(g)->threads.size()) : 0; }
int grpBegin(LWMTGroupID g) {
  if (!g) return 0;
  MTGroup* grp = G(g);
  syncGroup(grp);
  grp->aborted = false;
  grp->done = false;
  for (auto& t : grp->threads) {
    MTThread* th = t.get();
    grp->running.emplace_back([th] {
      tlThread = th;
      th->result = th->func(th->arg);
      tlThread = nullptr;
    });
  }
  return 1;
}
void grpSync(LWMTGroupID g) {
  if (g) syncGroup(G(g));
}
int grpRun(LWMTGroupID g) {
  if (!grpBegin(g)) return 0;
  grpSync(g);
  return 1;
}
void grpAbort(LWMTGroupID g) {
  if (g) G(g)->aborted = true;
}
int grpIsDone(LWMTGroupID g) { return g && G(g)->done ? 1 : 0; }
int grpIsAborted(LWMTGroupID g) { return g && G(g)->aborted ? 1 : 0; }
int grpResult(LWMTGroupID g, int i) {
  if (!g || i < 0 || size_t(i) >= G(g)->threads.size()) return 0;
  return G(g)->threads[size_t(i)]->result;
}
LWMTThreadID thrID() { return tlThread; }
void thrSetData(void* p) { tlData = p; }
void* thrGetData() { return tlData; }
void* thrGetArg() { return tlThread ? tlThread->arg : nullptr; }
void* thrGetArgByID(LWMTThreadID t) { return t ? static_cast<MTThread*>(t)->arg : nullptr; }
int thrIndex() { return tlThread ? tlThread->index : 0; }
int thrIndexByID(LWMTThreadID t) { return t ? static_cast<MTThread*>(t)->index : 0; }
int thrCount(LWMTThreadID t) { return t ? int(static_cast<MTThread*>(t)->group->threads.size()) : 0; }
LWMTGroupID thrGroup(LWMTThreadID t) { return t ? static_cast<MTThread*>(t)->group : nullptr; }
int thrCheckAbort() { return tlThread && tlThread->group->aborted ? 1 : 0; }
int thrCheckAbortByID(LWMTThreadID t) { return t && static_cast<MTThread*>(t)->group->aborted ? 1 : 0; }
void thrSleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
void thrSetArg(void* p) {
  if (tlThread) tlThread->arg = p;
}
void thrSetIndex(int i) {
  if (tlThread) tlThread->index = i;
}
int grpWait(LWMTGroupID g, unsigned) {
  grpSync(g);
  return 1;
}
LWMTRWLockID rwCreate() { return nullptr; }
void rwVoid(LWMTRWLockID) {}
int rwTimeout(LWMTRWLockID, unsigned) { return 1; }

LWMTUtilFuncs stMTFuncs = {mtCreate, mtDestroy, mtLock, mtUnlock, grpCreate, grpDestroy,
                           grpLock, grpUnlock, grpAddThread, grpThreadID, grpThreadCount,
                           grpRun, grpBegin, grpSync, grpAbort, grpAbort, grpIsDone,
                           grpIsAborted, grpResult, thrID, thrSetData, thrGetData, thrGetArg,
                           thrGetArgByID, thrIndex, thrIndexByID, thrCount, thrGroup,
                           thrCheckAbort, thrCheckAbortByID, thrSleep, thrSetArg, thrSetIndex,
                           grpWait, rwCreate, rwVoid, rwVoid, rwTimeout, rwVoid, rwVoid,
                           rwVoid, rwVoid};

}  // namespace

LWPanelFuncs* panelFuncsRecord() { return &stPanelFuncs; }
void closePanelAsUser(PanelState* panel) {
  Host::PluginCall call(H());
  panClose(panel);
}
LWRasterFuncs* rasterFuncsRecord() { return &stRasterFuncs; }

namespace {

bool mouseTrapped(const PanelState* panel) { return panel && panel->open && (panel->lastOpenFlags & PANF_MOUSETRAP); }

}  // namespace

bool panelMousePress(PanelState* panel, int buttons, int x, int y) {
  if (!mouseTrapped(panel) || !panel->mouseButtonHook) return false;
  Host::PluginCall call(H());
  panel->mouseButtonHook(panel, panel->userData, buttons | MOUSE_DOWN, x, y);
  return true;
}

bool panelMouseDrag(PanelState* panel, int buttons, int x, int y) {
  if (!mouseTrapped(panel) || !panel->mouseMoveHook) return false;
  Host::PluginCall call(H());
  panel->mouseMoveHook(panel, panel->userData, buttons | MOUSE_DOWN, x, y);
  return true;
}

bool panelMouseRelease(PanelState* panel, int buttons, int x, int y) {
  if (!mouseTrapped(panel) || !panel->mouseButtonHook) return false;
  Host::PluginCall call(H());
  panel->mouseButtonHook(panel, panel->userData, buttons & ~MOUSE_DOWN, x, y);
  return true;
}
LWLMonFuncs* monitorFuncsRecord() { return &stMonFuncs; }
LWMTUtilFuncs* mtUtilFuncsRecord() { return &stMTFuncs; }

}  // namespace sim
