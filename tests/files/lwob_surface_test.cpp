// LWOB surfaces in LWO2 form: every setting with an LWO2 counterpart arrives with its value
// converted (fractions, glossiness exponent, degrees), and what LWO2 cannot hold is named.
// The LWOB surfaces are built here; one real file checks the same on a texture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "file_test_util.h"
#include "files/byte_reader.h"
#include "files/iff_writer.h"
#include "files/lwo_io.h"
#include "files/lwob_surface.h"

using namespace sim;

namespace {

// LWO2 SURF sub-chunks by id: their bodies.
std::map<std::string, std::vector<std::uint8_t>> subchunks(const std::vector<std::uint8_t>& surf, std::string& name) {
  std::map<std::string, std::vector<std::uint8_t>> out;
  ByteReader r(std::span<const std::uint8_t>(surf).subspan(8), 8);
  name = r.s0("name");
  r.s0("source");
  while (r.left() >= 6) {
    std::uint32_t id = r.u4("id");
    std::uint16_t size = r.u2("size");
    std::vector<std::uint8_t> body(surf.begin() + 8 + long(r.pos()), surf.begin() + 8 + long(r.pos()) + size);
    out[lwoIdText(id)] = body;
    r.skip(size + (size & 1u), "body");
  }
  return out;
}

float f4(const std::vector<std::uint8_t>& body, size_t at = 0) {
  ByteReader r(body, 0);
  r.skip(at, "offset");
  return r.f4("value");
}
std::uint16_t u2(const std::vector<std::uint8_t>& body) {
  ByteReader r(body, 0);
  return r.u2("value");
}

// An LWOB surface: FLAG smoothing, colour highlights, double sided, opaque edge; fixed-point
// and float fractions, glossiness "Medium" (64), 30 degree smoothing, a colour texture.
std::vector<std::uint8_t> lwobSurface(std::uint16_t flags) {
  IffWriter w;
  w.begin(lwoId("SURF"));
  w.s0("Paint");
  auto shortChunk = [&](const char (&id)[5], auto fill) {
    w.begin(lwoId(id), true);
    fill();
    w.end();
  };
  shortChunk("COLR", [&] { w.u1(255); w.u1(128); w.u1(0); w.u1(0); });
  shortChunk("FLAG", [&] { w.u2(flags); });
  shortChunk("LUMI", [&] { w.u2(64); });
  shortChunk("DIFF", [&] { w.u2(128); });
  shortChunk("VDIF", [&] { w.f4(0.6f); });  // the float form wins over DIFF
  shortChunk("SPEC", [&] { w.u2(192); });
  shortChunk("GLOS", [&] { w.u2(64); });
  shortChunk("REFL", [&] { w.u2(32); });
  shortChunk("RFLT", [&] { w.u2(1); });
  shortChunk("TRAN", [&] { w.u2(0); });
  shortChunk("RIND", [&] { w.f4(1.33f); });
  shortChunk("SMAN", [&] { w.f4(30.0f); });
  shortChunk("CTEX", [&] { w.s0("Planar Image Map"); });
  shortChunk("TIMG", [&] { w.s0("wood.iff"); });
  shortChunk("TFLG", [&] { w.u2(4); });
  shortChunk("EDGE", [&] { w.f4(0.5f); });
  w.end();
  return w.take();
}

}  // namespace

TEST(LwobSurface, SettingsLwo2CanHoldAreCarriedOverWithTheirValues) {
  const LwobSurfaceConversion c = convertLwobSurface(lwobSurface(4 | 8 | 256 | 32));
  std::string name;
  auto s = subchunks(c.chunk, name);
  EXPECT_EQ(name, "Paint");
  EXPECT_EQ(c.name, "Paint");
  ASSERT_TRUE(s.count("COLR"));
  EXPECT_FLOAT_EQ(f4(s["COLR"], 0), 1.0f);
  EXPECT_FLOAT_EQ(f4(s["COLR"], 4), 128 / 255.0f);
  EXPECT_FLOAT_EQ(f4(s["LUMI"]), 0.25f);
  EXPECT_FLOAT_EQ(f4(s["DIFF"]), 0.6f);
  EXPECT_FLOAT_EQ(f4(s["SPEC"]), 0.75f);
  EXPECT_NEAR(f4(s["GLOS"]), 0.4f, 1e-6);  // 64 = 2^(10 g + 2)
  EXPECT_FLOAT_EQ(f4(s["REFL"]), 0.125f);
  EXPECT_EQ(u2(s["RFOP"]), 1u);
  EXPECT_FLOAT_EQ(f4(s["TRAN"]), 0.0f);
  EXPECT_FLOAT_EQ(f4(s["RIND"]), 1.33f);
  EXPECT_NEAR(f4(s["SMAN"]), 30.0 * M_PI / 180.0, 1e-6);
  EXPECT_EQ(u2(s["SIDE"]), 3u);
  EXPECT_FLOAT_EQ(f4(s["CLRH"]), 1.0f);
  EXPECT_FALSE(s.count("CLRF"));
  EXPECT_FALSE(s.count("LINE"));
  // The texture (with its own settings), the edge threshold and the edge flag are named.
  ASSERT_EQ(c.dropped.size(), 3u);
  EXPECT_EQ(c.dropped[0], "colour texture \"Planar Image Map\"");
  EXPECT_EQ(c.dropped[1], "edge transparency threshold");
  EXPECT_EQ(c.dropped[2], "opaque/transparent edge flag");
}

TEST(LwobSurface, FlagsDecideSmoothingSidesAndEffects) {
  // Without the smoothing flag the surface is faceted whatever SMAN says.
  auto plain = convertLwobSurface(lwobSurface(0));
  std::string name;
  auto s = subchunks(plain.chunk, name);
  EXPECT_FALSE(s.count("SMAN"));
  EXPECT_FALSE(s.count("SIDE"));
  auto all = convertLwobSurface(lwobSurface(1 | 2 | 16 | 128 | 512 | 1024));
  s = subchunks(all.chunk, name);
  EXPECT_FLOAT_EQ(f4(s["LUMI"]), 0.25f);  // the value, not the flag, sets luminosity
  EXPECT_FLOAT_EQ(f4(s["CLRF"]), 1.0f);
  EXPECT_FLOAT_EQ(f4(s["SHRP"]), 1.0f);
  EXPECT_FLOAT_EQ(f4(s["ADTR"]), 1.0f);
  EXPECT_EQ(u2(s["LINE"]), 0u);
  EXPECT_EQ(all.dropped.back(), "shadow alpha flag");

  // A damaged surface still converts, and says what was lost.
  std::vector<std::uint8_t> cut = lwobSurface(4);
  cut.resize(46);  // inside the DIFF sub-chunk
  auto damaged = convertLwobSurface(cut);
  s = subchunks(damaged.chunk, name);
  EXPECT_EQ(name, "Paint");
  EXPECT_TRUE(s.count("COLR"));
  ASSERT_FALSE(damaged.dropped.empty());
  EXPECT_NE(damaged.dropped.back().find("damaged"), std::string::npos);
}

TEST(LwobSurface, ARealObjectKeepsItsSpecularAndNamesItsTexture) {
  LwoObject object;
  FileError error;
  ASSERT_TRUE(loadLwo(files_test::lightwavePath("assimp/LWOB/bluewithcylindrictexz.lwo"), object, error));
  const std::vector<std::string> dropped = object.convertToLwo2();
  EXPECT_NE(std::find(dropped.begin(), dropped.end(), "surface \"Test\": colour texture \"Cylindrical Image Map\""),
            dropped.end());
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(writeLwo(object, bytes, error)) << error.text();
  for (const auto& chunk : files_test::splitChunks(bytes)) {
    if (chunk.id != "SURF") continue;
    std::string name;
    auto s = subchunks(chunk.bytes, name);
    EXPECT_TRUE(s.count("SPEC") && s.count("GLOS") && s.count("RIND")) << name;
  }
}
