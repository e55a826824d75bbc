#include "panel/control_values.h"

#include <cstring>

int32_t getControlInt(LWControl* c) {
  if (!c) return 0;
  LWValue v{};
  v.type = LWT_INTEGER;
  c->get(c, CTL_VALUE, &v);
  return v.intv.value;
}

void setControlInt(LWControl* c, int32_t value) {
  if (!c) return;
  LWValue v{};
  v.type = LWT_INTEGER;
  v.intv.value = value;
  c->set(c, CTL_VALUE, &v);
}

double getControlFloat(LWControl* c) {
  if (!c) return 0.0;
  LWValue v{};
  v.type = LWT_FLOAT;
  c->get(c, CTL_VALUE, &v);
  return v.flt.value;
}

void setControlFloat(LWControl* c, double value) {
  if (!c) return;
  LWValue v{};
  v.type = LWT_FLOAT;
  v.flt.value = value;
  c->set(c, CTL_VALUE, &v);
}

void getControlText(LWControl* c, char* out, int32_t size) {
  if (!out || size <= 0) return;
  out[0] = 0;
  if (!c) return;
  LWValue v{};
  v.type = LWT_STRING;
  v.str.buf = out;
  v.str.bufLen = size;
  c->get(c, CTL_VALUE, &v);
  out[size - 1] = 0;
}

void setControlText(LWControl* c, const char* text) {
  if (!c) return;
  LWValue v{};
  v.type = LWT_STRING;
  v.str.buf = const_cast<char*>(text ? text : "");
  v.str.bufLen = int(std::strlen(v.str.buf)) + 1;
  c->set(c, CTL_VALUE, &v);
}

void getControlIVec(LWControl* c, int32_t out[3]) {
  out[0] = out[1] = out[2] = 0;
  if (!c) return;
  LWValue v{};
  v.type = LWT_VINT;
  c->get(c, CTL_VALUE, &v);
  for (int i = 0; i < 3; ++i) out[i] = v.ivec.val[i];
}

void setControlIVec(LWControl* c, const int32_t value[3]) {
  if (!c) return;
  LWValue v{};
  v.type = LWT_VINT;
  for (int i = 0; i < 3; ++i) v.ivec.val[i] = value[i];
  c->set(c, CTL_VALUE, &v);
}

void enableControl(LWControl* c, bool enabled) {
  if (c) c->draw(c, enabled ? DR_RENDER : DR_GHOST);
}

void redrawControl(LWControl* c) {
  if (c) c->draw(c, DR_REFRESH);
}

int32_t controlAttribute(LWControl* c, cTag tag) {
  if (!c) return 0;
  LWValue v{};
  v.type = LWT_INTEGER;
  c->get(c, tag, &v);
  return v.intv.value;
}

void setControlAttribute(LWControl* c, cTag tag, int32_t value) {
  if (!c) return;
  LWValue v{};
  v.type = LWT_INTEGER;
  v.intv.value = value;
  c->set(c, tag, &v);
}

void moveControl(LWControl* c, int32_t x, int32_t y) {
  setControlAttribute(c, CTL_X, x);
  setControlAttribute(c, CTL_Y, y);
}

void setControlEvent(LWControl* c, LWCtlEventHook event, void* data) {
  if (!c) return;
  LWValue v{};
  v.type = LWT_POINTER;
  v.ptr.ptr = data;
  c->set(c, CTL_USERDATA, &v);
  if (!event) return;
  v.ptr.ptr = reinterpret_cast<void*>(event);
  c->set(c, CTL_USEREVENT, &v);
}
