// velmora-sim: the command-line host. Everything lives in sim/app so tests can run it
// in-process; this only supplies the arguments and the module built alongside.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return sim::app::cliMain(args, VELMORA_DEFAULT_MODULE, std::cout, std::cerr, isatty(STDOUT_FILENO) != 0);
}
