// Encoding of LwoObject as FORM LWO2, and the LWOB to LWO2 conversion.
#include <exception>
#include <stdexcept>

#include "files/atomic_write.h"
#include "files/iff_writer.h"
#include "files/lwo_io.h"
#include "files/lwo_ids.h"
#include "files/lwob_surface.h"

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

}  // namespace

std::vector<std::string> LwoObject::convertToLwo2() {
  std::vector<std::string> dropped;
  if (format_ != LwoFormat::Lwob) return dropped;
  for (LwoChunk& chunk : chunks_) {
    if (chunk.id != kSurf || !std::holds_alternative<std::monostate>(chunk.data) || chunk.original.size() < 8)
      continue;
    LwobSurfaceConversion converted = convertLwobSurface(chunk.original);
    chunk.original = std::move(converted.chunk);
    for (const std::string& what : converted.dropped) dropped.push_back("surface \"" + converted.name + "\": " + what);
  }
  format_ = LwoFormat::Lwo2;
  return dropped;
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
