// Activation versions a 2020 host may offer: the newest first with a retry of the older
// ones after AFUNC_BADVERSION, or the newest only.
#include "policy/policy_fixture.h"
#include "settings/host_globals.h"
#include "shell/module_state.h"

namespace {

class ActivationVersions : public ModuleFixture {};

TEST_F(ActivationVersions, ARetryingHostActivatesEveryServerWithTheOlderVersion) {
  host->policy.versions = sim::ActivationVersions::NewestThenRetryOlder;
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  EXPECT_TRUE(host->toolActive());
  EXPECT_EQ(host->appliedServers("MasterHandler").size(), 1u);
  // The master refuses 5 and takes 4.
  ASSERT_TRUE(host->applyServer("MasterHandler", "MasterControl_vmr"));
  EXPECT_EQ(host->lastOfferedVersions, (std::vector<int>{5, 4}));
  // The mesh-edit command reads only members every version has: it takes 4 at once.
  host->command("ModCommand_MEAccess_vmr");
  EXPECT_EQ(host->lastOfferedVersions, std::vector<int>{4});
}

TEST_F(ActivationVersions, WithoutARetryTheToolFailsCleanlyAndTheHostSaysWhy) {
  host->policy.versions = sim::ActivationVersions::NewestOnly;
  EXPECT_EQ(activateOn(demo.limb), AFUNC_BADVERSION);
  EXPECT_EQ(host->lastOfferedVersions, std::vector<int>{3});
  EXPECT_FALSE(host->toolActive());
  EXPECT_TRUE(host->commandLog.empty());
  EXPECT_TRUE(host->appliedServers("MasterHandler").empty());
  EXPECT_EQ(host->scene.findByName("(temporary data)"), nullptr);
  ASSERT_FALSE(host->messages.empty());
  EXPECT_EQ(host->messages.back().kind, "error");
  // Nothing of the module's binding was touched, so a host that does offer version 1
  // later activates it normally.
  EXPECT_EQ(stToolLocal, nullptr);
  host->policy.versions = sim::ActivationVersions::Sdk96Only;
  EXPECT_EQ(activateOn(demo.limb), AFUNC_OK);
}

TEST_F(ActivationVersions, WithoutARetryTheMasterIsNotAppliedAndNothingBreaks) {
  host->policy.versions = sim::ActivationVersions::NewestOnly;
  EXPECT_FALSE(host->applyServer("MasterHandler", "MasterControl_vmr"));
  EXPECT_TRUE(host->appliedServers("MasterHandler").empty());
  EXPECT_TRUE(host->rings.empty());
}

}  // namespace
