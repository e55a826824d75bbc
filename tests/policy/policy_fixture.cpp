#include "policy/policy_fixture.h"

#include <cstdio>

void PolicyFixture::SetUp() {
  ModuleFixture::SetUp();
  host->policy = GetParam();
  other = host->scene.addObject("Other", sim::makeLimbMesh(3, 5, 1.0f, 0.5f)).id;
  host->scene.find(demo.limb)->visibility = 5;
}

void PolicyFixture::TearDown() {
  // Whatever the scenario did, the host never had to stop an endless recursion.
  if (host) {
    EXPECT_TRUE(host->hostFaults.empty()) << host->hostFaults.front();
  }
  ModuleFixture::TearDown();
}

sim::PanelState* PolicyFixture::editPanel() const {
  for (const auto& p : host->panels)
    if (p->open && p->title == "Velmora") return p.get();
  return nullptr;
}

std::string PolicyFixture::selectCommand(uint64_t original) const {
  char buf[32];
  std::snprintf(buf, sizeof buf, "SelectItem %x", unsigned(id(original)));
  return buf;
}

std::string policyTestName(const ::testing::TestParamInfo<sim::HostPolicy>& info) {
  return sim::policyName(info.param);
}
