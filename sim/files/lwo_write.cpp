// Encoding of LwoObject as FORM LWO2, and the LWOB to LWO2 conversion.
#include <exception>
#include <stdexcept>

#include "files/atomic_write.h"
#include "files/byte_reader.h"
#include "files/iff_writer.h"
#include "files/lwo_io.h"
#include "files/lwo_ids.h"

namespace sim {

using namespace lwo_ids;

namespace {


void writeVec(IffWriter& w, const LwoPoint& v) {
  for (float f : v) w.f4(f);
}

struct ChunkEncoder {
  IffWriter& w;
  void operator()(const std::monostate&) const {
    throw std::logic_error("chunk has neither original bytes nor a record");
  }
  void operator()(const LwoTags& t) const {
    for (const std::string& name : t.names) w.s0(name);
  }
  void operator()(const LwoLayer& l) const {
    w.u2(l.number);
    w.u2(l.flags);
    writeVec(w, l.pivot);
    w.s0(l.name);
    if (l.parent) w.u2(*l.parent);
  }
  void operator()(const LwoPoints& p) const {
    for (const LwoPoint& v : p.points) writeVec(w, v);
  }
  void operator()(const LwoBounds& b) const {
    writeVec(w, b.min);
    writeVec(w, b.max);
  }
  void operator()(const LwoPolygons& p) const {
    w.id4(p.type);
    for (std::size_t i = 0; i < p.numPolygons(); ++i) {
      auto corners = p.corners(i);
      if (corners.size() > 0x03FF) throw std::length_error("a polygon has more than 1023 corners");
      w.u2(static_cast<std::uint16_t>(corners.size() | (std::size_t(p.flags[i]) << 10)));
      for (std::uint32_t c : corners) w.vx(c);
    }
  }
  void operator()(const LwoPolygonTags& t) const {
    w.id4(t.type);
    for (std::size_t i = 0; i < t.polygons.size(); ++i) {
      w.vx(t.polygons[i]);
      w.u2(t.tags[i]);
    }
  }
  void operator()(const LwoVertexMap& m) const {
    w.id4(m.type);
    w.u2(m.dimension);
    w.s0(m.name);
    for (std::size_t e = 0; e < m.points.size(); ++e) {
      w.vx(m.points[e]);
      for (std::size_t d = 0; d < m.dimension; ++d) w.f4(m.values[e * m.dimension + d]);
    }
  }
  void operator()(const LwoDiscontinuousMap& m) const {
    w.id4(m.type);
    w.u2(m.dimension);
    w.s0(m.name);
    for (std::size_t e = 0; e < m.points.size(); ++e) {
      w.vx(m.points[e]);
      w.vx(m.polygons[e]);
      for (std::size_t d = 0; d < m.dimension; ++d) w.f4(m.values[e * m.dimension + d]);
    }
  }
};

// LWOB SURF: name, then subchunks with 2-byte sizes; COLR holds 8-bit RGB plus a pad byte and
// DIFF a fraction in 1/256. The LWO2 surface gets the name, an empty source, COLR and DIFF;
// other LWOB surface settings (textures, flags) have no one-to-one LWO2 form and are dropped.
std::vector<std::uint8_t> convertLwobSurface(const std::vector<std::uint8_t>& chunk) {
  std::string name = "Default";
  float rgb[3] = {200 / 255.0f, 200 / 255.0f, 200 / 255.0f};
  float diffuse = 1.0f;
  try {
    ByteReader r(std::span<const std::uint8_t>(chunk).subspan(8), 8);
    name = r.s0("surface name");
    while (r.left() >= 6) {
      std::uint32_t id = r.u4("subchunk id");
      std::uint16_t size = r.u2("subchunk size");
      r.need(size, "subchunk");
      ByteReader sub(std::span<const std::uint8_t>(chunk).subspan(8 + r.pos(), size), 0);
      if (id == kColr && size >= 3)
        for (float& c : rgb) c = sub.u1("colour") / 255.0f;
      if (id == kDiff && size >= 2) diffuse = sub.u2("diffuse") / 256.0f;
      r.skip(size + (size & 1u) <= r.left() ? size + (size & 1u) : size, "subchunk");
    }
  } catch (const ByteReadFault&) {
    // A damaged LWOB surface still yields a usable LWO2 surface with what was read.
  }
  IffWriter w;
  w.begin(kSurf);
  w.s0(name);
  w.s0("");
  w.begin(kColr, true);
  for (float c : rgb) w.f4(c);
  w.vx(0);
  w.end();
  w.begin(kDiff, true);
  w.f4(diffuse);
  w.vx(0);
  w.end();
  w.end();
  return w.take();
}

}  // namespace

void LwoObject::convertToLwo2() {
  if (format_ != LwoFormat::Lwob) return;
  for (LwoChunk& chunk : chunks_)
    if (chunk.id == kSurf && std::holds_alternative<std::monostate>(chunk.data) && chunk.original.size() >= 8)
      chunk.original = convertLwobSurface(chunk.original);
  format_ = LwoFormat::Lwo2;
}

bool writeLwo(const LwoObject& object, std::vector<std::uint8_t>& out, FileError& error) {
  error = FileError{};
  if (object.needsConversion()) {
    error.message = "an LWOB object cannot be written as is; convert it to LWO2 first";
    return false;
  }
  const LwoChunk* current = nullptr;
  try {
    IffWriter w;
    w.begin(kForm);
    w.id4(kLwo2);
    for (const LwoChunk& chunk : object.chunks()) {
      current = &chunk;
      if (!chunk.original.empty()) {
        w.raw(chunk.original);
        continue;
      }
      w.begin(chunk.id);
      std::visit(ChunkEncoder{w}, chunk.data);
      w.end();
    }
    current = nullptr;
    w.end(false);  // the last chunk's pad, if any, is already inside the FORM
    out = w.take();
    out.insert(out.end(), object.trailing().begin(), object.trailing().end());
  } catch (const std::exception& e) {
    if (current) error.chunk = lwoIdText(current->id);
    error.message = e.what();
    return false;
  }
  return true;
}

bool saveLwo(const LwoObject& object, const std::string& path, FileError& error) {
  std::vector<std::uint8_t> bytes;
  if (!writeLwo(object, bytes, error)) {
    error.file = path;
    return false;
  }
  return writeFileAtomically(path, std::span<const char>(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                             error);
}

}  // namespace sim
