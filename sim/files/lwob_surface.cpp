#include "files/lwob_surface.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "files/byte_reader.h"
#include "files/iff_writer.h"
#include "files/lwo_ids.h"

namespace sim {

namespace {

constexpr float kRadiansPerDegree = 3.14159265358979323846f / 180.0f;
constexpr float kDefaultSmoothingDegrees = 89.5f;  // LightWave's angle for a smoothed surface

// LWOB FLAG bits.
constexpr std::uint16_t kLuminous = 1, kOutline = 2, kSmoothing = 4, kColorHighlights = 8, kColorFilter = 16,
                        kOpaqueEdge = 32, kTransparentEdge = 64, kSharpTerminator = 128, kDoubleSided = 256,
                        kAdditive = 512, kShadowAlpha = 1024;

// A surface fraction as LWOB gives it: a 1/256 fixed-point value, overridden by its float form.
struct Fraction {
  std::optional<float> fixed, exact;
  std::optional<float> value() const { return exact ? exact : fixed; }
};

struct LwobSurface {
  float rgb[3] = {200 / 255.0f, 200 / 255.0f, 200 / 255.0f};
  Fraction luminosity, diffuse, specular, reflection, transparency;
  std::optional<float> glossiness;  // LWO2 form, 0..1
  std::optional<float> smoothingDegrees, seamDegrees, refractiveIndex;
  std::optional<std::uint16_t> reflectionMode;
  std::uint16_t flags = 0;
};

std::string idText(std::uint32_t id) {
  std::string s(4, '?');
  for (int i = 0; i < 4; ++i) {
    const char c = static_cast<char>((id >> (24 - 8 * i)) & 0xFF);
    if (c >= 0x20 && c < 0x7F) s[std::size_t(i)] = c;
  }
  return s;
}

std::string textureName(std::uint32_t id) {
  switch (id) {
    case lwoId("CTEX"): return "colour";
    case lwoId("DTEX"): return "diffuse";
    case lwoId("STEX"): return "specular";
    case lwoId("RTEX"): return "reflection";
    case lwoId("TTEX"): return "transparency";
    case lwoId("LTEX"): return "luminosity";
    case lwoId("BTEX"): return "bump";
    default: return {};
  }
}

// LWOB glossiness is the specular exponent n (16, 64, 256, 1024); LWO2 stores g with
// n = 2^(10 g + 2).
float glossinessFromExponent(std::uint16_t n) {
  if (n == 0) return 0.0f;
  return std::clamp((std::log2(float(n)) - 2.0f) / 10.0f, 0.0f, 1.0f);
}

// Reads the sub-chunks; whatever has no LWO2 place goes to `dropped`.
void readSubchunks(ByteReader& r, std::span<const std::uint8_t> body, LwobSurface& s,
                   std::vector<std::string>& dropped) {
  bool inTexture = false;
  while (r.left() >= 6) {
    const std::uint32_t id = r.u4("sub-chunk id");
    const std::uint16_t size = r.u2("sub-chunk size");
    r.need(size, "sub-chunk");
    ByteReader sub(body.subspan(r.pos(), size), 0);
    const std::string texture = textureName(id);
    const bool textureDetail = inTexture && (id >> 24) == 'T' && id != lwoId("TRAN");
    if (!texture.empty()) {
      inTexture = true;
      dropped.push_back(texture + " texture \"" + (size ? sub.s0("texture type") : std::string()) + "\"");
    } else if (textureDetail) {
      // Settings of the texture just named: dropped with it.
    } else {
      inTexture = false;
      switch (id) {
        case lwoId("COLR"):
          if (size >= 3)
            for (float& c : s.rgb) c = sub.u1("colour") / 255.0f;
          break;
        case lwoId("FLAG"): s.flags = sub.u2("flags"); break;
        case lwoId("LUMI"): s.luminosity.fixed = sub.u2("luminosity") / 256.0f; break;
        case lwoId("DIFF"): s.diffuse.fixed = sub.u2("diffuse") / 256.0f; break;
        case lwoId("SPEC"): s.specular.fixed = sub.u2("specular") / 256.0f; break;
        case lwoId("REFL"): s.reflection.fixed = sub.u2("reflection") / 256.0f; break;
        case lwoId("TRAN"): s.transparency.fixed = sub.u2("transparency") / 256.0f; break;
        case lwoId("VLUM"): s.luminosity.exact = sub.f4("luminosity"); break;
        case lwoId("VDIF"): s.diffuse.exact = sub.f4("diffuse"); break;
        case lwoId("VSPC"): s.specular.exact = sub.f4("specular"); break;
        case lwoId("VRFL"): s.reflection.exact = sub.f4("reflection"); break;
        case lwoId("VTRN"): s.transparency.exact = sub.f4("transparency"); break;
        case lwoId("GLOS"): s.glossiness = glossinessFromExponent(sub.u2("glossiness")); break;
        case lwoId("SMAN"): s.smoothingDegrees = sub.f4("smoothing angle"); break;
        case lwoId("RIND"): s.refractiveIndex = sub.f4("refractive index"); break;
        case lwoId("RFLT"): s.reflectionMode = sub.u2("reflection mode"); break;
        case lwoId("RSAN"): s.seamDegrees = sub.f4("seam angle"); break;
        case lwoId("RIMG"): dropped.push_back("reflection image \"" + sub.s0("image") + "\""); break;
        case lwoId("SHDR"): dropped.push_back("shader plug-in \"" + sub.s0("shader") + "\""); break;
        case lwoId("SDAT"): break;  // the data of the shader just named
        case lwoId("EDGE"): dropped.push_back("edge transparency threshold"); break;
        default: dropped.push_back("sub-chunk " + idText(id)); break;
      }
    }
    r.skip(size + (size & 1u) <= r.left() ? size + (size & 1u) : size, "sub-chunk");
  }
}

// An LWO2 sub-chunk holding one float and an envelope index of 0 (no envelope).
void writeValue(IffWriter& w, std::uint32_t id, float value) {
  w.begin(id, true);
  w.f4(value);
  w.vx(0);
  w.end();
}

void writeU2(IffWriter& w, std::uint32_t id, std::uint16_t value) {
  w.begin(id, true);
  w.u2(value);
  w.end();
}

std::vector<std::uint8_t> writeLwo2Surface(const std::string& name, const LwobSurface& s,
                                           std::vector<std::string>& dropped) {
  using namespace lwo_ids;
  IffWriter w;
  w.begin(kSurf);
  w.s0(name);
  w.s0("");  // no source surface
  w.begin(kColr, true);
  for (float c : s.rgb) w.f4(c);
  w.vx(0);
  w.end();
  std::optional<float> luminosity = s.luminosity.value();
  if (!luminosity && (s.flags & kLuminous)) luminosity = 1.0f;
  if (luminosity) writeValue(w, lwoId("LUMI"), *luminosity);
  writeValue(w, kDiff, s.diffuse.value().value_or(1.0f));
  if (auto v = s.specular.value()) writeValue(w, lwoId("SPEC"), *v);
  if (s.glossiness) writeValue(w, lwoId("GLOS"), *s.glossiness);
  if (auto v = s.reflection.value()) writeValue(w, lwoId("REFL"), *v);
  if (s.reflectionMode) writeU2(w, lwoId("RFOP"), *s.reflectionMode);  // same four modes in both
  if (s.seamDegrees) writeValue(w, lwoId("RSAN"), *s.seamDegrees * kRadiansPerDegree);
  if (auto v = s.transparency.value()) writeValue(w, lwoId("TRAN"), *v);
  if (s.refractiveIndex) writeValue(w, lwoId("RIND"), *s.refractiveIndex);
  if (s.flags & kColorHighlights) writeValue(w, lwoId("CLRH"), 1.0f);
  if (s.flags & kColorFilter) writeValue(w, lwoId("CLRF"), 1.0f);
  if (s.flags & kAdditive) writeValue(w, lwoId("ADTR"), 1.0f);
  if (s.flags & kSharpTerminator) writeValue(w, lwoId("SHRP"), 1.0f);
  if (s.flags & kSmoothing) {
    w.begin(lwoId("SMAN"), true);
    w.f4(s.smoothingDegrees.value_or(kDefaultSmoothingDegrees) * kRadiansPerDegree);
    w.end();
  }
  if (s.flags & kDoubleSided) writeU2(w, lwoId("SIDE"), 3);
  if (s.flags & kOutline) writeU2(w, lwoId("LINE"), 0);  // line size in pixels, the default
  if (s.flags & (kOpaqueEdge | kTransparentEdge)) dropped.push_back("opaque/transparent edge flag");
  if (s.flags & kShadowAlpha) dropped.push_back("shadow alpha flag");
  w.end();
  return w.take();
}

}  // namespace

LwobSurfaceConversion convertLwobSurface(std::span<const std::uint8_t> chunk) {
  LwobSurfaceConversion out;
  out.name = "Default";
  LwobSurface surface;
  if (chunk.size() >= 8) {
    // The body as the chunk header sizes it (the pad byte after an odd chunk is not in it).
    const std::size_t size = (std::size_t(chunk[4]) << 24) | (std::size_t(chunk[5]) << 16) |
                             (std::size_t(chunk[6]) << 8) | std::size_t(chunk[7]);
    const std::span<const std::uint8_t> body = chunk.subspan(8, std::min(size, chunk.size() - 8));
    try {
      ByteReader r(body, 8);
      out.name = r.s0("surface name");
      readSubchunks(r, body, surface, out.dropped);
      if (size > body.size()) r.fail("the surface is cut short");
      if (!r.atEnd()) r.fail(std::to_string(r.left()) + " stray bytes at its end");
    } catch (const ByteReadFault& fault) {
      out.dropped.push_back(std::string("the rest of a damaged surface (") + fault.what() + ")");
    }
  }
  out.chunk = writeLwo2Surface(out.name, surface, out.dropped);
  return out;
}

}  // namespace sim
