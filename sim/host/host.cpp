// The host core: the global function, product and locale, directories, message
// functions, server info, the command function and the communication rings.
#include "host/host.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "host/host_access.h"
#include "host/host_slots.h"
#include "host/panel_state.h"

extern "C" {
#include <lwcomring.h>
#include <lwhost.h>
#include <lwmonitor.h>
#include <lwmtutil.h>
#include <lwpanel.h>
}

namespace sim {

LWPanelFuncs* panelFuncsRecord();
LWRasterFuncs* rasterFuncsRecord();
LWLMonFuncs* monitorFuncsRecord();
LWMTUtilFuncs* mtUtilFuncsRecord();
LWViewportInfo* viewportInfoRecord();

namespace {

Host* stCurrent = nullptr;

// Names the 9.6 headers do not define: the command function (D96 commands.html has
// plug-ins name it themselves) and the four globals a host from build 3211 offers in newer
// versions as well (lwrender.h / lwmeshes.h of 2020).
constexpr const char* kCommandFuncGlobal = "LW Command Interface";
constexpr const char* kItemInfo2020 = "LW Item Info 9";
constexpr const char* kObjectInfo2020 = "LW Object Info 14";
constexpr const char* kObjectFuncs2020 = "Scene Objects 9";
constexpr const char* kBoneInfo2020 = "LW Bone Info 7";

// --- messages ----------------------------------------------------------------------

std::string text(const char* s) { return s ? s : ""; }

void msgInfo(const char* a, const char* b) { H().messages.push_back({"info", "", text(a), text(b)}); }
void msgError(const char* a, const char* b) { H().messages.push_back({"error", "", text(a), text(b)}); }
void msgWarning(const char* a, const char* b) { H().messages.push_back({"warning", "", text(a), text(b)}); }
int ask(const char* kind, const char* t, const char* a, const char* b, int fallback) {
  H().messages.push_back({kind, text(t), text(a), text(b)});
  return H().nextAnswer(fallback);
}
int msgOkCancel(const char* t, const char* a, const char* b) { return ask("okCancel", t, a, b, 1); }
int msgYesNo(const char* t, const char* a, const char* b) { return ask("yesNo", t, a, b, 1); }
int msgYesNoCan(const char* t, const char* a, const char* b) { return ask("yesNoCan", t, a, b, 2); }
int msgYesNoAll(const char* t, const char* a, const char* b) { return ask("yesNoAll", t, a, b, 2); }

LWMessageFuncs stMessages = {msgInfo, msgError, msgWarning, msgOkCancel,
                             msgYesNo, msgYesNoCan, msgYesNoAll};

// --- small globals -----------------------------------------------------------------

const char* serverPath(const char* cls, const char* name) {
  if (!cls || !name) return nullptr;
  const ServerEntry* s = H().findServer(cls, name);
  return s ? s->modulePath.c_str() : nullptr;
}
LWServerInfo stServerInfo = {serverPath};

int commandFunc(const char* cmd) { return cmd ? H().command(cmd) : 0; }

const char* directoryInfo(const char* type) {
  if (!type) return nullptr;
  std::string& dir = H().scratch.directory;
  dir = H().settingsDir;
  return dir.c_str();
}

int ringAttachCB(char* topic, LWInstance client, RingEvent cb) {
  return H().ringAttach(topic, client, cb);
}
void ringDetachCB(char* topic, LWInstance client) { H().ringDetach(topic, client); }
void ringMessageCB(char* topic, int code, void* data) { H().ringMessage(topic, code, data); }
LWComRing stComRing = {ringAttachCB, ringDetachCB, ringMessageCB};

LWTimeInfo stTimeInfo = {0.0, 0};

}  // namespace

void* hostGlobalFunc(const char* name, int useMode) {
  Host* h = Host::current();
  return h && name ? h->global(name, useMode) : nullptr;
}

unsigned ProductVersion::value() const {
  unsigned v = LWINF_PRODLWAV | (unsigned(build & 0xFFF) << 4) | (unsigned(minor & 0xF) << 16);
  if (major >= 2015)
    v |= (15u << 20) | (unsigned((major - 2015) & 0x3F) << 24);
  else
    v |= unsigned(major & 0xF) << 20;
  return v;
}

Host::Host() {
  // Reserved once: a plug-in may hold the selection array, so it must never move.
  scratch.selection.reserve(1 << 16);
  if (!stCurrent) stCurrent = this;
}

Host::~Host() {
  unloadModules();
  if (stCurrent == this) stCurrent = nullptr;
}

Host* Host::current() { return stCurrent; }

int Host::nextAnswer(int fallback) {
  if (answers.empty()) return fallback;
  int a = answers.front();
  answers.pop_front();
  return a;
}

void* Host::global(const char* cname, int) {
  std::string name = cname;
  globalRequests.push_back(name);
  if (withheldGlobals.count(name)) return nullptr;
  applyScenePolicy();
  // A host below build 3211 knows only the older versions of the four versioned globals.
  const bool newHost = product.build >= 3211;
  if (name == LWMESSAGEFUNCS_GLOBAL) return &stMessages;
  if (name == LWPANELFUNCS_GLOBAL) return panelFuncsRecord();
  if (name == LWRASTERFUNCS_GLOBAL) return rasterFuncsRecord();
  if (name == LWVIEWPORTINFO_GLOBAL) return viewportInfoRecord();
  if (name == LWINTERFACEINFO_GLOBAL) return interfaceInfoRecord();
  if (name == LWITEMINFO_GLOBAL || (newHost && name == kItemInfo2020)) return itemInfoRecord();
  if (name == LWOBJECTINFO_GLOBAL || (newHost && name == kObjectInfo2020)) return objectInfoRecord();
  if (name == LWOBJECTFUNCS_GLOBAL || (newHost && name == kObjectFuncs2020)) return objectFuncsRecord();
  if (name == LWBONEINFO_GLOBAL || (newHost && name == kBoneInfo2020)) return boneInfoRecord();
  if (name == LWMTUTILFUNCS_GLOBAL) return mtUtilFuncsRecord();
  if (name == LWCOMRING_GLOBAL) return &stComRing;
  if (name == kCommandFuncGlobal) return reinterpret_cast<void*>(&commandFunc);
  if (name == LWSERVERINFO_GLOBAL) return &stServerInfo;
  if (name == LWLMONFUNCS_GLOBAL) return monitorFuncsRecord();
  if (name == LWPRODUCTINFO_GLOBAL) return reinterpret_cast<void*>(uintptr_t(product.value()));
  if (name == LWLOCALEINFO_GLOBAL) return reinterpret_cast<void*>(uintptr_t(unsigned(localeId) & 0xFFFF));
  if (name == LWDIRINFOFUNC_GLOBAL) return reinterpret_cast<void*>(&directoryInfo);
  if (name == LWSYSTEMID_GLOBAL) return reinterpret_cast<void*>(uintptr_t(LWSYS_LAYOUT | 1));
  if (name == LWTIMEINFO_GLOBAL) {
    stTimeInfo.time = scene.time;
    stTimeInfo.frame = int(scene.time * 30.0);
    return &stTimeInfo;
  }
  return nullptr;
}

std::vector<std::string> Host::commandsSince(size_t from) const {
  std::vector<std::string> out;
  for (size_t i = from; i < commandLog.size(); ++i) out.push_back(commandLog[i].text);
  return out;
}

// --- rings -------------------------------------------------------------------------

int Host::ringAttach(const char* topic, void* client, void (*cb)(void*, void*, int, void*)) {
  if (!topic || !cb) return 0;
  for (const auto& r : rings)
    if (r.topic == topic && r.client == client) return 1;
  rings.push_back({topic, client, cb});
  return 1;
}

void Host::ringDetach(const char* topic, void* client) {
  if (!topic) return;
  rings.erase(std::remove_if(rings.begin(), rings.end(),
                             [&](const RingListener& r) { return r.topic == topic && r.client == client; }),
              rings.end());
}

void Host::ringMessage(const char* topic, int code, void* data) {
  if (!topic) return;
  // Listeners may attach or detach while being called; deliver to those present now.
  std::vector<RingListener> now;
  for (const auto& r : rings)
    if (r.topic == topic) now.push_back(r);
  for (const auto& r : now) {
    bool still = std::any_of(rings.begin(), rings.end(), [&](const RingListener& x) {
      return x.topic == r.topic && x.client == r.client;
    });
    if (still) r.callback(r.client, nullptr, code, data);
  }
}

bool Host::writeLayoutConfig(const std::string& fileName) const {
  std::ofstream out(settingsDir + "/" + fileName, std::ios::binary);
  out << layoutConfigText;
  return bool(out);
}

}  // namespace sim
