// A LightWave object file (LWO2, or LWOB read into the same form) as its ordered list of chunks.
//
// Representation: `LwoObject` holds the top-level chunks of the FORM in file order. Chunks the
// sim needs (TAGS, LAYR, PNTS, BBOX, POLS, PTAG, VMAP, VMAD) are decoded into records; all others
// (SURF, CLIP, ENVL, VMPA, DESC, TEXT, ICON, unknown ids) stay as bytes in place. Every chunk
// also keeps its original bytes until it is edited, and writing uses those bytes, so an object
// written without edits is byte-identical to the file it came from, and after an edit only the
// changed chunks (and the FORM size) differ.
//
// Layers: a LAYR chunk opens a layer; the chunks after it up to the next LAYR belong to it.
// Chunks before the first LAYR form an implicit layer 0 when they hold geometry. Polygon indices
// in PTAG and VMAD refer to the most recent POLS chunk of the layer; point indices to its PNTS.
// Layers are addressed by their position in the file (0 = first LAYR), not by layer number.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace sim {

// A 4-character IFF id packed big-endian, so lwoId("WGHT") compares as the bytes in the file.
using LwoId = std::uint32_t;
constexpr LwoId lwoId(const char (&s)[5]) {
  return (LwoId(std::uint8_t(s[0])) << 24) | (LwoId(std::uint8_t(s[1])) << 16) |
         (LwoId(std::uint8_t(s[2])) << 8) | LwoId(std::uint8_t(s[3]));
}
std::string lwoIdText(LwoId id);  // "WGHT"; unprintable bytes as '?'
// Parses exactly four characters; nullopt otherwise.
std::optional<LwoId> lwoIdFromText(std::string_view text);

using LwoPoint = std::array<float, 3>;  // object space, x first, as stored (float32)

struct LwoTags {  // TAGS (or the surface names of an LWOB SRFS)
  std::vector<std::string> names;
};

struct LwoLayer {  // LAYR
  std::uint16_t number = 0;
  std::uint16_t flags = 0;  // bit 0: hidden
  LwoPoint pivot{0, 0, 0};
  std::string name;
  std::optional<std::uint16_t> parent;  // layer number of the parent, when the chunk names one
};

struct LwoPoints {  // PNTS
  std::vector<LwoPoint> points;
};

struct LwoBounds {  // BBOX
  LwoPoint min{0, 0, 0};
  LwoPoint max{0, 0, 0};
};

// POLS of one type, corners in offset-plus-index form: polygon i has the corners
// indices[offsets[i] .. offsets[i+1]). Corner order as stored (LightWave: clockwise seen from the
// front). A "keyhole" polygon may list the same point more than once.
struct LwoPolygons {
  LwoId type = 0;                      // FACE, PTCH, SUBD, CURV, BONE, MBAL, ...
  std::vector<std::uint32_t> offsets;  // numPolygons + 1 entries, offsets[0] == 0
  std::vector<std::uint32_t> indices;  // point indices into the layer's PNTS
  std::vector<std::uint16_t> flags;    // upper 6 bits of each corner count, shifted down
  std::size_t numPolygons() const { return flags.size(); }
  std::span<const std::uint32_t> corners(std::size_t polygon) const {
    return {indices.data() + offsets[polygon], offsets[polygon + 1] - offsets[polygon]};
  }
};

struct LwoPolygonTags {  // PTAG
  LwoId type = 0;                      // SURF, PART, SMGP, COLR, ...
  std::vector<std::uint32_t> polygons;  // index into the most recent POLS
  std::vector<std::uint16_t> tags;      // index into TAGS (meaning depends on type)
};

// VMAP: per-point values. Entry i gives point points[i] the values values[i*dim .. i*dim+dim).
struct LwoVertexMap {
  LwoId type = 0;  // WGHT, TXUV, MORF, RGB, RGBA, PICK, NORM, ...
  std::uint16_t dimension = 0;
  std::string name;
  std::vector<std::uint32_t> points;
  std::vector<float> values;
  std::size_t numEntries() const { return points.size(); }
};

// VMAD: per-corner values, keyed by point and polygon (of the most recent POLS).
struct LwoDiscontinuousMap {
  LwoId type = 0;
  std::uint16_t dimension = 0;
  std::string name;
  std::vector<std::uint32_t> points;
  std::vector<std::uint32_t> polygons;
  std::vector<float> values;
  std::size_t numEntries() const { return points.size(); }
};

using LwoChunkData = std::variant<std::monostate, LwoTags, LwoLayer, LwoPoints, LwoBounds, LwoPolygons,
                                  LwoPolygonTags, LwoVertexMap, LwoDiscontinuousMap>;

struct LwoChunk {
  LwoId id = 0;
  std::int64_t fileOffset = -1;      // where the chunk header was in the file; -1 for new chunks
  std::vector<std::uint8_t> original;  // header, body and pad as read; empty once edited or new
  LwoChunkData data;                 // monostate for chunks kept only as bytes
};

// The chunks of one layer, by index into LwoObject::chunks(). npos when absent.
struct LwoLayerChunks {
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);
  std::size_t layr = npos;  // npos for the implicit layer before any LAYR
  std::size_t pnts = npos;
  std::size_t bbox = npos;
  std::vector<std::size_t> pols, ptag, vmap, vmad;
  std::size_t begin = 0, end = 0;  // chunk range [begin, end) the layer spans
};

enum class LwoFormat { Lwo2, Lwob };

class LwoObject {
 public:
  LwoObject() = default;
  LwoObject(LwoFormat format, std::vector<LwoChunk> chunks, std::vector<std::uint8_t> trailing);

  LwoFormat sourceFormat() const { return format_; }
  // True when the object came from LWOB and has not been converted: it cannot be saved as is.
  bool needsConversion() const { return format_ == LwoFormat::Lwob; }
  const std::vector<LwoChunk>& chunks() const { return chunks_; }
  // Bytes after the FORM in the file, kept so they are written back too.
  const std::vector<std::uint8_t>& trailing() const { return trailing_; }

  /** \name Layers (position in file order) \{ */
  std::size_t numLayers() const { return layers_.size(); }
  const LwoLayerChunks& layerChunks(std::size_t layer) const { return layers_.at(layer); }
  // LAYR record of the layer; a default record (number 0, no name) for the implicit layer.
  const LwoLayer& layerInfo(std::size_t layer) const;
  // Position of the first layer with this number, or nullopt.
  std::optional<std::size_t> findLayer(std::uint16_t number) const;
  std::span<const LwoPoint> points(std::size_t layer) const;
  std::vector<const LwoPolygons*> polygons(std::size_t layer) const;       // every POLS, in order
  std::vector<const LwoPolygonTags*> polygonTags(std::size_t layer) const;  // every PTAG, in order
  std::vector<const LwoVertexMap*> vertexMaps(std::size_t layer) const;     // every VMAP, in order
  std::vector<const LwoDiscontinuousMap*> discontinuousMaps(std::size_t layer) const;
  const LwoVertexMap* findVertexMap(std::size_t layer, LwoId type, std::string_view name) const;
  const LwoDiscontinuousMap* findDiscontinuousMap(std::size_t layer, LwoId type, std::string_view name) const;
  const LwoTags* tags() const;  // the first TAGS chunk, or null
  /** \} */

  /** \name Vertex map edits
   * All return false with `error` set, and change nothing, when the layer is out of range, a
   * point index is not below the layer's point count, or dimensions disagree. An edited chunk
   * loses its original bytes and is written from its record from then on.
   * \{ */
  // Gives each point its values in the map (type, name): an existing entry keeps its place in
  // the entry order, a new one is appended. Creates the map, with dimension
  // values.size() / points.size(), after the last VMAP of the layer, or after its PNTS/BBOX when
  // it has none. O(entries + points).
  bool setVertexMapValues(std::size_t layer, LwoId type, std::string_view name,
                          std::span<const std::uint32_t> points, std::span<const float> values,
                          std::string& error);
  bool setVertexMapValue(std::size_t layer, LwoId type, std::string_view name, std::uint32_t point,
                         std::span<const float> values, std::string& error);
  // Drops the point's entry; a map left empty stays (LightWave keeps empty maps too).
  // False when the map does not exist; true (no change) when the point has no entry.
  bool removeVertexMapValue(std::size_t layer, LwoId type, std::string_view name, std::uint32_t point,
                            std::string& error);
  // Deletes the map: its VMAP and VMAD chunks in the layer, each with the VMPA just before it
  // (LightWave treats both as one map). False when neither exists.
  bool deleteVertexMap(std::size_t layer, LwoId type, std::string_view name, std::string& error);
  // Renames the VMAP and VMAD of (type, name). False when it does not exist or `newName` is
  // empty or already used by a map of that type in the layer.
  bool renameVertexMap(std::size_t layer, LwoId type, std::string_view name, std::string_view newName,
                       std::string& error);
  /** \} */

  // Rewrites an LWOB object as LWO2: every chunk written from its record, LWOB surfaces turned
  // into LWO2 SURF chunks with every setting LWO2 can hold (files/lwob_surface.h). Returns one
  // line per setting left behind ("surface \"Blue\": colour texture ..."); no effect, and
  // nothing returned, for an LWO2 object.
  std::vector<std::string> convertToLwo2();

 private:
  void reindexLayers();
  LwoChunk* findMapChunk(std::size_t layer, LwoId id, LwoId type, std::string_view name);
  static void markEdited(LwoChunk& chunk) { chunk.original.clear(); }

  LwoFormat format_ = LwoFormat::Lwo2;
  std::vector<LwoChunk> chunks_;
  std::vector<std::uint8_t> trailing_;
  std::vector<LwoLayerChunks> layers_;
};

}  // namespace sim
