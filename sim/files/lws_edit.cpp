// Writing scenes, evaluating item motions, and the line edits for bones and master handlers.
#include <algorithm>
#include <charconv>
#include <iterator>

#include "files/atomic_write.h"
#include "files/lws_scene.h"
#include "files/lws_text.h"

namespace sim {

std::string formatLwsNumber(double v) {
  char buf[64];
  auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v);
  return ec == std::errc() ? std::string(buf, p) : std::string("0");
}

std::string writeLws(const LwsScene& scene) {
  std::string out;
  for (const LwsLine& line : scene.lines) {
    out += line.text;
    out += line.eol;
  }
  return out;
}

bool saveLws(const LwsScene& scene, const std::string& path, FileError& error) {
  std::string text = writeLws(scene);
  return writeFileAtomically(path, std::span<const char>(text.data(), text.size()), error);
}

double LwsChannel::valueAt(double seconds) const {
  if (keys.empty()) return 0.0;
  // Keys are stored in time order; the first key later than `seconds` closes the span.
  std::size_t next = 0;
  while (next < keys.size() && keys[next].time <= seconds) ++next;
  if (next == 0) return keys.front().value;
  if (next == keys.size()) return keys.back().value;
  const LwsKey& a = keys[next - 1];
  const LwsKey& b = keys[next];
  // LightWave gives each key the shape of its incoming curve: a stepped key holds the previous value.
  if (b.shape == 4 || b.time <= a.time) return a.value;
  double u = (seconds - a.time) / (b.time - a.time);
  return a.value + u * (b.value - a.value);
}

LwsTransform itemTransformAt(const LwsItem& item, double seconds) {
  LwsTransform t;
  const auto& ch = item.motion.channels;
  for (std::size_t c = 0; c < ch.size() && c < 9; ++c) {
    if (ch[c].keys.empty()) continue;  // a channel without keys leaves the identity part
    double v = ch[c].valueAt(seconds);
    if (c < 3) t.position[c] = v;
    else if (c < 6) t.rotation[c - 3] = v;
    else t.scale[c - 6] = v;
  }
  return t;
}

namespace {

// Keywords at brace depth 0 outside plug-in blocks within an item, with their line index.
std::vector<std::pair<std::size_t, std::string_view>> topLevelKeywords(const LwsScene& scene, const LwsItem& item) {
  std::vector<std::pair<std::size_t, std::string_view>> out;
  int depth = 0;
  bool inPlugin = false;
  for (std::size_t i = item.firstLine; i < item.endLine && i < scene.lines.size(); ++i) {
    std::string_view t = trimLws(scene.lines[i].text);
    if (inPlugin) {
      if (depth == 0 && t == "EndPlugin") inPlugin = false;
    }
    if (!t.empty() && t.front() == '{') {
      ++depth;
      continue;
    }
    if (!t.empty() && t.front() == '}') {
      --depth;
      continue;
    }
    if (depth != 0 || inPlugin || t.empty()) continue;
    LwsKeyword kw = splitKeyword(t);
    if (kw.key == "Plugin") {
      inPlugin = true;
      continue;
    }
    out.emplace_back(i, kw.key);
  }
  return out;
}

// Where LightWave writes the bone keywords, in order; a missing line goes after the nearest
// earlier one that is present.
constexpr std::string_view kBoneOrder[] = {
    "BoneName",      "ShowBone",          "BoneActive",        "BoneRestPosition", "BoneRestDirection",
    "BoneRestLength", "BoneWeightMapName", "BoneWeightMapOnly", "BoneNormalization", "BoneStrength",
    "ScaleBoneStrength", "BoneStrengthMultiply", "BoneLimitedRange", "BoneMinRange", "BoneMaxRange",
    "BoneType",      "BoneMotion"};

int boneRank(std::string_view key) {
  auto it = std::find(std::begin(kBoneOrder), std::end(kBoneOrder), key);
  return it == std::end(kBoneOrder) ? -1 : static_cast<int>(it - std::begin(kBoneOrder));
}

std::string dominantEol(const LwsScene& scene) {
  for (const LwsLine& line : scene.lines)
    if (!line.eol.empty()) return line.eol;
  return "\n";
}

// Replaces the scene by the parse of `lines`; the scene is untouched when that fails.
bool rebuild(LwsScene& scene, std::vector<LwsLine> lines, std::string& error) {
  LwsScene edited;
  edited.lines = std::move(lines);
  FileError fault;
  if (!readLws(writeLws(edited), "edited scene", edited, fault)) {
    error = "the edit would make the scene unreadable: " + fault.text();
    return false;
  }
  scene = std::move(edited);
  return true;
}

void insertLine(const LwsScene& scene, std::vector<LwsLine>& lines, std::size_t at, std::string text) {
  std::string eol = dominantEol(scene);
  if (at > 0 && at == lines.size() && lines[at - 1].eol.empty()) lines[at - 1].eol = eol;
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), LwsLine{std::move(text), eol});
}

bool checkBone(const LwsScene& scene, int bone, std::string& error) {
  if (bone < 0 || static_cast<std::size_t>(bone) >= scene.items.size() ||
      scene.items[static_cast<std::size_t>(bone)].type != LwsItemType::Bone) {
    error = "item " + std::to_string(bone) + " is not a bone";
    return false;
  }
  return true;
}

// Sets the bone's `key` line to `value` (nullopt: removes it). `aliases` are other spellings
// that count as the same line. With `skipDefault`, a missing line whose value would equal
// `defaultValue` is not added.
bool setBoneLine(LwsScene& scene, int bone, std::string_view key, std::initializer_list<std::string_view> aliases,
                 std::optional<std::string> value, bool skipDefault, std::string_view defaultValue,
                 std::string& error) {
  if (!checkBone(scene, bone, error)) return false;
  if (value && value->find_first_of("\r\n") != std::string::npos) {
    error = "a value cannot contain a line break";
    return false;
  }
  const LwsItem& item = scene.items[static_cast<std::size_t>(bone)];
  auto keywords = topLevelKeywords(scene, item);
  std::vector<LwsLine> lines = scene.lines;
  for (const auto& [at, k] : keywords) {
    bool same = k == key || std::find(aliases.begin(), aliases.end(), k) != aliases.end();
    if (!same) continue;
    if (!value) {
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
    } else {
      lines[at].text = std::string(k) + " " + *value;
    }
    return rebuild(scene, std::move(lines), error);
  }
  if (!value || (skipDefault && *value == defaultValue)) return true;
  std::size_t after = item.firstLine;
  int rank = boneRank(key);
  for (const auto& [at, k] : keywords) {
    int r = boneRank(k);
    if (r >= 0 && r < rank) after = at;
  }
  insertLine(scene, lines, after + 1, std::string(key) + " " + *value);
  return rebuild(scene, std::move(lines), error);
}

}  // namespace

bool setBoneRestLength(LwsScene& scene, int bone, double length, std::string& error) {
  return setBoneLine(scene, bone, "BoneRestLength", {}, formatLwsNumber(length), false, {}, error);
}

bool setBoneStrength(LwsScene& scene, int bone, double strength, std::string& error) {
  return setBoneLine(scene, bone, "BoneStrength", {}, formatLwsNumber(strength), false, {}, error);
}

bool setBoneWeightMapName(LwsScene& scene, int bone, std::string_view name, std::string& error) {
  std::optional<std::string> value;
  if (!name.empty()) value = std::string(name);
  return setBoneLine(scene, bone, "BoneWeightMapName", {}, value, false, {}, error);
}

bool setBoneFlag(LwsScene& scene, int bone, LwsBoneFlag flag, bool on, std::string& error) {
  if (!checkBone(scene, bone, error)) return false;
  std::string value = on ? "1" : "0";
  switch (flag) {
    case LwsBoneFlag::Active:
      return setBoneLine(scene, bone, "BoneActive", {}, value, true, "1", error);
    case LwsBoneFlag::WeightMapOnly:
      return setBoneLine(scene, bone, "BoneWeightMapOnly", {}, value, true, "0", error);
    case LwsBoneFlag::Normalization:
      return setBoneLine(scene, bone, "BoneNormalization", {}, value, true, "0", error);
    case LwsBoneFlag::StrengthMultiply:
      return setBoneLine(scene, bone, "ScaleBoneStrength", {"BoneStrengthMultiply"}, value, true, "0", error);
    case LwsBoneFlag::LimitedRange: {
      // Keep range values written on the same line after the flag.
      const LwsItem& item = scene.items[static_cast<std::size_t>(bone)];
      for (const auto& [at, k] : topLevelKeywords(scene, item))
        if (k == "BoneLimitedRange") {
          std::vector<std::string_view> tok = lwsTokens(splitKeyword(scene.lines[at].text).rest);
          for (std::size_t t = 1; t < tok.size(); ++t) {
            value += ' ';
            value.append(tok[t]);
          }
        }
      return setBoneLine(scene, bone, "BoneLimitedRange", {}, value, true, "0", error);
    }
  }
  return false;
}

bool setObjectPath(LwsScene& scene, int object, std::string_view path, std::string& error) {
  if (object < 0 || std::size_t(object) >= scene.items.size() ||
      scene.items[std::size_t(object)].type != LwsItemType::Object) {
    error = "item " + std::to_string(object) + " is not a loaded object";
    return false;
  }
  if (trimLws(path).empty() || path.find_first_of("\r\n") != std::string_view::npos) {
    error = "an object path must be non-empty and on one line";
    return false;
  }
  const LwsItem& item = scene.items[std::size_t(object)];
  const std::string& line = scene.lines[item.firstLine].text;
  // Keep the keyword, the layer number and the id as written, with their spacing.
  std::size_t keep = 1 + (item.layer >= 0 ? 1 : 0) + (item.idFromFile ? 1 : 0);
  std::size_t at = 0;
  for (std::size_t token = 0; token < keep; ++token) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    while (at < line.size() && line[at] != ' ' && line[at] != '\t') ++at;
  }
  std::vector<LwsLine> lines = scene.lines;
  lines[item.firstLine].text = line.substr(0, at) + " " + std::string(path);
  LwsScene edited = scene;
  if (!rebuild(edited, std::move(lines), error)) return false;
  // A path whose first word reads as an item id would change the item, not its file.
  if (edited.items.size() != scene.items.size() || edited.items[std::size_t(object)].name != trimLws(path)) {
    error = "the path \"" + std::string(path) + "\" would not read back as the object's file";
    return false;
  }
  scene = std::move(edited);
  return true;
}

bool addMasterHandler(LwsScene& scene, std::string_view server, const std::vector<std::string>& data,
                      std::string& error) {
  if (trimLws(server).empty() || server.find_first_of("\r\n") != std::string_view::npos) {
    error = "a server name must be non-empty and on one line";
    return false;
  }
  for (const std::string& line : data)
    if (line.find_first_of("\r\n") != std::string::npos || trimLws(line) == "EndPlugin") {
      error = "plug-in data lines cannot contain line breaks or EndPlugin";
      return false;
    }
  std::vector<std::size_t> masters = scene.masterHandlers();
  std::size_t at;
  if (!masters.empty()) {
    at = scene.plugins[masters.back()].endLine + 1;
    if (at < scene.lines.size() && splitKeyword(scene.lines[at].text).key == "PluginEnabled") ++at;
  } else if (!scene.items.empty()) {
    at = scene.items.front().firstLine;  // scene-level handlers sit in the header, before items
    while (at > 2 && trimLws(scene.lines[at - 1].text).empty()) --at;
  } else {
    at = scene.lines.size();
  }
  std::vector<std::string> block;
  block.push_back("Plugin MasterHandler " + std::to_string(masters.size() + 1) + " " + std::string(server));
  block.insert(block.end(), data.begin(), data.end());
  block.push_back("EndPlugin");
  std::vector<LwsLine> lines = scene.lines;
  for (std::size_t k = 0; k < block.size(); ++k) insertLine(scene, lines, at + k, block[k]);
  return rebuild(scene, std::move(lines), error);
}

bool removeMasterHandler(LwsScene& scene, std::size_t which, std::string& error) {
  std::vector<std::size_t> masters = scene.masterHandlers();
  if (which >= masters.size()) {
    error = "there is no master handler " + std::to_string(which) + " (" + std::to_string(masters.size()) + " applied)";
    return false;
  }
  std::vector<LwsLine> lines = scene.lines;
  // Renumber the later ones first, while their line indices are still those of the scene.
  for (std::size_t m = which + 1; m < masters.size(); ++m) {
    const LwsPlugin& p = scene.plugins[masters[m]];
    lines[p.firstLine].text = "Plugin MasterHandler " + std::to_string(m) + " " + p.server;
  }
  const LwsPlugin& doomed = scene.plugins[masters[which]];
  std::size_t end = doomed.endLine + 1;
  if (end < lines.size() && splitKeyword(lines[end].text).key == "PluginEnabled") ++end;
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(doomed.firstLine),
              lines.begin() + static_cast<std::ptrdiff_t>(end));
  return rebuild(scene, std::move(lines), error);
}

}  // namespace sim
