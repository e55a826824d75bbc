// velmora-sim: the command-line host. Everything lives in sim/app so tests can run it
// in-process; this only supplies the arguments and the module built alongside.
#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "system/os_calls.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return sim::app::cliMain(args, VELMORA_DEFAULT_MODULE, std::cout, std::cerr, sim::os::standardOutputIsTerminal());
}
