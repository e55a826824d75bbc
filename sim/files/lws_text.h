// Line and token helpers shared by the scene reader and the scene edits.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/lws_scene.h"

namespace sim {

// Splits text into lines, each keeping its own ending, so joining them gives the text back.
std::vector<LwsLine> splitLwsLines(std::string_view text);
std::string_view trimLws(std::string_view s);  // without leading and trailing blanks and tabs
std::vector<std::string_view> lwsTokens(std::string_view s);

struct LwsKeyword {
  std::string_view key;   // first token of the trimmed line
  std::string_view rest;  // the rest, trimmed; spaces inside kept
};
LwsKeyword splitKeyword(std::string_view line);

// Whole-token parses; nullopt on anything left over, and for non-finite numbers.
std::optional<double> parseLwsDouble(std::string_view s);
std::optional<long long> parseLwsInt(std::string_view s);
std::optional<std::uint32_t> parseLwsHexId(std::string_view s);  // up to 8 hex digits

// Shortest text that reads back to the same double ("0.5", "1", "1e-07").
std::string formatLwsNumber(double v);

}  // namespace sim
