#include "io/scene_files.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "files/lws_text.h"

extern "C" {
#include <lwmaster.h>
}

namespace sim {

namespace fs = std::filesystem;

namespace {

constexpr double kDegrees = 180.0 / 3.14159265358979323846;

std::string trimmed(std::string_view s) { return std::string(trimLws(s)); }

bool sameData(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (trimmed(a[i]) != trimmed(b[i])) return false;
  return true;
}

unsigned boneFlagsOf(const LwsBone& b) {
  unsigned f = 0;
  if (b.active) f |= kBoneActive;
  if (b.limitedRange) f |= kBoneLimitedRange;
  if (b.strengthMultiply) f |= kBoneScaleStrength;
  if (b.weightMapOnly) f |= kBoneWeightMapOnly;
  if (b.normalization) f |= kBoneWeightNorm;
  return f;
}

Vec3 toVec(const std::array<double, 3>& a) { return {a[0], a[1], a[2]}; }

}  // namespace

std::string resolveScenePath(const std::string& scenePath, const std::string& written) {
  std::string p = written;
  std::replace(p.begin(), p.end(), '\\', '/');
  if (p.empty()) return {};
  const fs::path sceneDir = fs::path(scenePath).parent_path();
  // The scene's own folders come first: a file of the same name in the current directory
  // must not stand in for the one the scene means.
  std::vector<fs::path> candidates;
  if (fs::path(p).is_relative()) {
    candidates.push_back(sceneDir / p);
    candidates.push_back(sceneDir.parent_path() / p);
  }
  candidates.push_back(fs::path(p));
  std::error_code ec;
  for (const fs::path& c : candidates)
    if (fs::is_regular_file(c, ec)) return c.string();
  return {};
}

bool loadSceneIntoHost(Host& host, ObjectFiles& objects, const std::string& path, LoadedScene& out,
                       FileError& error) {
  out = LoadedScene{};
  out.sourcePath = path;
  if (!loadLws(path, out.file, error)) return false;
  SimScene& scene = host.scene;
  const auto& items = out.file.items;
  out.itemIds.assign(items.size(), 0);

  for (std::size_t i = 0; i < items.size(); ++i) {
    const LwsItem& it = items[i];
    SimItem* made = nullptr;
    switch (it.type) {
      case LwsItemType::Object: {
        std::string file = resolveScenePath(path, it.name);
        std::vector<uint64_t> ids;
        FileError objectError;
        if (file.empty()) {
          out.warnings.push_back("object not found: " + it.name);
        } else {
          ids = objects.load(scene, file, objectError, it.layer >= 0 ? it.layer : 1);
          if (ids.empty()) out.warnings.push_back(objectError.text());
        }
        if (ids.empty()) {
          // Keep the item so its bones and children still have their place.
          std::string stem = fs::path(trimmed(it.name)).stem().string();
          made = &scene.addObject(stem.empty() ? "Object" : stem, nullptr);
          made->filename = it.name;
        } else {
          made = scene.find(ids.front());
        }
        out.objectPaths[made->id] = it.name;
        break;
      }
      case LwsItemType::Null: made = &scene.addNull(it.name); break;
      case LwsItemType::Light: made = &scene.addLight(it.name); break;
      case LwsItemType::Camera: made = &scene.addCamera(it.name); break;
      case LwsItemType::Bone: {
        uint64_t object = it.owner >= 0 ? out.itemIds[std::size_t(it.owner)] : 0;
        uint64_t parentBone = 0;
        if (it.parent >= 0 && items[std::size_t(it.parent)].type == LwsItemType::Bone)
          parentBone = out.itemIds[std::size_t(it.parent)];
        made = &scene.addBone(object, parentBone, it.name);
        const LwsBone& b = it.bone;
        made->restPosition = toVec(b.restPosition);
        made->restRotation = toVec(b.restDirection) * (1.0 / kDegrees);
        made->restLength = b.restLength;
        made->weightMap = b.weightMapName;
        made->boneFlags = boneFlagsOf(b);
        made->strength = b.strength;
        made->boneType = b.joint ? 1 : b.boneType;
        made->limitInner = b.minRange;
        made->limitOuter = b.maxRange;
        made->position = made->restPosition;
        made->rotation = made->restRotation;
        break;
      }
    }
    out.itemIds[i] = made->id;
    if (!it.motion.channels.empty()) {
      LwsTransform t = itemTransformAt(it, 0.0);
      made->position = toVec(t.position);
      made->rotation = toVec(t.rotation);
      if (it.type != LwsItemType::Camera) made->scale = toVec(t.scale);
    }
    // The scene's pivot wins over the one the object layer brought along.
    if (it.pivot) made->pivot = toVec(*it.pivot);
    if (it.pivotRotation) made->pivotRotation = toVec(*it.pivotRotation) * (1.0 / kDegrees);
  }

  // Parents other than a bone's own chain (bones were given theirs above).
  for (std::size_t i = 0; i < items.size(); ++i) {
    const LwsItem& it = items[i];
    if (it.parent < 0) continue;
    SimItem* child = scene.find(out.itemIds[i]);
    const uint64_t parent = out.itemIds[std::size_t(it.parent)];
    if (child && parent && !(it.type == LwsItemType::Bone && items[std::size_t(it.parent)].type == LwsItemType::Bone))
      child->parent = parent;
  }
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].parentId && items[i].parent < 0)
      out.warnings.push_back(items[i].name + ": parent item not in the scene");

  // Master handlers the host's modules provide are applied with their saved data.
  const std::vector<std::size_t> masters = out.file.masterHandlers();
  for (std::size_t m = 0; m < masters.size(); ++m) {
    const LwsPlugin& plugin = out.file.plugins[masters[m]];
    const std::size_t before = host.appliedServers(LWMASTER_HCLASS).size();
    host.loadMasterData({{plugin.server, plugin.data}});
    if (host.appliedServers(LWMASTER_HCLASS).size() > before)
      out.masters.push_back({m, plugin.server, plugin.data});
    else
      out.warnings.push_back("master handler not available: " + plugin.server);
  }
  scene.refreshFrozen();
  return true;
}

LoadedScene sceneFromHost(const Host& host, const std::map<uint64_t, std::string>& objectPaths) {
  const SimScene& scene = host.scene;
  std::string text = "LWSC\n5\n\nFirstFrame 1\nLastFrame 60\nFrameStep 1\nPreviewFirstFrame 0\n"
                     "PreviewLastFrame 60\nPreviewFrameStep 1\nCurrentFrame 0\nFramesPerSecond 30\n";
  std::map<uint64_t, uint32_t> fileId;
  std::vector<uint64_t> order;  // host items in file order
  uint32_t objects = 0, lights = 0, cameras = 0;
  for (const auto& it : scene.items()) {
    if (it->type != ItemType::Object) continue;
    fileId[it->id] = (1u << 28) | objects;
    order.push_back(it->id);
    uint32_t bones = 0;
    for (uint64_t b : scene.itemsOfType(ItemType::Bone, it->id)) {
      fileId[b] = (4u << 28) | ((bones++ & 0xFFFu) << 16) | (objects & 0xFFFFu);
      order.push_back(b);
    }
    ++objects;
  }
  for (const auto& it : scene.items())
    if (it->type == ItemType::Light) {
      fileId[it->id] = (2u << 28) | lights++;
      order.push_back(it->id);
    }
  for (const auto& it : scene.items())
    if (it->type == ItemType::Camera) {
      fileId[it->id] = (3u << 28) | cameras++;
      order.push_back(it->id);
    }

  auto num = [](double v) { return formatLwsNumber(v); };
  auto hex = [](uint32_t id) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08X", id);
    return std::string(buf);
  };
  auto motion = [&](const char* keyword, const SimItem& it, int channels) {
    const double values[9] = {it.position[0], it.position[1], it.position[2], it.rotation[0], it.rotation[1],
                              it.rotation[2], it.scale[0],    it.scale[1],    it.scale[2]};
    std::string m = std::string(keyword) + "\nNumChannels " + std::to_string(channels) + "\n";
    for (int c = 0; c < channels; ++c)
      m += "Channel " + std::to_string(c) + "\n{ Envelope\n  1\n  Key " + num(values[c]) +
           " 0 0 0 0 0 0 0 0\n  Behaviors 1 1\n}\n";
    return m;
  };

  for (uint64_t id : order) {
    const SimItem& it = *scene.find(id);
    text += "\n";
    switch (it.type) {
      case ItemType::Object: {
        auto path = objectPaths.find(id);
        if (it.isNull() && path == objectPaths.end()) {
          text += "AddNullObject " + hex(fileId[id]) + " " + it.name + "\n";
        } else {
          std::string file = path != objectPaths.end() ? path->second : it.name + ".lwo";
          // Items loaded from one layer of a file keep that layer number on their points.
          const int layer = it.mesh && it.mesh->numPoints() ? it.mesh->point(0).layer : 1;
          text += "LoadObjectLayer " + std::to_string(layer) + " " + hex(fileId[id]) + " " + file + "\n";
        }
        text += "ShowObject 6 7\n" + motion("ObjectMotion", it, 9);
        break;
      }
      case ItemType::Bone: {
        text += "AddBone " + hex(fileId[id]) + "\nBoneName " + it.name + "\nShowBone 1 -1\n";
        text += std::string("BoneActive ") + (it.boneFlags & kBoneActive ? "1" : "0") + "\n";
        text += "BoneRestPosition " + num(it.restPosition[0]) + " " + num(it.restPosition[1]) + " " +
                num(it.restPosition[2]) + "\n";
        text += "BoneRestDirection " + num(it.restRotation[0] * kDegrees) + " " + num(it.restRotation[1] * kDegrees) +
                " " + num(it.restRotation[2] * kDegrees) + "\n";
        text += "BoneRestLength " + num(it.restLength) + "\n";
        if (!it.weightMap.empty()) text += "BoneWeightMapName " + it.weightMap + "\n";
        text += std::string("BoneWeightMapOnly ") + (it.boneFlags & kBoneWeightMapOnly ? "1" : "0") + "\n";
        text += std::string("BoneNormalization ") + (it.boneFlags & kBoneWeightNorm ? "1" : "0") + "\n";
        text += "BoneStrength " + num(it.strength) + "\n";
        text += std::string("ScaleBoneStrength ") + (it.boneFlags & kBoneScaleStrength ? "1" : "0") + "\n";
        text += "BoneType " + std::to_string(it.boneType) + "\n";
        text += motion("BoneMotion", it, 9);
        break;
      }
      case ItemType::Light:
        text += "AddLight " + hex(fileId[id]) + "\nLightName " + it.name + "\nShowLight 1 -1\n" +
                motion("LightMotion", it, 9);
        break;
      case ItemType::Camera:
        text += "AddCamera " + hex(fileId[id]) + "\nCameraName " + it.name + "\nShowCamera 1 -1\n" +
                motion("CameraMotion", it, 6);
        break;
    }
    if (auto parent = fileId.find(it.parent); it.parent && parent != fileId.end())
      text += "ParentItem " + hex(parent->second) + "\n";
    if (it.pivot != Vec3{0, 0, 0})
      text += "PivotPosition " + num(it.pivot[0]) + " " + num(it.pivot[1]) + " " + num(it.pivot[2]) + "\n";
    if (it.pivotRotation != Vec3{0, 0, 0})
      text += "PivotRotation " + num(it.pivotRotation[0] * kDegrees) + " " + num(it.pivotRotation[1] * kDegrees) +
              " " + num(it.pivotRotation[2] * kDegrees) + "\n";
  }

  LoadedScene out;
  FileError error;
  // The text is ours; a failure to read it back is a bug worth hearing about.
  if (!readLws(text, "(scene built in the sim)", out.file, error)) out.warnings.push_back(error.text());
  std::map<uint32_t, uint64_t> hostOf;
  for (const auto& [host, file] : fileId) hostOf[file] = host;
  for (const LwsItem& it : out.file.items) out.itemIds.push_back(hostOf.count(it.id) ? hostOf[it.id] : 0);
  for (const auto& [id, path] : objectPaths) out.objectPaths[id] = path;
  return out;
}

bool saveSceneFromHost(Host& host, LoadedScene& loaded, const std::string& outPath, FileError& error,
                       std::vector<std::string>* changes, std::vector<std::string>* warnings) {
  std::vector<std::string> localChanges, localWarnings;
  std::vector<std::string>& done = changes ? *changes : localChanges;
  std::vector<std::string>& notes = warnings ? *warnings : localWarnings;
  if (!loaded.sourcePath.empty()) {
    std::error_code ec;
    if (fs::weakly_canonical(loaded.sourcePath, ec) == fs::weakly_canonical(outPath, ec)) {
      error = FileError{outPath, "", -1, 0, "refusing to write over the scene's source file"};
      return false;
    }
  }
  LwsScene file = loaded.file;
  std::string why;
  auto check = [&](bool ok) {
    if (!ok) error = FileError{outPath, "", -1, 0, why};
    return ok;
  };

  std::set<uint64_t> known;
  for (std::size_t i = 0; i < file.items.size(); ++i) {
    const uint64_t id = i < loaded.itemIds.size() ? loaded.itemIds[i] : 0;
    if (!id) continue;
    known.insert(id);
    const SimItem* it = host.scene.find(id);
    // Copies: every edit rebuilds the file's item list.
    const LwsItemType type = file.items[i].type;
    const std::string name = file.items[i].name;
    const LwsBone b = file.items[i].bone;
    if (!it) {
      notes.push_back(name + " was removed in the scene; the file keeps it");
      continue;
    }
    if (type != LwsItemType::Bone) continue;
    const int bone = int(i);
    const std::string label = "bone " + name + ": ";
    if (it->restLength != b.restLength) {
      if (!check(setBoneRestLength(file, bone, it->restLength, why))) return false;
      done.push_back(label + "rest length " + formatLwsNumber(it->restLength));
    }
    if (it->strength != b.strength) {
      if (!check(setBoneStrength(file, bone, it->strength, why))) return false;
      done.push_back(label + "strength " + formatLwsNumber(it->strength));
    }
    if (it->weightMap != b.weightMapName) {
      if (!check(setBoneWeightMapName(file, bone, it->weightMap, why))) return false;
      done.push_back(label + "weight map \"" + it->weightMap + "\"");
    }
    const std::pair<unsigned, LwsBoneFlag> flags[] = {
        {kBoneActive, LwsBoneFlag::Active},
        {kBoneWeightMapOnly, LwsBoneFlag::WeightMapOnly},
        {kBoneWeightNorm, LwsBoneFlag::Normalization},
        {kBoneScaleStrength, LwsBoneFlag::StrengthMultiply},
        {kBoneLimitedRange, LwsBoneFlag::LimitedRange}};
    const unsigned was = boneFlagsOf(b);
    for (const auto& [bit, flag] : flags)
      if ((it->boneFlags & bit) != (was & bit)) {
        if (!check(setBoneFlag(file, bone, flag, (it->boneFlags & bit) != 0, why))) return false;
        done.push_back(label + "flag " + std::to_string(bit) + ((it->boneFlags & bit) ? " on" : " off"));
      }
    if (it->restPosition != toVec(b.restPosition) ||
        std::abs(it->restRotation[0] * kDegrees - b.restDirection[0]) > 1e-9 ||
        std::abs(it->restRotation[1] * kDegrees - b.restDirection[1]) > 1e-9 ||
        std::abs(it->restRotation[2] * kDegrees - b.restDirection[2]) > 1e-9)
      notes.push_back(label + "rest position/rotation changed; not written");
  }
  for (const auto& it : host.scene.items())
    if (!known.count(it->id)) notes.push_back(it->name + " was added in the scene; not written");

  // Master handlers: keep the applied ones that are unchanged at the front, replace the rest.
  std::vector<std::string> names = host.appliedServers(LWMASTER_HCLASS);
  std::vector<std::vector<std::string>> data = host.saveMasterData();
  std::size_t keep = 0;
  while (keep < loaded.masters.size() && keep < names.size() && loaded.masters[keep].server == names[keep] &&
         sameData(loaded.masters[keep].data, data[keep]))
    ++keep;
  for (std::size_t m = loaded.masters.size(); m > keep; --m) {
    if (!check(removeMasterHandler(file, loaded.masters[m - 1].fileIndex, why))) return false;
    done.push_back("master handler " + loaded.masters[m - 1].server + " removed");
  }
  for (std::size_t m = keep; m < names.size(); ++m) {
    if (!check(addMasterHandler(file, names[m], data[m], why))) return false;
    done.push_back("master handler " + names[m] + " added");
  }

  if (!saveLws(file, outPath, error)) return false;
  loaded.file = std::move(file);
  loaded.masters.resize(keep);
  const std::size_t total = loaded.file.masterHandlers().size();
  for (std::size_t m = keep; m < names.size(); ++m)
    loaded.masters.push_back({total - (names.size() - m), names[m], data[m]});
  return true;
}

}  // namespace sim
