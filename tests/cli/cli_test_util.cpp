#include "cli_test_util.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "app/cli.h"
#include "support/module_fixture.h"
#include "support/paths.h"

namespace cli_test {

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
