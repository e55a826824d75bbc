// The simulated LightWave Layout: one host per process (the plug-in interface hands out
// plain C function pointers, so the globals reach the host through Host::current()).
// It owns the scene, answers every global the module acquires, runs host commands,
// loads module files and drives the servers they register.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "scene/sim_scene.h"
#include "scene/sim_viewport.h"
#include "host/draw_recorder.h"
#include "host/host_policy.h"
#include "host/panel_state.h"

extern "C" {
#include <lwserver.h>
#include <lwmodule.h>
}

namespace sim {

class ModuleFile;
struct ToolSlot;
struct MasterSlot;

// The host's product version as "Product Info" reports it.
struct ProductVersion {
  int build = 3227;
  int major = 2020;  // a year (>= 2015) is reported through the model-year field
  int minor = 0;
  unsigned value() const;
};

// One line a message function or the information panel showed.
struct ShownMessage {
  std::string kind;  // "info", "error", "warning", "okCancel", "yesNo", "yesNoCan", "yesNoAll", "panel"
  std::string title;
  std::string line1;
  std::string line2;
};

// One command the module issued, and whether the host understood it.
struct CommandRecord {
  std::string text;
  bool ok = true;
  std::string error;
};

// A registered server.
struct ServerEntry {
  std::string className;
  std::string name;
  ActivateFunc* activate = nullptr;
  void* serverData = nullptr;
  std::string userName;
  std::string modulePath;
};

// The host's global function, as handed to every activation.
void* hostGlobalFunc(const char* name, int useMode);

class Host {
 public:
  Host();
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // The live host, or nullptr.
  static Host* current();

  SimScene scene;
  std::vector<SimViewport> viewports = std::vector<SimViewport>(1);
  ProductVersion product;
  // Behaviours the SDK documentation leaves open (host_policy.h); set before loading
  // modules and activating servers.
  HostPolicy policy;
  int localeId = 0x0409;
  std::string settingsDir = ".";
  int viewBoneHandleSize = 72;

  // Globals ---------------------------------------------------------------------------
  // What the host's global function returns for a name; nullptr for an unknown or
  // withheld name.
  void* global(const char* name, int useMode);
  // Withhold a global, as a host that lacks it would.
  std::set<std::string> withheldGlobals;
  std::vector<std::string> globalRequests;

  // Commands --------------------------------------------------------------------------
  int command(const std::string& line);
  std::vector<CommandRecord> commandLog;
  // Commands issued since index `from`, text only.
  std::vector<std::string> commandsSince(size_t from) const;
  bool autoConfirm = false;
  // Saves an object to its file ("SaveAllObjects"); false when it failed.
  std::function<bool(SimItem&)> saveObject;
  // Called after every redraw of the viewports ("RedrawNow", "RefreshNow", a dirty tool).
  std::function<void()> onRedraw;
  // Redraws every viewport: the active tool's draw callback runs once per viewport, and
  // what it drew is kept in lastDraw (one list per viewport).
  void redrawViewports();
  std::vector<DrawList> lastDraw;
  int redrawCount = 0;

  // Marks a call into a plug-in. When the outermost call has returned the host is idle:
  // it evaluates the scene if something changed, and (under deferred event delivery)
  // delivers the scene events raised meanwhile, as Layout does from its event loop.
  class PluginCall {
   public:
    explicit PluginCall(Host& host) : host_(host) { ++host_.pluginDepth_; }
    ~PluginCall() {
      if (--host_.pluginDepth_ == 0 && host_.commandDepth_ == 0) host_.idle();
    }
    PluginCall(const PluginCall&) = delete;
    PluginCall& operator=(const PluginCall&) = delete;

   private:
    Host& host_;
  };

  // Messages and questions ------------------------------------------------------------
  std::vector<ShownMessage> messages;
  // Answers to questions, in order; an empty queue answers with the default
  // (OK / Yes).
  std::deque<int> answers;
  int nextAnswer(int fallback);

  // Modules and servers ---------------------------------------------------------------
  // Loads a module file (dlopen) and registers its servers; false and a message on error.
  bool loadModule(const std::string& path, std::string* error);
  // Registers the servers of a descriptor already in this process (tests link the
  // module statically).
  bool addModule(ModuleDescriptor* descriptor, const std::string& path, std::string* error);
  // Ends the active tool, removes master instances, shuts modules down and unloads them.
  void unloadModules();
  const std::vector<ServerEntry>& servers() const { return servers_; }
  const ServerEntry* findServer(const std::string& cls, const std::string& name) const;

  // Layout tool -----------------------------------------------------------------------
  // "Tool_<name>": activates the tool; returns the activation's result code.
  int activateTool(const std::string& name);
  // "ChangeTool": leaves the active tool (its done callback runs).
  void leaveTool();
  bool toolActive() const;
  ToolSlot* tool() { return tool_.get(); }
  int lastToolResult = 0;
  // The activation versions the host offered in its last activation of any server, in
  // order (a retry adds the lower version).
  std::vector<int> lastOfferedVersions;
  // The tool's help text as the host last asked for it (help callback).
  std::string toolHelpText;
  // Sends a general tool event (LWT_EVENT_DROP, _RESET, _ACTIVATE) to the active tool.
  void toolEvent(int code);

  // Mouse in a viewport (host_mouse.cpp) ------------------------------------------------
  // Delivers a mouse event at window pixel (x, y) of a viewport to the active tool as Layout
  // does: Down calls down(); when that returns non-zero (raw mouse mode), Move calls move()
  // and Up calls up(); when it returns 0 (handle mode), the host asks count() and start()
  // for the handle to drag, Move calls adjust() and Up ends the drag (each only when the
  // tool filled it in). After each event a tool that reports LWT_DIRTY_WIREFRAME is redrawn
  // (onRedraw). Button 0 is the left, 1 the right (LWTOOLF_ALT_BUTTON). Returns -1 without
  // an active tool or with an unknown viewport (and for Move/Up without a Down); for Down
  // what down() returned; 0 otherwise.
  enum class MouseAction { Down, Move, Up };
  static constexpr unsigned kMouseShift = 1u << 0, kMouseCtrl = 1u << 1, kMouseAlt = 1u << 2;
  int toolMouse(MouseAction action, double x, double y, int button, unsigned qualifiers, int viewport);
  // The drag in progress, from a Down to its Up.
  struct MouseDrag {
    bool down = false;
    bool toolTook = false;
    int viewport = 0, button = 0;
    double x = 0, y = 0;
    Vec3 pos = {0, 0, 0};
    int handle = -1;  // handle mode: the handle being dragged, -1 for none
  };
  MouseDrag mouseDrag;
  int movesSinceFrame = 0;  // under DragRedraw::EverySecondMove

  // Master handlers -------------------------------------------------------------------
  bool applyServer(const std::string& cls, const std::string& name);
  bool removeServer(const std::string& cls, int index);
  // Names of the applied handlers of a class, in order.
  std::vector<std::string> appliedServers(const std::string& cls) const;
  // Delivers a scene event to every master that asks for it, now.
  void sendMasterEvent(int eventCode, void* eventData = nullptr);
  // Queues a scene event; the host delivers it when the current command (if any) has
  // finished, as Layout does from its event loop.
  void postMasterEvent(int eventCode, void* eventData = nullptr);
  void processEvents();
  // What the host does whenever control returns to its event loop: evaluate the scene when
  // an input of the evaluation changed, then deliver waiting scene events.
  void idle();

  // Scene evaluation ------------------------------------------------------------------
  // Recomputes every object's frozen mesh and its object flags now.
  void evaluateScene();
  // Something the evaluation depends on changed (weights, bones, the deformation switch):
  // with live object flags the host evaluates at once, otherwise at its next idle moment.
  void evaluationInputsChanged();
  bool evaluationPending() const { return evaluationPending_; }
  // Brings scene-level switches in line with the policy (tests may change it at any time).
  void applyScenePolicy();

  // Item ids --------------------------------------------------------------------------
  // Gives every item a new id and tells each master through its changeID callback (the
  // list "old, new, old, new, ..., 0"). Under ItemIdStability::ChangeOnEvents the host
  // also does this after every removal of items.
  void renumberItems();
  // The id an item has now that had `id` at some earlier time (ids of removed items, and
  // ids never renumbered, come back unchanged). For tests that keep ids across a renumber.
  uint64_t currentIdOf(uint64_t id) const;

  // Scene clear and load ----------------------------------------------------------------
  // "Clear Scene": LWEVNT_NOTIFY_SCENE_CLEAR_STARTING to the masters, SCENE-type masters
  // destroyed, every item removed, then LWEVNT_NOTIFY_SCENE_CLEAR_COMPLETE to the LAYOUT-type
  // masters that survived.
  void clearScene();
  // LWEVNT_NOTIFY_SCENE_LOAD_STARTING / _COMPLETE with the file name, for the scene loader.
  void sceneLoadStarting(const std::string& file);
  void sceneLoadComplete(const std::string& file);

  // Things a real host would crash or hang on (endless event recursion, a callback the
  // host must call left empty); tests expect this to stay empty.
  std::vector<std::string> hostFaults;
  // How deeply immediate scene events may nest before the host stops them.
  static constexpr int kMaxImmediateEventDepth = 8;
  // What each applied master instance writes into the scene, as text lines.
  std::vector<std::vector<std::string>> saveMasterData();
  // Re-creates master instances from saved data (as loading a scene does).
  void loadMasterData(const std::vector<std::pair<std::string, std::vector<std::string>>>& data);

  // Mesh-edit commands ----------------------------------------------------------------
  int runModCommand(const std::string& name, const std::string& argument);
  int editsBegun = 0;
  int editsCommitted = 0;

  // Communication rings ---------------------------------------------------------------
  struct RingListener {
    std::string topic;
    void* client;
    void (*callback)(void*, void*, int, void*);
  };
  std::vector<RingListener> rings;
  int ringAttach(const char* topic, void* client, void (*cb)(void*, void*, int, void*));
  void ringDetach(const char* topic, void* client);
  void ringMessage(const char* topic, int code, void* data);

  // Panels (headless) -----------------------------------------------------------------
  std::vector<std::unique_ptr<PanelState>> panels;
  // Answers for blocking panel opens (1 = OK); empty queue answers OK.
  std::deque<int> panelAnswers;
  // What the user does in the next blocking panels, one per open, taken before
  // panelAnswers: the script sets controls and fires their events as a user would,
  // and returns the answer (1 OK, 0 Cancel).
  std::deque<std::function<int(PanelState&)>> dialogScripts;

  // Progress monitors -----------------------------------------------------------------
  // Cancel a monitor after this many steps (-1: never).
  int cancelMonitorAfter = -1;
  std::function<void(const std::string&, unsigned, unsigned)> onProgress;

  // Storage behind the strings and arrays the globals hand out. It belongs to the host
  // so that it lives exactly as long as the host does, whatever order statics die in.
  struct GlobalScratch {
    std::vector<void*> selection;      // the interface info's selItems, reserved once
    std::string serverName, vmapName, directory;
  } scratch;

  // Memory and processors the host reports to plug-ins through the OS (for tests).
  std::string layoutConfigText;  // written to the settings dir by writeLayoutConfig()
  bool writeLayoutConfig(const std::string& fileName) const;

 private:
  std::vector<ServerEntry> servers_;
  std::vector<std::unique_ptr<ModuleFile>> modules_;
  std::unique_ptr<ToolSlot> tool_;
  std::vector<std::unique_ptr<MasterSlot>> masters_;
  std::deque<std::pair<int, void*>> pendingEvents_;
  bool processingEvents_ = false;
  bool evaluationPending_ = false;
  int immediateEventDepth_ = 0;
  bool appliedOtherPosInWorld_ = true;
  std::unordered_map<uint64_t, uint64_t> renumbered_;  // old id -> next id
  // Activation versions offered for a class, newest first, by the policy.
  std::vector<int> offeredVersions(int version96, int version2020) const;
  // Activates a server with the offered versions, retrying lower ones after
  // AFUNC_BADVERSION; returns the last result.
  int activateServer(const ServerEntry& server, int version96, int version2020, void* local);

  int commandDepth_ = 0;
  int pluginDepth_ = 0;
  friend struct HostAccess;
};

}  // namespace sim
