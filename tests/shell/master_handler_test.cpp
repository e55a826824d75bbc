// The master handler's activation and the tool's ways of applying and removing it.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "settings/host_config.h"
#include "shell/master_control.h"
#include "shell/module_state.h"
#include "support/module_fixture.h"

extern "C" {
#include <lwmaster.h>
}

namespace {

// Another module's master handler, to sit between the tool's own instances.
LWInstance otherCreate(void*, void*, LWError*) {
  static int instance = 0;
  return &instance;
}
void otherDestroy(LWInstance) {}
int otherActivate(int, GlobalFunc*, void* local, void*) {
  auto* master = static_cast<LWMasterHandler*>(local);
  master->inst->create = otherCreate;
  master->inst->destroy = otherDestroy;
  return AFUNC_OK;
}
ServerRecord stOtherServers[] = {{"MasterHandler", "OtherMaster", otherActivate, nullptr}, {nullptr, nullptr, nullptr, nullptr}};
void* otherStartup() { return reinterpret_cast<void*>(1); }
ModuleDescriptor stOtherModule = {MOD_SYSSYNC, MOD_SYSVER, 0, otherStartup, nullptr, stOtherServers};

class MasterHandlerTest : public ModuleFixture {};

TEST_F(MasterHandlerTest, ClosingThePanelRemovesEveryInstanceAndKeepsOthers) {
  std::string error;
  ASSERT_TRUE(host->addModule(&stOtherModule, "other", &error)) << error;
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  // The tool's master is first; two more, adjacent, with another module's between.
  ASSERT_TRUE(host->applyServer("MasterHandler", "MasterControl_vmr"));
  ASSERT_TRUE(host->applyServer("MasterHandler", "OtherMaster"));
  ASSERT_TRUE(host->applyServer("MasterHandler", "MasterControl_vmr"));
  ASSERT_TRUE(host->applyServer("MasterHandler", "MasterControl_vmr"));
  ASSERT_EQ(host->appliedServers("MasterHandler").size(), 5u);
  removeMasterControlPlugins();
  EXPECT_EQ(host->appliedServers("MasterHandler"), std::vector<std::string>{"OtherMaster"});
}

TEST_F(MasterHandlerTest, AHostWithoutTheMasterServerAsksForTheModuleToBeAddedAgain) {
  // The same module with its master left out of the server table (the host keeps the
  // descriptor until it is destroyed).
  static std::vector<ServerRecord> servers;
  servers.clear();
  for (ServerRecord* r = _mod_descrip.serverDefs; r->className; ++r)
    if (std::strcmp(r->className, "MasterHandler") != 0) servers.push_back(*r);
  servers.push_back({nullptr, nullptr, nullptr, nullptr});
  static ModuleDescriptor partial;
  partial = _mod_descrip;
  partial.serverDefs = servers.data();
  host->unloadModules();
  std::string error;
  ASSERT_TRUE(host->addModule(&partial, "partial", &error)) << error;
  EXPECT_EQ(activateOn(demo.limb), AFUNC_BADAPP_SILENT);
  ASSERT_FALSE(host->messages.empty());
  EXPECT_EQ(host->messages.back().kind, "panel");
  EXPECT_EQ(host->messages.back().line1,
            "You need to re-add the latest version of Velmora with the Add Plugins command,");
  EXPECT_EQ(host->messages.back().line2, "because of lack of components.");
  EXPECT_FALSE(host->toolActive());
  // The failed activation left no binding behind; bound to the host, the check names why.
  EXPECT_EQ(addMasterControlPlugin(), 1);
  setGlobalForFunc(sim::hostGlobalFunc);
  EXPECT_EQ(addMasterControlPlugin(), 2);
  setGlobalForFunc(nullptr);
  EXPECT_TRUE(host->appliedServers("MasterHandler").empty());
}

TEST_F(MasterHandlerTest, WithoutServerInfoTheMasterCannotBeChecked) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  host->withheldGlobals = {"LW Server Info"};
  EXPECT_EQ(addMasterControlPlugin(), 1);
}

TEST_F(MasterHandlerTest, ActivationChecksTheVersionTheRingAndTheRecord) {
  LWInstanceFuncs inst{};
  LWItemFuncs item{};
  LWMasterHandler local{};
  local.inst = &inst;
  local.item = &item;
  EXPECT_EQ(VelmoraMasterActivate(5, sim::hostGlobalFunc, &local, nullptr), AFUNC_BADVERSION);
  EXPECT_EQ(VelmoraMasterActivate(3, sim::hostGlobalFunc, &local, nullptr), AFUNC_BADVERSION);
  EXPECT_EQ(inst.create, nullptr);
  host->withheldGlobals = {"LW Communication Ring"};
  EXPECT_EQ(VelmoraMasterActivate(4, sim::hostGlobalFunc, &local, nullptr), AFUNC_BADGLOBAL);
  EXPECT_EQ(inst.create, nullptr);
  host->withheldGlobals.clear();
  LWMasterHandler noRecords{};
  EXPECT_EQ(VelmoraMasterActivate(4, sim::hostGlobalFunc, &noRecords, nullptr), AFUNC_BADLOCAL);
  ASSERT_EQ(VelmoraMasterActivate(4, sim::hostGlobalFunc, &local, nullptr), AFUNC_OK);
  EXPECT_NE(inst.create, nullptr);
  EXPECT_NE(item.changeID, nullptr);
  EXPECT_EQ(local.type, LWMAST_SCENE);
  EXPECT_EQ(local.flags(nullptr), unsigned(LWMASTF_RECEIVE_NOTIFICATIONS));
}

TEST_F(MasterHandlerTest, OnlyTheSaveEventsRemoveAndReturnTheDummy) {
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  // Clear and load events say nothing about a save: the dummy stays.
  for (int code : {LWEVNT_NOTIFY_SCENE_CLEAR_STARTING, LWEVNT_NOTIFY_SCENE_CLEAR_COMPLETE,
                   LWEVNT_NOTIFY_SCENE_LOAD_STARTING, LWEVNT_NOTIFY_SCENE_LOAD_COMPLETE}) {
    SCOPED_TRACE(code);
    size_t from = logSize();
    host->sendMasterEvent(code);
    EXPECT_NE(host->scene.findByName("(temporary data)"), nullptr);
    EXPECT_TRUE(commandsSince(from).empty());
  }
  host->sendMasterEvent(LWEVNT_NOTIFY_SCENE_SAVE_STARTING);
  EXPECT_EQ(host->scene.findByName("(temporary data)"), nullptr);
  host->sendMasterEvent(LWEVNT_NOTIFY_SCENE_SAVE_COMPLETE);
  EXPECT_NE(host->scene.findByName("(temporary data)"), nullptr);
}

}  // namespace
