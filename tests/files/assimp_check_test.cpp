// An independent reader (assimp's command-line tool) must open the objects we write, with the
// same polygon count and, as its raw import gives every polygon corner its own vertex, a vertex
// count equal to our total number of corners.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "file_test_util.h"
#include "files/lwo_io.h"

using namespace sim;

namespace {

bool haveAssimp() { return std::system("command -v assimp >/dev/null 2>&1") == 0; }

std::string run(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  std::array<char, 4096> buf;
  while (std::size_t n = std::fread(buf.data(), 1, buf.size(), pipe)) out.append(buf.data(), n);
  ::pclose(pipe);
  return out;
}

// The number after "Name:" at the start of a line of the report, -1 when missing.
long field(const std::string& report, const std::string& name) {
  std::size_t at = report.find("\n" + name + ":");
  if (at == std::string::npos) return -1;
  return std::strtol(report.c_str() + at + name.size() + 2, nullptr, 10);
}

}  // namespace

TEST(AssimpCheck, WrittenObjectsOpenWithTheSameCounts) {
  if (!haveAssimp()) GTEST_SKIP() << "assimp (Debian package assimp-utils) is not installed";
  files_test::ScratchDir dir;
  for (const char* rel : {"assimp/LWO2/hierarchy.lwo", "blender-import-lwo/LWO2/box4-uv-layers.lwo",
                          "blender-import-lwo/LWO2/ngon2.lwo", "assimp/LWO2/UglyVertexColors.lwo",
                          "java3d-examples/greenball.lwo", "assimp/LWOB/sphere_with_mat_gloss_10pc.lwo"}) {
    SCOPED_TRACE(rel);
    LwoObject o;
    FileError error;
    ASSERT_TRUE(loadLwo(files_test::lightwavePath(rel), o, error)) << error.text();
    if (o.needsConversion()) o.convertToLwo2();
    long polygons = 0, corners = 0;
    std::string why;
    for (std::size_t l = 0; l < o.numLayers(); ++l) {
      for (const LwoPolygons* p : o.polygons(l)) {
        polygons += static_cast<long>(p->numPolygons());
        corners += static_cast<long>(p->indices.size());
      }
      std::vector<std::uint32_t> points(o.points(l).size());
      std::vector<float> weights(points.size());
      for (std::size_t i = 0; i < points.size(); ++i) {
        points[i] = static_cast<std::uint32_t>(i);
        weights[i] = static_cast<float>(i % 11) / 10.0f;
      }
      ASSERT_TRUE(o.setVertexMapValues(l, lwoId("WGHT"), "Velmora", points, weights, why)) << why;
    }
    std::string path = dir.file("written.lwo");
    ASSERT_TRUE(saveLwo(o, path, error)) << error.text();
    std::string report = run("assimp info '" + path + "' -r 2>&1");
    EXPECT_EQ(field(report, "Faces"), polygons) << report;
    EXPECT_EQ(field(report, "Vertices"), corners) << report;
  }
}
