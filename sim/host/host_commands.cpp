// The host's command interpreter: every command the module issues, with Layout's
// meaning. Unknown or malformed commands are logged as errors and change nothing.
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "host/host_access.h"
#include "host/host_slots.h"

extern "C" {
#include <lwmaster.h>
}

namespace sim {

void syncInterfaceInfo() {
  if (Host::current()) interfaceInfoRecord();
}

namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<std::string> splitWords(const std::string& s) {
  std::vector<std::string> out;
  std::istringstream in(s);
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

// The rest of the line after the first word, trimmed.
std::string restOf(const std::string& line) {
  size_t i = line.find_first_of(" \t");
  if (i == std::string::npos) return {};
  i = line.find_first_not_of(" \t", i);
  if (i == std::string::npos) return {};
  size_t j = line.find_last_not_of(" \t\r\n");
  return line.substr(i, j - i + 1);
}

bool parseDouble(const std::string& s, double* out) {
  char* end = nullptr;
  *out = std::strtod(s.c_str(), &end);
  return end && end != s.c_str() && *end == 0 && std::isfinite(*out);
}

bool parseInt(const std::string& s, long* out) {
  char* end = nullptr;
  *out = std::strtol(s.c_str(), &end, 10);
  return end && end != s.c_str() && *end == 0;
}

}  // namespace

int Host::command(const std::string& rawLine) {
  std::string line = rawLine;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) line.pop_back();
  commandLog.push_back({line, true, ""});
  const size_t logIndex = commandLog.size() - 1;
  auto fail = [&](const std::string& why) {
    commandLog[logIndex].ok = false;
    commandLog[logIndex].error = why;
    return 0;
  };
  std::vector<std::string> w = splitWords(line);
  if (w.empty()) return fail("empty command");
  const std::string& cmd = w[0];
  applyScenePolicy();
  ++commandDepth_;
  struct DepthGuard {
    Host* h;
    ~DepthGuard() {
      if (--h->commandDepth_ == 0 && h->pluginDepth_ == 0) h->idle();
      syncInterfaceInfo();
    }
  } guard{this};

  SimItem* selected = scene.find(scene.firstSelected());
  auto selectedBone = [&]() -> SimItem* {
    return selected && selected->type == ItemType::Bone ? selected : nullptr;
  };
  auto selectedObject = [&]() -> SimItem* {
    return selected && selected->type == ItemType::Object ? selected : nullptr;
  };
  auto toggleObjectFlag = [&](unsigned bit) {
    for (uint64_t id : scene.selection())
      if (SimItem* it = scene.find(id); it && it->type == ItemType::Object) it->objectFlags ^= bit;
    return 1;
  };
  auto toggleShadow = [&](unsigned bit) {
    for (uint64_t id : scene.selection())
      if (SimItem* it = scene.find(id); it && it->type == ItemType::Object) it->shadowOpts ^= bit;
    return 1;
  };
  auto boneCommand = [&](auto&& apply) {
    SimItem* bone = selectedBone();
    if (!bone) return fail("no bone selected");
    apply(*bone);
    evaluationInputsChanged();
    return 1;
  };

  if (cmd == "SelectItem") {
    if (w.size() != 2) return fail("SelectItem needs one item id");
    char* end = nullptr;
    unsigned long long v = std::strtoull(w[1].c_str(), &end, 16);
    if (!end || *end) return fail("bad item id");
    if (SimItem* it = scene.findLow32(uint32_t(v))) {
      scene.select(it->id);
      postMasterEvent(LWEVNT_SELECT);
    }
    return 1;
  }
  if (cmd == "ClearSelected") {
    if (scene.selection().empty()) return 1;
    if (w.size() < 2 && !autoConfirm) {
      messages.push_back({"yesNo", "Clear Item", "Are you sure you want to clear the selected items?", ""});
      if (nextAnswer(1) != 1) return 1;
    }
    auto doomed = scene.selection();
    for (uint64_t id : doomed) scene.removeItem(id);
    // Removing items is one of the moments a host may renumber the rest.
    if (policy.itemIds == ItemIdStability::ChangeOnEvents) renumberItems();
    postMasterEvent(LWEVNT_SELECT);
    return 1;
  }
  if (cmd == "AutoConfirm") {
    long v;
    if (w.size() != 2 || !parseInt(w[1], &v)) return fail("AutoConfirm needs 0 or 1");
    autoConfirm = v != 0;
    return 1;
  }
  if (cmd == "AddNull") {
    SimItem& n = scene.addNull(w.size() > 1 ? restOf(line) : "Null");
    scene.select(n.id);
    postMasterEvent(LWEVNT_SELECT);
    return 1;
  }
  if (cmd == "AddBone") {
    if (!selected) return fail("AddBone needs a selected object or bone");
    uint64_t object = selected->type == ItemType::Bone ? selected->boneObject : selected->id;
    if (selected->type != ItemType::Bone && selected->type != ItemType::Object)
      return fail("AddBone needs a selected object or bone");
    uint64_t parent = selected->type == ItemType::Bone ? selected->id : 0;
    SimItem& b = scene.addBone(object, parent, w.size() > 1 ? restOf(line) : "Bone");
    b.boneFlags = 0;  // Layout adds bones inactive; "BoneActive" switches them on
    scene.select(b.id);
    postMasterEvent(LWEVNT_SELECT);
    return 1;
  }
  if (cmd == "BoneRestLength" || cmd == "BoneStrength") {
    double v;
    if (w.size() != 2 || !parseDouble(w[1], &v)) return fail(cmd + " needs a number");
    return boneCommand([&](SimItem& b) { (cmd == "BoneRestLength" ? b.restLength : b.strength) = v; });
  }
  if (cmd == "BoneActive") return boneCommand([](SimItem& b) { b.boneFlags ^= kBoneActive; });
  if (cmd == "BoneStrengthMultiply") return boneCommand([](SimItem& b) { b.boneFlags ^= kBoneScaleStrength; });
  if (cmd == "BoneWeightMapOnly") return boneCommand([](SimItem& b) { b.boneFlags ^= kBoneWeightMapOnly; });
  if (cmd == "BoneNormalization") return boneCommand([](SimItem& b) { b.boneFlags ^= kBoneWeightNorm; });
  if (cmd == "BoneWeightMapName") {
    std::string name = restOf(line);
    if (name.empty()) return fail("BoneWeightMapName needs a name");
    return boneCommand([&](SimItem& b) { b.weightMap = name == "(none)" ? "" : name; });
  }
  if (cmd == "BoneRestPosition" || cmd == "BoneRestRotation") {
    double v[3];
    if (w.size() != 4 || !parseDouble(w[1], &v[0]) || !parseDouble(w[2], &v[1]) || !parseDouble(w[3], &v[2]))
      return fail(cmd + " needs three numbers");
    bool rotation = cmd == "BoneRestRotation";
    return boneCommand([&](SimItem& b) {
      Vec3 value = {v[0], v[1], v[2]};
      if (rotation) value = value * (kPi / 180.0);
      (rotation ? b.restRotation : b.restPosition) = value;
      // A bone's current pose follows its rest pose here: the sim does not animate.
      (rotation ? b.rotation : b.position) = value;
    });
  }
  if (cmd == "ItemVisibility") {
    long v;
    if (w.size() != 2 || !parseInt(w[1], &v) || v < 0 || v > 7) return fail("ItemVisibility needs 0..7");
    for (uint64_t id : scene.selection())
      if (SimItem* it = scene.find(id)) it->visibility = int(v);
    return 1;
  }
  if (cmd == "ItemLock") {
    long v = 1;
    if (w.size() > 1 && !parseInt(w[1], &v)) return fail("ItemLock needs 0 or 1");
    for (uint64_t id : scene.selection())
      if (SimItem* it = scene.find(id)) it->locked = v != 0;
    return 1;
  }
  if (cmd == "SelfShadow") return toggleShadow(kShadowSelf);
  if (cmd == "CastShadow") return toggleShadow(kShadowCast);
  if (cmd == "ReceiveShadow") return toggleShadow(kShadowReceive);
  if (cmd == "UnseenByCamera") return toggleObjectFlag(kObjfUnseenByCamera);
  if (cmd == "UnseenByRays") return toggleObjectFlag(kObjfUnseenByRays);
  if (cmd == "UnseenByRadiosity") return toggleObjectFlag(kObjfUnseenByRadiosity);
  if (cmd == "UnaffectedByFog") return toggleObjectFlag(kObjfUnaffectByFog);
  if (cmd == "UnseenByAlphaChannel") {
    long v = 1;
    if (w.size() > 1 && !parseInt(w[1], &v)) return fail("UnseenByAlphaChannel needs 0 or 1");
    for (uint64_t id : scene.selection())
      if (SimItem* it = scene.find(id); it && it->type == ItemType::Object) {
        if (v) it->objectFlags |= kObjfUnseenByAlpha;
        else it->objectFlags &= ~kObjfUnseenByAlpha;
      }
    return 1;
  }
  if (cmd == "EnableDeformations") {
    scene.deformationsEnabled = !scene.deformationsEnabled;
    evaluationInputsChanged();
    return 1;
  }
  if (cmd == "EnableIK") {
    scene.generalFlags ^= 1u << 7;
    return 1;
  }
  if (cmd == "EnableMC") {
    scene.generalFlags ^= 1u << 11;
    return 1;
  }
  if (cmd == "SubPatchLevel") {
    long d, r;
    if (w.size() != 3 || !parseInt(w[1], &d) || !parseInt(w[2], &r) || d < 0 || r < 0)
      return fail("SubPatchLevel needs two levels");
    SimItem* o = selectedObject();
    if (!o) return fail("SubPatchLevel needs a selected object");
    o->patchDisplay = int(d);
    o->patchRender = int(r);
    return 1;
  }
  if (cmd == "ApplyServer") {
    if (w.size() != 3) return fail("ApplyServer needs a class and a server name");
    return applyServer(w[1], w[2]) ? 1 : fail("cannot apply " + w[1] + " " + w[2]);
  }
  if (cmd == "RemoveServer") {
    long index;
    if (w.size() != 3 || !parseInt(w[2], &index)) return fail("RemoveServer needs a class and an index");
    return removeServer(w[1], int(index)) ? 1 : fail("no such server to remove");
  }
  if (cmd.rfind("ModCommand_", 0) == 0) {
    int rc = runModCommand(cmd.substr(11), restOf(line));
    if (rc < 0) return fail("no CommandSequence server named " + cmd.substr(11));
    return 1;
  }
  if (cmd.rfind("Tool_", 0) == 0) {
    int rc = activateTool(cmd.substr(5));
    if (rc < 0) return fail("no LayoutTool server named " + cmd.substr(5));
    return 1;
  }
  if (cmd == "ChangeTool") {
    leaveTool();
    return 1;
  }
  if (cmd == "EditObjects") return 1;
  if (cmd == "SaveAllObjects") {
    for (const auto& it : scene.items())
      if (it->type == ItemType::Object && it->modified) {
        if (!saveObject || saveObject(*it)) it->modified = false;
      }
    return 1;
  }
  if (cmd == "RefreshNow") {
    evaluateScene();
    redrawViewports();
    return 1;
  }
  if (cmd == "Refresh") {
    // At the next idle moment; a host whose flags are live has evaluated already.
    evaluationInputsChanged();
    return 1;
  }
  if (cmd == "RedrawNow") {
    redrawViewports();
    return 1;
  }
  return fail("unknown command");
}

}  // namespace sim
