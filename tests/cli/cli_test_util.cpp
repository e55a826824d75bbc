#include "cli_test_util.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "app/cli.h"
#include "support/module_fixture.h"
#include "support/paths.h"

namespace cli_test {

Scratch::Scratch() : path_(makeTempDir()) {}
Scratch::~Scratch() { removeTempDir(path_.string()); }

std::vector<std::uint8_t> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string readText(const std::string& path) {
  auto bytes = readBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

void writeText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string lightwave(const std::string& relative) { return velmora_test::testdataPath("lightwave/" + relative); }

std::string examples(const std::string& relative) {
  return (std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "examples" / relative).string();
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
