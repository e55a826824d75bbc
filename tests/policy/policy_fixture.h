// The module in a simulated Layout that behaves by one host policy: every scenario here
// runs once per policy a real host may have (sim::plausibleHostPolicies).
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "host/host_policy.h"
#include "support/module_fixture.h"

extern "C" {
#include <lwrender.h>
}

class PolicyFixture : public ModuleFixture, public ::testing::WithParamInterface<sim::HostPolicy> {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The id an item of the demo scene has now (a host may renumber items).
  uint64_t id(uint64_t original) const { return host->currentIdOf(original); }
  LWItemID itemId(uint64_t original) const { return reinterpret_cast<LWItemID>(uintptr_t(id(original))); }
  sim::SimItem* item(uint64_t original) const { return host->scene.find(id(original)); }
  sim::SimItem* dummy() const { return host->scene.findByName("(temporary data)"); }
  // The edit panel the activation opened.
  sim::PanelState* editPanel() const;
  std::string selectCommand(uint64_t original) const;
  // A second object with geometry, added before the activation.
  uint64_t other = 0;
};

// Test-name suffix for a policy.
std::string policyTestName(const ::testing::TestParamInfo<sim::HostPolicy>& info);
