#include "host/draw_recorder.h"

#include <algorithm>
#include <cstring>

namespace sim {
namespace {

// The access hands back only dispData: the list itself, which also carries the state.
DrawList* L(void* disp) { return static_cast<DrawList*>(disp); }

DrawPrimitive& add(void* disp, DrawPrimitive::Kind kind, std::initializer_list<const double*> vertices, int csys) {
  DrawList* list = L(disp);
  DrawPrimitive p = list->current;
  p.kind = kind;
  p.csys = csys;
  for (const double* v : vertices)
    if (v) p.vertices.push_back({v[0], v[1], v[2]});
  list->primitives.push_back(std::move(p));
  return list->primitives.back();
}

void setColor(void* disp, float rgba[4]) {
  if (rgba) std::copy(rgba, rgba + 4, L(disp)->current.colour.begin());
}
void setPattern(void* disp, int lpat) { L(disp)->current.pattern = lpat; }
void setTexture(void* disp, int size, unsigned char* rgba) {
  DrawList* list = L(disp);
  list->current.textureSize = rgba && size > 0 ? size : 0;
  list->textureSize = list->current.textureSize;
  list->current.textureIndex = -1;
  if (list->textureSize) {
    list->texture.assign(rgba, rgba + size_t(size) * size_t(size) * 4);
    list->current.textureIndex = int(list->textures.size());
    list->textures.push_back(list->texture);
    list->textureSizes.push_back(size);
  } else {
    list->texture.clear();
  }
}
void setUVs(void* disp, double uv0[2], double uv1[2], double uv2[2], double uv3[2]) {
  double* uvs[4] = {uv0, uv1, uv2, uv3};
  for (int i = 0; i < 4; ++i)
    if (uvs[i]) L(disp)->current.uvs[size_t(i)] = {uvs[i][0], uvs[i][1]};
}
void point(void* disp, double p[3], int csys) { add(disp, DrawPrimitive::Point, {p}, csys); }
void line(void* disp, double a[3], double b[3], int csys) { add(disp, DrawPrimitive::Line, {a, b}, csys); }
void triangle(void* disp, double a[3], double b[3], double c[3], int csys) {
  add(disp, DrawPrimitive::Triangle, {a, b, c}, csys);
}
void quad(void* disp, double a[3], double b[3], double c[3], double d[3], int csys) {
  add(disp, DrawPrimitive::Quad, {a, b, c, d}, csys);
}
void circle(void* disp, double center[3], double radius, int csys) {
  add(disp, DrawPrimitive::Circle, {center}, csys).radius = radius;
}
void disk(void* disp, double center[3], double radius, int csys) {
  add(disp, DrawPrimitive::Disk, {center}, csys).radius = radius;
}
void text(void* disp, double p[3], const char* s, int just, int csys) {
  DrawPrimitive& prim = add(disp, DrawPrimitive::Text, {p}, csys);
  prim.text = s ? s : "";
  prim.justify = just;
}
void setCSysItem(void* disp, LWItemID item) { L(disp)->current.csysItem = uint64_t(reinterpret_cast<uintptr_t>(item)); }
void polygon(void* disp, unsigned int numv, double verts[][3], int csys) {
  DrawPrimitive& prim = add(disp, DrawPrimitive::Polygon, {}, csys);
  for (unsigned i = 0; verts && i < numv; ++i) prim.vertices.push_back({verts[i][0], verts[i][1], verts[i][2]});
}
void polyIndexed(void* disp, unsigned int numv, unsigned int index[], double verts[][3], int csys) {
  DrawPrimitive& prim = add(disp, DrawPrimitive::Polygon, {}, csys);
  for (unsigned i = 0; verts && index && i < numv; ++i)
    prim.vertices.push_back({verts[index[i]][0], verts[index[i]][1], verts[index[i]][2]});
}
void setDrawMode(void* disp, unsigned int mode) { L(disp)->current.drawMode = mode; }
void setPart(void*, unsigned int) {}

}  // namespace

void beginRecording(LWCustomObjAccess& access, DrawList& list, int lwView, const double viewPos[3],
                    const double viewDir[3]) {
  list.primitives.clear();
  list.current = DrawPrimitive{};
  list.texture.clear();
  list.textureSize = 0;
  list.textures.clear();
  list.textureSizes.clear();
  access = LWCustomObjAccess{};
  access.view = lwView;
  access.flags = 0;
  access.dispData = &list;
  access.setColor = setColor;
  access.setPattern = setPattern;
  access.setTexture = setTexture;
  access.setUVs = setUVs;
  access.point = point;
  access.line = line;
  access.triangle = triangle;
  access.quad = quad;
  access.circle = circle;
  access.text = text;
  for (int i = 0; i < 3; ++i) {
    access.viewPos[i] = viewPos[i];
    access.viewDir[i] = viewDir[i];
  }
  access.setCSysItem = setCSysItem;
  access.polygon = polygon;
  access.polyIndexed = polyIndexed;
  access.setDrawMode = setDrawMode;
  access.disk = disk;
  access.setPart = setPart;
}

}  // namespace sim
