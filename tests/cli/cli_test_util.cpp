#include "cli_test_util.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include <gtest/gtest.h>

#include "app/cli.h"
#include "files/lwo_io.h"
#include "support/module_fixture.h"
#include "support/paths.h"

namespace cli_test {

std::string lightwave(const std::string& relative) { return velmora_test::testdataPath("lightwave/" + relative); }

std::string examples(const std::string& relative) {
  return (std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "examples" / relative).string();
}

void writeLayeredObject(const std::string& path, const std::vector<TestLayer>& layers) {
  std::vector<sim::LwoChunk> chunks;
  auto add = [&](const char (&id)[5], sim::LwoChunkData data) {
    sim::LwoChunk c;
    c.id = sim::lwoId(id);
    c.data = std::move(data);
    chunks.push_back(std::move(c));
  };
  add("TAGS", sim::LwoTags{{"Default"}});
  for (const TestLayer& layer : layers) {
    sim::LwoLayer info;
    info.number = std::uint16_t(layer.number);
    info.pivot = layer.pivot;
    add("LAYR", info);
    add("PNTS", sim::LwoPoints{layer.points});
    sim::LwoPolygons pols;
    pols.type = sim::lwoId("FACE");
    pols.offsets = {0, std::uint32_t(layer.points.size())};
    for (std::uint32_t i = 0; i < layer.points.size(); ++i) pols.indices.push_back(i);
    pols.flags = {0};
    add("POLS", pols);
    sim::LwoPolygonTags ptag;
    ptag.type = sim::lwoId("SURF");
    ptag.polygons = {0};
    ptag.tags = {0};
    add("PTAG", ptag);
  }
  sim::FileError error;
  if (!sim::saveLwo(sim::LwoObject(sim::LwoFormat::Lwo2, std::move(chunks), {}), path, error))
    ADD_FAILURE() << error.text();
}

std::string sceneText(const std::string& body) {
  return "LWSC\n5\n\nFirstFrame 1\nLastFrame 60\nFramesPerSecond 30\n\n" + body + "\n";
}

CliResult runCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  CliResult r;
  r.code = sim::app::cliMain(args, velmora_test::moduleFile(), out, err, false);
  r.out = out.str();
  r.err = err.str();
  return r;
}

}  // namespace cli_test
