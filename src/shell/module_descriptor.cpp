// The module's server table and descriptor: what the host reads when it loads the file.
#include "gradient_panel/gradient_panel.h"
#include "panel/edit_panel.h"
#include "shell/master_control.h"
#include "shell/mesh_edit_access.h"
#include "shell/module_state.h"
#include "shell/tool_activation.h"

extern "C" {
#include <lwcmdseq.h>
#include <lwlaytool.h>
#include <lwmaster.h>
#include <lwmodule.h>
}

namespace {

// Tag lists: the user name for any language, then the terminating entry.
ServerTagInfo stMEAccessTags[] = {{"MEAccess", SRVTAG_USERNAME | LANGID_USENGLISH}, {"", 0}};
ServerTagInfo stToolTags[] = {{"Velmora", SRVTAG_USERNAME | LANGID_USENGLISH}, {"", 0}};

int activateMEAccess(int version, GlobalFunc* global, void* local, void* serverData) {
  return LayoutMEAccessMain(version, global, local, serverData);
}

ServerRecord stServers[] = {
    {LWMODCOMMAND_CLASS, kMeshEditServerName, activateMEAccess, stMEAccessTags},
    {LWLAYOUTTOOL_CLASS, kToolServerName, VelmoraToolHandler, stToolTags},
    {LWMASTER_HCLASS, kMasterServerName, VelmoraMasterActivate, nullptr},
    {nullptr, nullptr, nullptr, nullptr},
};

// A fresh load starts with fresh module state, even when the host kept the file mapped.
void* Startup() {
  resetModuleState();
  resetEditPanelState();
  resetGradientPanelState();
  return reinterpret_cast<void*>(4);
}

void Shutdown(void*) {}

}  // namespace

// The one symbol the module file exports: marked here, on the definition, because the
// host's headers declare nothing for it and everything else is built hidden.
#if defined(_WIN32)
#define VELMORA_MODULE_EXPORT __declspec(dllexport)
#else
#define VELMORA_MODULE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {
VELMORA_MODULE_EXPORT ModuleDescriptor _mod_descrip = {
    MOD_SYSSYNC, MOD_SYSVER, MOD_MACHINE, Startup, Shutdown, stServers};
}
