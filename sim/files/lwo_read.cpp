// Decoding of FORM LWO2 and FORM LWOB into LwoObject.
//
// Sections:
//   [chunk decoders]  one function per modelled LWO2 chunk, each on a window of one chunk body
//   [LWOB]            the old format's SRFS/PNTS/POLS turned into TAGS/LAYR/PNTS/POLS/PTAG
//   [FORM walk]       top-level chunk loop, error reporting, file entry points
#include <exception>
#include <string>

#include "files/atomic_write.h"
#include "files/byte_reader.h"
#include "files/lwo_io.h"
#include "files/lwo_ids.h"

namespace sim {

using namespace lwo_ids;

namespace {


// What later chunks of the current layer may index: its PNTS and its most recent POLS.
struct LayerState {
  std::size_t numPoints = 0;
  std::size_t numPolygons = 0;
};

/** \name chunk decoders \{ */

LwoPoint readVec(ByteReader& r, const char* what) { return {r.f4(what), r.f4(what), r.f4(what)}; }

std::uint32_t readPointIndex(ByteReader& r, const LayerState& state) {
  std::int64_t at = r.fileOffset();
  std::uint32_t p = r.vx("point index");
  if (p >= state.numPoints)
    throw ByteReadFault(at, "point index " + std::to_string(p) + " is not below the layer's " +
                                std::to_string(state.numPoints) + " points");
  return p;
}

std::uint32_t readPolygonIndex(ByteReader& r, const LayerState& state) {
  std::int64_t at = r.fileOffset();
  std::uint32_t p = r.vx("polygon index");
  if (p >= state.numPolygons)
    throw ByteReadFault(at, "polygon index " + std::to_string(p) + " is not below the " +
                                std::to_string(state.numPolygons) + " polygons of the preceding POLS");
  return p;
}

LwoTags decodeTags(ByteReader& r) {
  LwoTags tags;
  while (!r.atEnd()) tags.names.push_back(r.s0("tag name"));
  return tags;
}

LwoLayer decodeLayer(ByteReader& r) {
  LwoLayer layer;
  layer.number = r.u2("layer number");
  layer.flags = r.u2("layer flags");
  layer.pivot = readVec(r, "layer pivot");
  layer.name = r.s0("layer name");
  if (r.left() >= 2) layer.parent = r.u2("layer parent");
  return layer;
}

LwoPoints decodePoints(ByteReader& r) {
  if (r.left() % 12 != 0) r.fail("PNTS size " + std::to_string(r.left()) + " is not a multiple of 12");
  LwoPoints pnts;
  pnts.points.reserve(r.left() / 12);
  while (!r.atEnd()) pnts.points.push_back(readVec(r, "point"));
  return pnts;
}

LwoBounds decodeBounds(ByteReader& r) {
  LwoBounds box;
  box.min = readVec(r, "bounding box");
  box.max = readVec(r, "bounding box");
  return box;
}

LwoPolygons decodePolygons(ByteReader& r, const LayerState& state) {
  LwoPolygons pols;
  pols.type = r.u4("polygon type");
  pols.offsets.reserve(r.left() / 4 + 1);  // every polygon takes at least 4 bytes
  pols.indices.reserve(r.left() / 2);
  pols.offsets.push_back(0);
  while (!r.atEnd()) {
    std::uint16_t count = r.u2("corner count");
    std::uint16_t numCorners = count & 0x03FF;  // low 10 bits; the upper 6 are flags
    for (std::uint16_t c = 0; c < numCorners; ++c) pols.indices.push_back(readPointIndex(r, state));
    pols.flags.push_back(static_cast<std::uint16_t>(count >> 10));
    pols.offsets.push_back(static_cast<std::uint32_t>(pols.indices.size()));
  }
  return pols;
}

LwoPolygonTags decodePolygonTags(ByteReader& r, const LayerState& state) {
  LwoPolygonTags ptag;
  ptag.type = r.u4("tag type");
  while (!r.atEnd()) {
    ptag.polygons.push_back(readPolygonIndex(r, state));
    ptag.tags.push_back(r.u2("tag index"));
  }
  return ptag;
}

template <class Map>
void readMapHeader(ByteReader& r, Map& map) {
  map.type = r.u4("map type");
  map.dimension = r.u2("map dimension");
  map.name = r.s0("map name");
}

void readValues(ByteReader& r, std::uint16_t dimension, std::vector<float>& values) {
  r.need(std::size_t(dimension) * 4, "map values");
  for (std::uint16_t d = 0; d < dimension; ++d) values.push_back(r.f4("map value"));
}

LwoVertexMap decodeVertexMap(ByteReader& r, const LayerState& state) {
  LwoVertexMap map;
  readMapHeader(r, map);
  map.values.reserve(r.left() / 4);
  while (!r.atEnd()) {
    map.points.push_back(readPointIndex(r, state));
    readValues(r, map.dimension, map.values);
  }
  return map;
}

LwoDiscontinuousMap decodeDiscontinuousMap(ByteReader& r, const LayerState& state) {
  LwoDiscontinuousMap map;
  readMapHeader(r, map);
  map.values.reserve(r.left() / 4);
  while (!r.atEnd()) {
    map.points.push_back(readPointIndex(r, state));
    map.polygons.push_back(readPolygonIndex(r, state));
    readValues(r, map.dimension, map.values);
  }
  return map;
}

LwoChunkData decodeLwo2Chunk(LwoId id, ByteReader& r, LayerState& state) {
  switch (id) {
    case kTags: return decodeTags(r);
    case kLayr: state = {}; return decodeLayer(r);
    case kPnts: {
      LwoPoints pnts = decodePoints(r);
      state.numPoints = pnts.points.size();
      return pnts;
    }
    case kBbox: return decodeBounds(r);
    case kPols: {
      LwoPolygons pols = decodePolygons(r, state);
      state.numPolygons = pols.numPolygons();
      return pols;
    }
    case kPtag: return decodePolygonTags(r, state);
    case kVmap: return decodeVertexMap(r, state);
    case kVmad: return decodeDiscontinuousMap(r, state);
    default: return std::monostate{};
  }
}

/** \} */
/** \name LWOB \{ */

// LWOB polygons: U2 corner count, U2 indices, I2 surface (1-based). A negative surface means
// detail polygons follow, preceded by their I2 count; they have the same form, so the list is
// read flat and the count is only skipped.
void decodeLwobPolygons(ByteReader& r, const LayerState& state, std::size_t numSurfaces, LwoPolygons& pols,
                        LwoPolygonTags& ptag) {
  pols.type = kFace;
  ptag.type = kSurf;
  pols.offsets.push_back(0);
  while (!r.atEnd()) {
    std::uint16_t numCorners = r.u2("corner count");
    for (std::uint16_t c = 0; c < numCorners; ++c) {
      std::int64_t at = r.fileOffset();
      std::uint16_t p = r.u2("point index");
      if (p >= state.numPoints)
        throw ByteReadFault(at, "point index " + std::to_string(p) + " is not below the " +
                                    std::to_string(state.numPoints) + " points");
      pols.indices.push_back(p);
    }
    std::int64_t at = r.fileOffset();
    int surface = static_cast<std::int16_t>(r.u2("surface index"));
    if (surface < 0) {
      surface = -surface;
      r.u2("detail polygon count");
    }
    if (surface == 0 || static_cast<std::size_t>(surface) > numSurfaces)
      throw ByteReadFault(at, "surface index " + std::to_string(surface) + " is not in 1.." +
                                  std::to_string(numSurfaces));
    ptag.polygons.push_back(static_cast<std::uint32_t>(pols.flags.size()));
    ptag.tags.push_back(static_cast<std::uint16_t>(surface - 1));
    pols.flags.push_back(0);
    pols.offsets.push_back(static_cast<std::uint32_t>(pols.indices.size()));
  }
}

/** \} */
/** \name FORM walk \{ */

std::uint32_t peekU4(std::span<const std::uint8_t> b, std::size_t at) {
  return (std::uint32_t(b[at]) << 24) | (std::uint32_t(b[at + 1]) << 16) | (std::uint32_t(b[at + 2]) << 8) |
         std::uint32_t(b[at + 3]);
}

bool fail(FileError& error, const std::string& label, const std::string& chunk, std::int64_t offset,
          const std::string& message) {
  error = FileError{label, chunk, offset, 0, message};
  return false;
}

}  // namespace

bool readLwo(std::span<const std::uint8_t> bytes, const std::string& label, LwoObject& out, FileError& error) {
  if (bytes.empty()) return fail(error, label, {}, 0, "the file is empty");
  if (bytes.size() < 12) return fail(error, label, {}, 0, "too short for an IFF FORM header (" +
                                                              std::to_string(bytes.size()) + " bytes)");
  if (peekU4(bytes, 0) != kForm) return fail(error, label, {}, 0, "not an IFF file (no FORM at the start)");
  const std::uint64_t formSize = peekU4(bytes, 4);
  const LwoId type = peekU4(bytes, 8);
  if (type == kLwo3)
    return fail(error, label, "FORM", 8,
                "LWO3 objects (LightWave 2015 and later) are not supported; save the object as LWO2");
  if (type != kLwo2 && type != kLwob)
    return fail(error, label, "FORM", 8, "not a LightWave object (FORM type " + lwoIdText(type) + ")");
  if (formSize < 4) return fail(error, label, "FORM", 4, "FORM size " + std::to_string(formSize) + " is too small");
  const std::uint64_t formEnd = 8 + formSize;
  if (formEnd > bytes.size())
    return fail(error, label, "FORM", 4,
                "FORM size says " + std::to_string(formEnd) + " bytes but the file has only " +
                    std::to_string(bytes.size()) + " (truncated?)");

  const bool lwob = type == kLwob;
  std::vector<LwoChunk> chunks;
  LayerState state;
  std::size_t numSurfaces = 0;
  bool haveLayer = false;
  std::size_t pos = 12;
  LwoId chunkId = 0;
  try {
    while (pos < formEnd) {
      if (formEnd - pos < 8)
        return fail(error, label, {}, static_cast<std::int64_t>(pos),
                    std::to_string(formEnd - pos) + " stray bytes where a chunk header should be");
      chunkId = peekU4(bytes, pos);
      const std::uint64_t size = peekU4(bytes, pos + 4);
      if (size > formEnd - pos - 8)
        return fail(error, label, lwoIdText(chunkId), static_cast<std::int64_t>(pos),
                    "chunk size " + std::to_string(size) + " runs past the end of the FORM (" +
                        std::to_string(formEnd - pos - 8) + " bytes left)");
      // An odd chunk is followed by a pad byte, except where a writer left it off at the end.
      std::uint64_t stored = 8 + size + (size & 1u);
      if (pos + stored > formEnd) stored = 8 + size;
      std::span<const std::uint8_t> body = bytes.subspan(pos + 8, size);
      ByteReader r(body, static_cast<std::int64_t>(pos + 8));

      LwoChunk chunk;
      chunk.id = chunkId;
      chunk.fileOffset = static_cast<std::int64_t>(pos);
      if (!lwob) {
        chunk.data = decodeLwo2Chunk(chunkId, r, state);
        chunk.original.assign(bytes.begin() + pos, bytes.begin() + pos + stored);
        chunks.push_back(std::move(chunk));
      } else if (chunkId == kSrfs) {
        LwoTags tags = decodeTags(r);
        numSurfaces = tags.names.size();
        chunk.id = kTags;
        chunk.data = std::move(tags);
        chunks.push_back(std::move(chunk));
      } else if (chunkId == kPnts) {
        if (!haveLayer) {  // LWOB has no layers: everything is layer 1 of the LWO2 form
          LwoChunk layr;
          layr.id = kLayr;
          LwoLayer info;
          info.number = 0;
          layr.data = info;
          chunks.push_back(std::move(layr));
          haveLayer = true;
        }
        LwoPoints pnts = decodePoints(r);
        state.numPoints = pnts.points.size();
        chunk.data = std::move(pnts);
        chunks.push_back(std::move(chunk));
      } else if (chunkId == kPols) {
        LwoPolygons pols;
        LwoPolygonTags ptag;
        decodeLwobPolygons(r, state, numSurfaces, pols, ptag);
        chunk.data = std::move(pols);
        chunks.push_back(std::move(chunk));
        LwoChunk tagChunk;
        tagChunk.id = kPtag;
        tagChunk.fileOffset = static_cast<std::int64_t>(pos);
        tagChunk.data = std::move(ptag);
        chunks.push_back(std::move(tagChunk));
      } else {
        // SURF and the rest stay as LWOB bytes; convertToLwo2 translates SURF.
        chunk.original.assign(bytes.begin() + pos, bytes.begin() + pos + stored);
        chunks.push_back(std::move(chunk));
      }
      pos += stored;
    }
  } catch (const ByteReadFault& fault) {
    return fail(error, label, lwoIdText(chunkId), fault.offset, fault.what());
  } catch (const std::exception& e) {
    return fail(error, label, lwoIdText(chunkId), static_cast<std::int64_t>(pos), e.what());
  }
  std::vector<std::uint8_t> trailing(bytes.begin() + formEnd, bytes.end());
  out = LwoObject(lwob ? LwoFormat::Lwob : LwoFormat::Lwo2, std::move(chunks), std::move(trailing));
  return true;
}

bool loadLwo(const std::string& path, LwoObject& out, FileError& error) {
  std::string data;
  if (!readWholeFile(path, data, error)) return false;
  auto bytes = std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
  return readLwo(bytes, path, out, error);
}

/** \} */

}  // namespace sim
