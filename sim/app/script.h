// Scripts of user actions for the command-line host: plain text, one action per line,
// '#' starts a comment. A line that is not one of the actions below is a host command as
// typed in Layout ("ItemVisibility 3") and must be understood by the host.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "app/session.h"

namespace sim::app {

struct ScriptLine {
  int number = 0;     // 1-based line in the file
  std::string text;   // without comment and surrounding blanks
};

struct ScriptError {
  int line = 0;
  std::string message;
  std::string text() const { return "script line " + std::to_string(line) + ": " + message; }
};

// The action lines of a script; blank and comment-only lines are dropped.
std::vector<ScriptLine> parseScript(std::string_view text);

// Runs the lines in order and stops at the first that fails.
bool runScript(Session& session, const std::vector<ScriptLine>& lines, ScriptError* error);

// The script actions with an example each, for --help.
std::string scriptHelp();

// The script run when none is given: select `object`, activate the tool, paint one stroke
// into its current weight map, leave the tool, save the objects.
std::string demoScript(const std::string& object);

}  // namespace sim::app
