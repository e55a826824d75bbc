// Module files, the server registry, the Layout tool and master handlers.
#include <algorithm>
#include <cstring>

#include "host/host_access.h"
#include "host/host_slots.h"
#include "system/os_calls.h"

extern "C" {
#include <lwio.h>
}

namespace sim {

namespace {

// The symbol a module file exports its descriptor under (lwmodule.h).
constexpr const char* kDescriptorSymbol = "_mod_descrip";

// The activation versions of a 2020 host (lwsdkver.h build 3227).
constexpr int kLayoutToolVersion2020 = 3;
constexpr int kMasterVersion2020 = 5;
constexpr int kModCommandVersion2020 = 4;

// A server that refused every version offered: the host says so (it is not the silent
// failure code).
void reportBadVersion(Host& host, const std::string& cls, const std::string& name) {
  host.messages.push_back({"error", "", "Plug-in " + name + " (" + cls + ") does not support this version of the host", ""});
}

}  // namespace

std::vector<int> Host::offeredVersions(int version96, int version2020) const {
  switch (policy.versions) {
    case ActivationVersions::Sdk96Only: return {version96};
    case ActivationVersions::NewestThenRetryOlder: return {version2020, version96};
    case ActivationVersions::NewestOnly: return {version2020};
  }
  return {version96};
}

int Host::activateServer(const ServerEntry& server, int version96, int version2020, void* local) {
  int rc = AFUNC_BADVERSION;
  lastOfferedVersions.clear();
  for (int version : offeredVersions(version96, version2020)) {
    lastOfferedVersions.push_back(version);
    rc = server.activate(version, hostGlobalFunc, local, server.serverData);
    if (rc != AFUNC_BADVERSION) break;
  }
  if (rc == AFUNC_BADVERSION) reportBadVersion(*this, server.className, server.name);
  return rc;
}

ModuleFile::~ModuleFile() {
  os::freeLibrary(handle);
}

bool Host::loadModule(const std::string& path, std::string* error) {
  void* handle = os::loadLibrary(path, error);
  if (!handle) return false;
  auto* descriptor = static_cast<ModuleDescriptor*>(os::findSymbol(handle, kDescriptorSymbol));
  if (!descriptor) {
    if (error) *error = std::string("not a plug-in module (no ") + kDescriptorSymbol + "): " + path;
    os::freeLibrary(handle);
    return false;
  }
  if (!addModule(descriptor, path, error)) {
    os::freeLibrary(handle);
    return false;
  }
  modules_.back()->handle = handle;
  return true;
}

bool Host::addModule(ModuleDescriptor* descriptor, const std::string& path, std::string* error) {
  if (!descriptor || descriptor->sysSync != MOD_SYSSYNC || descriptor->sysVersion != MOD_SYSVER) {
    if (error) *error = "module descriptor has the wrong sync word or version: " + path;
    return false;
  }
  void* serverData = descriptor->startup ? descriptor->startup() : reinterpret_cast<void*>(4);
  if (!serverData) {
    if (error) *error = "module start-up failed: " + path;
    return false;
  }
  auto file = std::make_unique<ModuleFile>();
  file->descriptor = descriptor;
  file->serverData = serverData;
  file->path = path;
  for (ServerRecord* rec = descriptor->serverDefs; rec && rec->className; ++rec) {
    ServerEntry e;
    e.className = rec->className;
    e.name = rec->name ? rec->name : "";
    e.activate = rec->activate;
    e.serverData = serverData;
    e.modulePath = path;
    for (ServerTagInfo* t = rec->tagInfo; t && t->tag != 0 && t->string; ++t)
      if ((t->tag & 0xFFFF0000u) == SRVTAG_USERNAME && e.userName.empty()) e.userName = t->string;
    // A tag list may begin with a user name in tag 0 | LANGID; tag 0 ends the list, so
    // a user name with LANGID 0 would end it at once: take the first entry as well.
    if (e.userName.empty() && rec->tagInfo && rec->tagInfo->string && rec->tagInfo->tag != 0 &&
        (rec->tagInfo->tag & 0xFFFF0000u) == SRVTAG_USERNAME)
      e.userName = rec->tagInfo->string;
    servers_.push_back(e);
  }
  modules_.push_back(std::move(file));
  return true;
}

void Host::unloadModules() {
  leaveTool();
  while (!masters_.empty()) removeServer(LWMASTER_HCLASS, 1);
  for (auto& m : modules_)
    if (m->descriptor && m->descriptor->shutdown) m->descriptor->shutdown(m->serverData);
  servers_.clear();
  rings.clear();
  panels.clear();
  modules_.clear();  // closes the files
}

const ServerEntry* Host::findServer(const std::string& cls, const std::string& name) const {
  for (const auto& s : servers_)
    if (s.className == cls && s.name == name) return &s;
  return nullptr;
}

// --- Layout tool --------------------------------------------------------------------

int Host::activateTool(const std::string& name) {
  const ServerEntry* server = findServer(LWLAYOUTTOOL_CLASS, name);
  if (!server) {
    lastToolResult = -1;
    return -1;
  }
  leaveTool();
  auto slot = std::make_unique<ToolSlot>();
  slot->local.tool = &slot->funcs;
  slot->name = name;
  tool_ = std::move(slot);
  int rc = AFUNC_BADVERSION;
  {
    PluginCall call(*this);
    rc = activateServer(*server, LWLAYOUTTOOL_VERSION, kLayoutToolVersion2020, &tool_->local);
    lastToolResult = rc;
    tool_->active = rc == AFUNC_OK;
    if (!tool_->active) tool_.reset();
  }
  if (toolActive() && tool_->funcs.help) {
    PluginCall call(*this);
    LWToolEvent noEvent{};
    const char* text = tool_->funcs.help(tool_->local.instance, &noEvent);
    toolHelpText = text ? text : "";
  }
  return rc;
}

void Host::toolEvent(int code) {
  if (!toolActive() || !tool_->funcs.event) return;
  PluginCall call(*this);
  tool_->funcs.event(tool_->local.instance, code);
}

void Host::leaveTool() {
  if (!tool_ || !tool_->active) return;
  PluginCall call(*this);
  tool_->active = false;
  std::unique_ptr<ToolSlot> leaving = std::move(tool_);
  if (leaving->funcs.done) leaving->funcs.done(leaving->local.instance);
}

void Host::redrawViewports() {
  redrawCount++;
  lastDraw.assign(viewports.size(), DrawList{});
  if (toolActive() && tool_->funcs.draw) {
    PluginCall call(*this);
    for (size_t v = 0; v < viewports.size() && toolActive(); ++v) {
      const SimViewport& vp = viewports[v];
      // The custom-object access numbers views by the plane they show.
      int lwView = LWVIEW_PERSP;
      switch (vp.type) {
        case 1: case 2: lwView = LWVIEW_XZ; break;
        case 3: case 4: lwView = LWVIEW_XY; break;
        case 5: case 6: lwView = LWVIEW_ZY; break;
        case 9: lwView = LWVIEW_CAMERA; break;
        case 8: lwView = LWVIEW_LIGHT; break;
        default: break;
      }
      Frame f = vp.viewFrame();
      double pos[3] = {f.origin[0], f.origin[1], f.origin[2]};
      double dir[3] = {f.axis[2][0], f.axis[2][1], f.axis[2][2]};
      LWCustomObjAccess access;
      lastDraw[v].viewport = int(v);
      beginRecording(access, lastDraw[v], lwView, pos, dir);
      tool_->funcs.draw(tool_->local.instance, &access);
    }
  }
  if (onRedraw) onRedraw();
}

bool Host::toolActive() const { return tool_ && tool_->active; }

// --- master handlers ----------------------------------------------------------------

namespace {

// Commands a master runs through its access record.
LWCommandCode accessLookup(void*, const char*) { return 0; }
int accessExecute(void*, LWCommandCode, int, const DynaValue*, DynaValue*) { return 0; }
int accessEvaluate(void* data, const char* command) {
  return command ? static_cast<Host*>(data)->command(command) : 0;
}

}  // namespace

bool Host::applyServer(const std::string& cls, const std::string& name) {
  if (cls != LWMASTER_HCLASS) return false;
  const ServerEntry* server = findServer(cls, name);
  if (!server) return false;
  auto slot = std::make_unique<MasterSlot>();
  slot->local.inst = &slot->inst;
  slot->local.item = &slot->item;
  slot->name = name;
  if (activateServer(*server, LWMASTER_VERSION, kMasterVersion2020, &slot->local) != AFUNC_OK) return false;
  if (!slot->inst.create) return false;
  LWError err = nullptr;
  slot->instance = slot->inst.create(slot->inst.priv, nullptr, &err);
  if (!slot->instance) {
    messages.push_back({"error", "", err ? err : "instance creation failed", ""});
    return false;
  }
  masters_.push_back(std::move(slot));
  return true;
}

bool Host::removeServer(const std::string& cls, int index) {
  if (cls != LWMASTER_HCLASS || index < 1 || size_t(index) > masters_.size()) return false;
  std::unique_ptr<MasterSlot> slot = std::move(masters_[size_t(index) - 1]);
  masters_.erase(masters_.begin() + (index - 1));
  if (slot->inst.destroy) slot->inst.destroy(slot->instance);
  return true;
}

std::vector<std::string> Host::appliedServers(const std::string& cls) const {
  std::vector<std::string> out;
  if (cls == LWMASTER_HCLASS)
    for (const auto& m : masters_) out.push_back(m->name);
  return out;
}

void Host::postMasterEvent(int eventCode, void* eventData) {
  if (policy.events == EventDelivery::Immediate) {
    // Delivered inside the command that raised it. A plug-in that answers the event with
    // another one would recurse without end in a real host; stop and record it.
    if (immediateEventDepth_ >= kMaxImmediateEventDepth) {
      hostFaults.push_back("scene event " + std::to_string(eventCode) + " raised again from its own handler");
      return;
    }
    ++immediateEventDepth_;
    sendMasterEvent(eventCode, eventData);
    --immediateEventDepth_;
    return;
  }
  pendingEvents_.push_back({eventCode, eventData});
  if (commandDepth_ == 0 && pluginDepth_ == 0) idle();
}

void Host::sendMasterEvent(int eventCode, void* eventData) {
  syncInterfaceInfo();
  // A master may remove masters from its event callback; walk a snapshot and skip the
  // ones that went away.
  std::vector<MasterSlot*> current;
  for (auto& m : masters_) current.push_back(m.get());
  for (MasterSlot* slot : current) {
    bool alive = std::any_of(masters_.begin(), masters_.end(),
                             [&](const auto& m) { return m.get() == slot; });
    if (!alive || !slot->local.event) continue;
    unsigned flags = slot->local.flags ? slot->local.flags(slot->instance) : 0;
    if (eventCode >= 0x100 && !(flags & LWMASTF_RECEIVE_NOTIFICATIONS)) continue;
    if (eventCode == LWEVNT_NOTIFY_SCENE_CLEAR_COMPLETE && slot->local.type != LWMAST_LAYOUT) continue;
    PluginCall call(*this);
    LWMasterAccess access{};
    access.eventCode = eventCode;
    access.eventData = eventData;
    access.data = this;
    access.lookup = accessLookup;
    access.execute = accessExecute;
    access.evaluate = accessEvaluate;
    slot->local.event(slot->instance, &access);
  }
}

void Host::processEvents() {
  if (processingEvents_) return;
  processingEvents_ = true;
  // Bounded: a plug-in that answers every event with another must not hang the host.
  for (int guard = 0; !pendingEvents_.empty() && guard < 10000; ++guard) {
    auto ev = pendingEvents_.front();
    pendingEvents_.pop_front();
    sendMasterEvent(ev.first, ev.second);
  }
  pendingEvents_.clear();
  processingEvents_ = false;
}

// --- master data in the scene -------------------------------------------------------

namespace {

// Text form of the values an instance writes, one token per value, as the scene's
// plug-in block holds them.
struct TextSave {
  std::vector<std::string> lines;
  std::string current;
  void token(const std::string& t) {
    if (!current.empty()) current += ' ';
    current += t;
  }
};

void ssWrite(void* d, const char* buf, int len) {
  if (buf && len > 0) static_cast<TextSave*>(d)->token(std::string(buf, size_t(len)));
}
void ssI1(void* d, const char* v, int n) { for (int i = 0; i < n; ++i) static_cast<TextSave*>(d)->token(std::to_string(int(v[i]))); }
void ssI2(void* d, const short* v, int n) { for (int i = 0; i < n; ++i) static_cast<TextSave*>(d)->token(std::to_string(v[i])); }
void ssI4(void* d, const int* v, int n) { for (int i = 0; i < n; ++i) static_cast<TextSave*>(d)->token(std::to_string(v[i])); }
void ssU1(void* d, const unsigned char* v, int n) { for (int i = 0; i < n; ++i) static_cast<TextSave*>(d)->token(std::to_string(v[i])); }
void ssU2(void* d, const unsigned short* v, int n) { for (int i = 0; i < n; ++i) static_cast<TextSave*>(d)->token(std::to_string(v[i])); }
void ssU4(void* d, const unsigned int* v, int n) { for (int i = 0; i < n; ++i) static_cast<TextSave*>(d)->token(std::to_string(v[i])); }
std::string floatText(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.9g", v);
  return buf;
}
// Shortest text that reads back as the same float.
std::string floatTextShort(float v) {
  char buf[64];
  for (int precision = 6; precision <= 9; ++precision) {
    std::snprintf(buf, sizeof buf, "%.*g", precision, double(v));
    if (std::strtof(buf, nullptr) == v) break;
  }
  return buf;
}
void ssFP(void* d, const float* v, int n) { for (int i = 0; i < n; ++i) static_cast<TextSave*>(d)->token(floatTextShort(v[i])); }
void ssDP(void* d, const double* v, int n) { for (int i = 0; i < n; ++i) static_cast<TextSave*>(d)->token(floatText(v[i])); }
void ssStr(void* d, const char* s) { static_cast<TextSave*>(d)->token(std::string("\"") + (s ? s : "") + "\""); }
void ssID(void*, const LWBlockIdent*) {}
void ssBegin(void* d, const LWBlockIdent*, int) {
  auto* t = static_cast<TextSave*>(d);
  if (!t->current.empty()) t->lines.push_back(std::move(t->current));
  t->current.clear();
}
void ssEnd(void* d) { ssBegin(d, nullptr, 0); }
int ssDepth(void*) { return 0; }

struct TextLoad {
  std::vector<std::string> tokens;
  size_t pos = 0;
  bool next(std::string* out) {
    if (pos >= tokens.size()) return false;
    *out = tokens[pos++];
    return true;
  }
};

template <typename T>
int readNumbers(void* d, T* v, int n) {
  auto* t = static_cast<TextLoad*>(d);
  int got = 0;
  std::string tok;
  while (got < n && t->next(&tok)) v[got++] = T(std::strtod(tok.c_str(), nullptr));
  return got;
}
int lsRead(void* d, char* buf, int len) {
  std::string tok;
  if (!static_cast<TextLoad*>(d)->next(&tok)) return -1;
  int n = std::min<int>(len, int(tok.size()));
  std::memcpy(buf, tok.data(), size_t(n));
  return n;
}
int lsI1(void* d, char* v, int n) { return readNumbers(d, v, n); }
int lsI2(void* d, short* v, int n) { return readNumbers(d, v, n); }
int lsI4(void* d, int* v, int n) { return readNumbers(d, v, n); }
int lsU1(void* d, unsigned char* v, int n) { return readNumbers(d, v, n); }
int lsU2(void* d, unsigned short* v, int n) { return readNumbers(d, v, n); }
int lsU4(void* d, unsigned int* v, int n) { return readNumbers(d, v, n); }
int lsFP(void* d, float* v, int n) { return readNumbers(d, v, n); }
int lsDP(void* d, double* v, int n) { return readNumbers(d, v, n); }
int lsStr(void* d, char* buf, int max) {
  std::string tok;
  if (max <= 0 || !static_cast<TextLoad*>(d)->next(&tok)) return -1;
  if (tok.size() >= 2 && tok.front() == '"' && tok.back() == '"') tok = tok.substr(1, tok.size() - 2);
  size_t n = std::min(tok.size(), size_t(max - 1));
  std::memcpy(buf, tok.data(), n);
  buf[n] = 0;
  return int(n);
}
LWID lsID(void*, const LWBlockIdent*) { return 0; }
void lsEnd(void*) {}
int lsDepth(void*) { return 0; }

}  // namespace

std::vector<std::vector<std::string>> Host::saveMasterData() {
  std::vector<std::vector<std::string>> out;
  for (auto& m : masters_) {
    TextSave text;
    LWSaveState ss{};
    ss.ioMode = LWIO_SCENE;
    ss.writeData = &text;
    ss.write = ssWrite;
    ss.writeI1 = ssI1;
    ss.writeI2 = ssI2;
    ss.writeI4 = ssI4;
    ss.writeU1 = ssU1;
    ss.writeU2 = ssU2;
    ss.writeU4 = ssU4;
    ss.writeFP = ssFP;
    ss.writeStr = ssStr;
    ss.writeID = ssID;
    ss.beginBlk = ssBegin;
    ss.endBlk = ssEnd;
    ss.depth = ssDepth;
    ss.writeDP = ssDP;
    if (m->inst.save) m->inst.save(m->instance, &ss);
    if (!text.current.empty()) text.lines.push_back(text.current);
    out.push_back(text.lines);
  }
  return out;
}

void Host::loadMasterData(const std::vector<std::pair<std::string, std::vector<std::string>>>& data) {
  for (const auto& [name, lines] : data) {
    if (!applyServer(LWMASTER_HCLASS, name)) continue;
    MasterSlot& m = *masters_.back();
    TextLoad text;
    for (const auto& line : lines) {
      size_t i = 0;
      while (i < line.size()) {
        while (i < line.size() && line[i] == ' ') ++i;
        size_t j = i;
        while (j < line.size() && line[j] != ' ') ++j;
        if (j > i) text.tokens.push_back(line.substr(i, j - i));
        i = j;
      }
    }
    LWLoadState ls{};
    ls.ioMode = LWIO_SCENE;
    ls.readData = &text;
    ls.read = lsRead;
    ls.readI1 = lsI1;
    ls.readI2 = lsI2;
    ls.readI4 = lsI4;
    ls.readU1 = lsU1;
    ls.readU2 = lsU2;
    ls.readU4 = lsU4;
    ls.readFP = lsFP;
    ls.readStr = lsStr;
    ls.readID = lsID;
    ls.findBlk = lsID;
    ls.endBlk = lsEnd;
    ls.depth = lsDepth;
    ls.readDP = lsDP;
    if (m.inst.load) m.inst.load(m.instance, &ls);
  }
}

}  // namespace sim
