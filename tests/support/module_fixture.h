// A simulated Layout with the module registered in-process (the static library's
// descriptor), a demo scene and a private settings folder: what most module tests need.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/host.h"
#include "scene/demo_scene.h"

extern "C" {
#include <lwmodule.h>
// The module's descriptor, linked in from the static library (the module file exports it).
extern ModuleDescriptor _mod_descrip;
}

class ModuleFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Selects the item and activates the tool as a user would; returns the activation's
  // result code.
  int activateOn(uint64_t item);
  // Commands issued since the log had `from` entries.
  std::vector<std::string> commandsSince(size_t from) const { return host->commandsSince(from); }
  size_t logSize() const { return host->commandLog.size(); }
  // Value of a point in a weight map of the limb; nullopt when unassigned.
  const std::vector<float>* limbValue(const std::string& map, uint32_t point) const;
  // Count of commands with this exact text since `from`.
  int countCommand(size_t from, const std::string& text) const;

  std::unique_ptr<sim::Host> host;
  sim::DemoScene demo;
  std::string settingsDir;
};

// A fresh temporary folder; removed by removeTempDir.
std::string makeTempDir();
void removeTempDir(const std::string& dir);
