// Parsing of LWSC scene text into LwsScene.
//
// Sections:
//   [lines and tokens]  splitting with line endings kept, number parsing
//   [motions]           envelope channels (v3+) and the old key lists (v1, v2)
//   [items]             item starts, per-item keywords, plug-in blocks, parent resolution
#include <charconv>
#include <cmath>
#include <exception>
#include <numbers>

#include "files/atomic_write.h"
#include "files/lws_scene.h"
#include "files/lws_text.h"

namespace sim {

/** \name lines and tokens \{ */

std::vector<LwsLine> splitLwsLines(std::string_view text) {
  std::vector<LwsLine> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    LwsLine line{std::string(text.substr(start, i - start)), {}};
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      line.eol = "\r\n";
      ++i;
    } else {
      line.eol = std::string(1, text[i]);
    }
    lines.push_back(std::move(line));
    start = i + 1;
  }
  if (start < text.size()) lines.push_back({std::string(text.substr(start)), {}});
  return lines;
}

std::string_view trimLws(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> lwsTokens(std::string_view s) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    std::size_t j = i;
    while (j < s.size() && s[j] != ' ' && s[j] != '\t') ++j;
    if (j > i) out.push_back(s.substr(i, j - i));
    i = j;
  }
  return out;
}

LwsKeyword splitKeyword(std::string_view line) {
  std::string_view t = trimLws(line);
  std::size_t end = 0;
  while (end < t.size() && t[end] != ' ' && t[end] != '\t') ++end;
  return {t.substr(0, end), trimLws(t.substr(end))};
}

std::optional<double> parseLwsDouble(std::string_view s) {
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  double v = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || p != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<long long> parseLwsInt(std::string_view s) {
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  long long v = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
  return v;
}

std::optional<std::uint32_t> parseLwsHexId(std::string_view s) {
  if (s.empty() || s.size() > 8) return std::nullopt;
  std::uint32_t v = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, 16);
  if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
  return v;
}

/** \} */

namespace {

// Thrown inside the parser; `line` is the 0-based index of the offending line.
struct LwsFault {
  std::size_t line;
  std::string message;
};

class Parser {
 public:
  Parser(const std::vector<LwsLine>& lines, LwsScene& scene) : lines_(lines), scene_(scene) {}
  void run();

 private:
  /** \name motions \{ */
  std::size_t parseMotion(std::size_t at, LwsMotion& motion);
  std::size_t parseEnvelopeMotion(std::size_t at, LwsMotion& motion);
  std::size_t parseOldMotion(std::size_t at, LwsMotion& motion);
  /** \} */
  std::size_t parsePlugin(std::size_t at);
  void startItem(std::size_t at, LwsItemType type, std::string_view rest);
  void itemKeyword(std::size_t at, std::string_view key, std::string_view rest);
  void finish();

  std::string_view text(std::size_t at) const {
    if (at >= lines_.size()) throw LwsFault{lines_.size() ? lines_.size() - 1 : 0, "the file ends too early"};
    return lines_[at].text;
  }
  double number(std::size_t at, std::string_view s) const {
    auto v = parseLwsDouble(s);
    if (!v) throw LwsFault{at, "\"" + std::string(s) + "\" is not a number"};
    return *v;
  }
  long long integer(std::size_t at, std::string_view s) const {
    auto v = parseLwsInt(s);
    if (!v) throw LwsFault{at, "\"" + std::string(s) + "\" is not an integer"};
    return *v;
  }
  std::vector<double> numbers(std::size_t at, std::string_view s, std::size_t atLeast) const {
    std::vector<double> out;
    for (std::string_view tok : lwsTokens(s)) out.push_back(number(at, tok));
    if (out.size() < atLeast)
      throw LwsFault{at, "expected " + std::to_string(atLeast) + " numbers, found " + std::to_string(out.size())};
    return out;
  }
  LwsItem* current() { return scene_.items.empty() ? nullptr : &scene_.items.back(); }
  LwsItem* currentBone() {
    LwsItem* item = current();
    return item && item->type == LwsItemType::Bone ? item : nullptr;
  }

  const std::vector<LwsLine>& lines_;
  LwsScene& scene_;
  int lastObject_ = -1;
  std::uint32_t numObjects_ = 0, numLights_ = 0, numCameras_ = 0;
  std::vector<std::uint32_t> bonesOfObject_;
};

std::size_t Parser::parseMotion(std::size_t at, LwsMotion& motion) {
  motion.line = at;
  motion.channels.clear();
  std::size_t next = at + 1;
  while (next < lines_.size() && trimLws(lines_[next].text).empty()) ++next;
  if (next >= lines_.size()) return next;
  if (splitKeyword(lines_[next].text).key == "NumChannels") return parseEnvelopeMotion(next, motion);
  if (scene_.version < 3 && parseLwsInt(trimLws(lines_[next].text))) return parseOldMotion(next, motion);
  return at + 1;  // a motion line with nothing we read after it: leave the lines as they are
}

// NumChannels n, then per channel: "Channel k", "{ Envelope", key count, Key lines, anything
// else (Behaviors, ...) up to the matching "}".
std::size_t Parser::parseEnvelopeMotion(std::size_t at, LwsMotion& motion) {
  long long numChannels = integer(at, splitKeyword(text(at)).rest);
  if (numChannels < 0 || numChannels > 64) throw LwsFault{at, "channel count " + std::to_string(numChannels) + " is out of range"};
  motion.channels.assign(static_cast<std::size_t>(numChannels), {});
  std::size_t i = at + 1;
  while (i < lines_.size()) {
    LwsKeyword kw = splitKeyword(lines_[i].text);
    if (kw.key != "Channel") break;
    long long k = integer(i, kw.rest);
    if (k < 0 || k >= numChannels) throw LwsFault{i, "channel " + std::to_string(k) + " is not below NumChannels " + std::to_string(numChannels)};
    ++i;
    if (trimLws(text(i)).substr(0, 1) != "{") throw LwsFault{i, "expected \"{ Envelope\" after Channel"};
    ++i;
    long long numKeys = integer(i, trimLws(text(i)));
    if (numKeys < 0 || static_cast<std::size_t>(numKeys) > lines_.size() - i)
      throw LwsFault{i, "key count " + std::to_string(numKeys) + " is out of range"};
    ++i;
    LwsChannel& channel = motion.channels[static_cast<std::size_t>(k)];
    channel.keys.clear();
    int depth = 1;
    while (depth > 0) {
      std::string_view t = trimLws(text(i));
      LwsKeyword key = splitKeyword(t);
      if (key.key == "Key") {
        std::vector<double> v = numbers(i, key.rest, 3);
        channel.keys.push_back({v[0], v[1], static_cast<int>(v[2])});
      } else if (!t.empty() && t.front() == '{') {
        ++depth;
      } else if (!t.empty() && t.front() == '}') {
        --depth;
      }
      ++i;
    }
    if (channel.keys.size() != static_cast<std::size_t>(numKeys))
      throw LwsFault{i - 1, "envelope announces " + std::to_string(numKeys) + " keys but holds " + std::to_string(channel.keys.size())};
  }
  return i;
}

// Version 1: channel count, key count, then per key a line of all channel values and a line
// starting with the frame number. Version 2: channel count, then per channel a key count and
// key lines "value time shape t c b". Rotations are in degrees in both.
std::size_t Parser::parseOldMotion(std::size_t at, LwsMotion& motion) {
  long long numChannels = integer(at, trimLws(text(at)));
  if (numChannels < 1 || numChannels > 64) throw LwsFault{at, "channel count " + std::to_string(numChannels) + " is out of range"};
  std::size_t n = static_cast<std::size_t>(numChannels);
  motion.channels.assign(n, {});
  std::size_t i = at + 1;
  long long first = integer(i, trimLws(text(i)));
  if (first < 0 || static_cast<std::size_t>(first) > lines_.size()) throw LwsFault{i, "key count is out of range"};
  if (scene_.version == 1) {
    ++i;
    for (long long k = 0; k < first; ++k) {
      std::vector<double> values = numbers(i, text(i), n);
      std::vector<double> frame = numbers(i + 1, text(i + 1), 1);
      double seconds = frame[0] / (scene_.framesPerSecond > 0 ? scene_.framesPerSecond : 30.0);
      int shape = frame.size() > 1 && frame[1] != 0 ? 3 : 0;
      for (std::size_t c = 0; c < n; ++c) motion.channels[c].keys.push_back({values[c], seconds, shape});
      i += 2;
    }
  } else {
    for (std::size_t c = 0; c < n; ++c) {
      long long numKeys = integer(i, trimLws(text(i)));
      if (numKeys < 0 || static_cast<std::size_t>(numKeys) > lines_.size() - i) throw LwsFault{i, "key count is out of range"};
      ++i;
      for (long long k = 0; k < numKeys; ++k, ++i) {
        std::vector<double> v = numbers(i, text(i), 2);
        motion.channels[c].keys.push_back({v[0], v[1], v.size() > 2 ? static_cast<int>(v[2]) : 0});
      }
    }
  }
  for (std::size_t c = 3; c < 6 && c < n; ++c)
    for (LwsKey& key : motion.channels[c].keys) key.value *= std::numbers::pi / 180.0;
  return i;
}

std::size_t Parser::parsePlugin(std::size_t at) {
  std::vector<std::string_view> tok = lwsTokens(splitKeyword(text(at)).rest);
  if (tok.size() < 2) throw LwsFault{at, "Plugin needs a class and an index"};
  LwsPlugin plugin;
  plugin.handlerClass = std::string(tok[0]);
  plugin.index = static_cast<int>(integer(at, tok[1]));
  std::string_view rest = splitKeyword(text(at)).rest;
  // The server name is everything after the index, spaces included.
  rest = trimLws(splitKeyword(splitKeyword(rest).rest).rest);
  plugin.server = std::string(rest);
  plugin.firstLine = at;
  plugin.owner = static_cast<int>(scene_.items.size()) - 1;
  std::size_t i = at + 1;
  int depth = 0;
  for (;; ++i) {
    if (i >= lines_.size()) throw LwsFault{at, "Plugin block has no EndPlugin"};
    std::string_view t = trimLws(lines_[i].text);
    if (depth == 0 && t == "EndPlugin") break;
    if (!t.empty() && t.front() == '{') ++depth;
    if (!t.empty() && t.front() == '}') --depth;
    plugin.data.push_back(lines_[i].text);
  }
  plugin.endLine = i;
  scene_.plugins.push_back(std::move(plugin));
  return i + 1;
}

void Parser::startItem(std::size_t at, LwsItemType type, std::string_view rest) {
  if (!scene_.items.empty()) scene_.items.back().endLine = at;
  LwsItem item;
  item.type = type;
  item.firstLine = at;
  std::vector<std::string_view> tok = lwsTokens(rest);
  std::size_t used = 0;
  if (type == LwsItemType::Object && splitKeyword(text(at)).key == "LoadObjectLayer") {
    if (tok.empty()) throw LwsFault{at, "LoadObjectLayer needs a layer number"};
    item.layer = static_cast<int>(integer(at, tok[0]));
    used = 1;
  }
  // Baked hex ids exist from version 4 on; a lone token is a name, never an id.
  if (scene_.version >= 4 && tok.size() > used) {
    bool needsMore = type == LwsItemType::Object || type == LwsItemType::Null;
    if (auto id = parseLwsHexId(tok[used]); id && (!needsMore || tok.size() > used + 1)) {
      item.id = *id;
      item.idFromFile = true;
      ++used;
    }
  }
  // Name: the rest of the line after the tokens used, spaces kept.
  std::string_view name = rest;
  for (std::size_t u = 0; u < used; ++u) name = splitKeyword(name).rest;
  item.name = std::string(trimLws(name));
  // Lights and cameras are named by a later *Name line; LightWave's defaults until then.
  if (item.name.empty() && type == LwsItemType::Light) item.name = "Light";
  if (item.name.empty() && type == LwsItemType::Camera) item.name = "Camera";

  switch (type) {
    case LwsItemType::Object:
    case LwsItemType::Null:
      if (!item.idFromFile) item.id = (1u << 28) | numObjects_;
      ++numObjects_;
      lastObject_ = static_cast<int>(scene_.items.size());
      bonesOfObject_.push_back(0);
      break;
    case LwsItemType::Bone: {
      if (lastObject_ < 0) throw LwsFault{at, "a bone before any object"};
      std::uint32_t ordinal = bonesOfObject_.back()++;
      if (!item.idFromFile) item.id = (4u << 28) | ((ordinal & 0xFFFu) << 16) | ((numObjects_ - 1) & 0xFFFFu);
      item.owner = lastObject_;
      item.bone.joint = splitKeyword(text(at)).key == "AddJointBone";
      break;
    }
    case LwsItemType::Light:
      if (!item.idFromFile) item.id = (2u << 28) | numLights_;
      ++numLights_;
      break;
    case LwsItemType::Camera:
      if (!item.idFromFile) item.id = (3u << 28) | numCameras_;
      ++numCameras_;
      break;
  }
  scene_.items.push_back(std::move(item));
}

void Parser::itemKeyword(std::size_t at, std::string_view key, std::string_view rest) {
  LwsItem* item = current();
  if (item == nullptr) return;
  if (key == "BoneName" || key == "LightName" || key == "CameraName") {
    item->name = std::string(rest);
  } else if (key == "ParentItem") {
    auto id = parseLwsHexId(rest);
    if (!id) throw LwsFault{at, "ParentItem \"" + std::string(rest) + "\" is not a hex item id"};
    item->parentId = *id;
  } else if (key == "ParentObject") {  // version 1: 1-based object ordinal, 0 for none
    long long n = integer(at, rest);
    if (n > 0) item->parentId = (1u << 28) | static_cast<std::uint32_t>((n - 1) & 0x0FFFFFFF);
  } else if (key == "PivotPosition" || key == "PivotPoint") {
    auto v = numbers(at, rest, 3);
    item->pivot = std::array<double, 3>{v[0], v[1], v[2]};
  } else if (key == "PivotRotation") {
    auto v = numbers(at, rest, 3);
    item->pivotRotation = std::array<double, 3>{v[0], v[1], v[2]};
  } else if (key == "BoneFalloffType") {
    LwsItem* object = item->type == LwsItemType::Bone ? &scene_.items[static_cast<std::size_t>(item->owner)] : item;
    object->boneFalloffType = static_cast<int>(integer(at, rest));
  }
  LwsItem* bone = currentBone();
  if (bone == nullptr) return;
  LwsBone& b = bone->bone;
  auto flag = [&] { return integer(at, lwsTokens(rest).empty() ? rest : lwsTokens(rest)[0]) != 0; };
  if (key == "BoneRestPosition") {
    auto v = numbers(at, rest, 3);
    b.restPosition = {v[0], v[1], v[2]};
  } else if (key == "BoneRestDirection") {
    auto v = numbers(at, rest, 3);
    b.restDirection = {v[0], v[1], v[2]};
  } else if (key == "BoneRestLength") {
    b.restLength = number(at, rest);
  } else if (key == "BoneWeightMapName") {
    b.weightMapName = std::string(rest);
  } else if (key == "BoneWeightMapOnly") {
    b.weightMapOnly = flag();
  } else if (key == "BoneNormalization") {
    b.normalization = flag();
  } else if (key == "BoneStrength") {
    b.strength = number(at, rest);
  } else if (key == "ScaleBoneStrength" || key == "BoneStrengthMultiply") {
    b.strengthMultiply = flag();
  } else if (key == "BoneLimitedRange") {
    auto v = numbers(at, rest, 1);
    b.limitedRange = v[0] != 0;
    if (v.size() >= 3) {
      b.minRange = v[1];
      b.maxRange = v[2];
    }
  } else if (key == "BoneMinRange") {
    b.minRange = number(at, rest);
  } else if (key == "BoneMaxRange") {
    b.maxRange = number(at, rest);
  } else if (key == "BoneActive") {
    b.active = flag();
  } else if (key == "BoneType") {
    b.boneType = static_cast<int>(integer(at, rest));
  }
}

void Parser::run() {
  if (lines_.empty()) throw LwsFault{0, "the file is empty"};
  if (trimLws(lines_[0].text) != "LWSC") throw LwsFault{0, "not a LightWave scene (the first line is not LWSC)"};
  if (lines_.size() < 2) throw LwsFault{0, "no version line after LWSC"};
  long long version = integer(1, trimLws(lines_[1].text));
  if (version < 1 || version > 99) throw LwsFault{1, "scene version " + std::to_string(version) + " is not known"};
  scene_.version = static_cast<int>(version);

  int depth = 0;
  std::size_t i = 2;
  while (i < lines_.size()) {
    std::string_view t = trimLws(lines_[i].text);
    if (!t.empty() && t.front() == '{') {
      ++depth;
      ++i;
      continue;
    }
    if (!t.empty() && t.front() == '}') {
      if (--depth < 0) throw LwsFault{i, "a \"}\" without its \"{\""};
      ++i;
      continue;
    }
    if (depth > 0 || t.empty()) {
      ++i;
      continue;
    }
    LwsKeyword kw = splitKeyword(t);
    if (kw.key == "Plugin") {
      i = parsePlugin(i);
      continue;
    }
    if (kw.key == "FramesPerSecond") {
      double fps = number(i, kw.rest);
      if (fps > 0) scene_.framesPerSecond = fps;
    } else if (kw.key == "LoadObjectLayer" || kw.key == "LoadObject") {
      startItem(i, LwsItemType::Object, kw.rest);
    } else if (kw.key == "AddNullObject") {
      startItem(i, LwsItemType::Null, kw.rest);
    } else if (kw.key == "AddBone" || kw.key == "AddJointBone") {
      startItem(i, LwsItemType::Bone, kw.rest);
    } else if (kw.key == "AddLight") {
      startItem(i, LwsItemType::Light, kw.rest);
    } else if (kw.key == "AddCamera") {
      startItem(i, LwsItemType::Camera, kw.rest);
    } else if ((kw.key == "ShowCamera" || kw.key == "CameraMotion") &&
               (current() == nullptr || current()->type != LwsItemType::Camera)) {
      startItem(i, LwsItemType::Camera, {});  // version 1 cameras have no Add line
    }
    if (kw.key == "ObjectMotion" || kw.key == "BoneMotion" || kw.key == "LightMotion" || kw.key == "CameraMotion") {
      if (current() == nullptr) throw LwsFault{i, std::string(kw.key) + " outside any item"};
      i = parseMotion(i, current()->motion);
      continue;
    }
    itemKeyword(i, kw.key, kw.rest);
    ++i;
  }
  if (depth != 0) throw LwsFault{lines_.size() - 1, "a \"{\" block is not closed"};
  finish();
}

void Parser::finish() {
  if (!scene_.items.empty()) scene_.items.back().endLine = lines_.size();
  for (LwsItem& item : scene_.items)
    if (item.parentId) item.parent = scene_.findItemById(*item.parentId);
}

}  // namespace

std::vector<std::size_t> LwsScene::masterHandlers() const {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < plugins.size(); ++i)
    if (plugins[i].handlerClass == "MasterHandler") out.push_back(i);
  return out;
}

int LwsScene::findItem(LwsItemType type, std::string_view name) const {
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].type == type && items[i].name == name) return static_cast<int>(i);
  return -1;
}

int LwsScene::findItemById(std::uint32_t id) const {
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].id == id) return static_cast<int>(i);
  return -1;
}

bool readLws(std::string_view text, const std::string& label, LwsScene& out, FileError& error) {
  LwsScene scene;
  scene.lines = splitLwsLines(text);
  try {
    Parser(scene.lines, scene).run();
  } catch (const LwsFault& fault) {
    error = FileError{label, {}, -1, static_cast<int>(fault.line) + 1, fault.message};
    return false;
  } catch (const std::exception& e) {
    error = FileError{label, {}, -1, 0, e.what()};
    return false;
  }
  out = std::move(scene);
  return true;
}

bool loadLws(const std::string& path, LwsScene& out, FileError& error) {
  std::string text;
  if (!readWholeFile(path, text, error)) return false;
  return readLws(text, path, out, error);
}

}  // namespace sim
