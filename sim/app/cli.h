// The command-line host's subcommands, callable in-process (velmora-sim's main is a thin
// wrapper). Each returns the process exit code: 0 on success, 1 on failure (with a message
// on `err`), 2 on a usage error.
#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace sim::app {

struct RunOptions {
  std::string input;          // .lws or .lwo; empty: the built-in demo scene
  std::string script;         // empty: the built-in demo script
  std::string outDir = "out";
  std::string module;         // the module file to load
  int demoRings = 48, demoSegments = 64;
  bool progress = false;      // draw a progress bar (only for a terminal)
  int localeId = 0x0409;      // "Locale Info": 0x0409 English, 0x0411 Japanese
};

int runCommand(const RunOptions& options, std::ostream& out, std::ostream& err);
// Loads and saves an object (LWOB becomes LWO2) or a scene without edits.
int convertCommand(const std::string& input, const std::string& output, std::ostream& out, std::ostream& err);
// Describes an object (layers, points, polygons by type, vertex maps) or a scene (items,
// parents, bone rest data and weight maps, master handlers).
int infoCommand(const std::string& input, std::ostream& out, std::ostream& err);

// Parses the arguments after the program name and runs the subcommand (none: run).
// `terminal`: stdout is a terminal, so long work may show progress.
int cliMain(const std::vector<std::string>& args, const std::string& defaultModule, std::ostream& out,
            std::ostream& err, bool terminal);

}  // namespace sim::app
