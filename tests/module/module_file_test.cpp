// The module file as the host sees it: what it exports, and loading it again.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "scene/demo_scene.h"
#include "support/module_fixture.h"
#include "support/paths.h"

extern "C" {
#include <lwmodule.h>
}

namespace {

// The symbol tables of an ELF module file, read with binutils (the Windows build reads
// its export table in module_file_windows_test.cpp).
#if !defined(_WIN32)
std::vector<std::string> exportedSymbols(const std::string& file) {
  std::vector<std::string> out;
  std::string cmd = "nm -D --defined-only '" + file + "' 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(cmd.c_str(), "r"), pclose);
  if (!pipe) return out;
  char line[512];
  while (std::fgets(line, sizeof line, pipe.get())) {
    std::string s = line;
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    size_t space = s.rfind(' ');
    if (space != std::string::npos) out.push_back(s.substr(space + 1));
  }
  return out;
}

TEST(ModuleFile, ExportsTheDescriptorAndNothingElse) {
  auto symbols = exportedSymbols(velmora_test::moduleFile());
  ASSERT_FALSE(symbols.empty()) << "nm found nothing in " << velmora_test::moduleFile();
  EXPECT_EQ(symbols, std::vector<std::string>{"_mod_descrip"});
}

// One row of the dynamic symbol table: binding, visibility and section of a name.
struct DynamicSymbol {
  std::string bind, visibility, section, name;
};

std::vector<DynamicSymbol> definedDynamicSymbols(const std::string& file) {
  std::vector<DynamicSymbol> out;
  std::string cmd = "readelf --dyn-syms -W '" + file + "' 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(cmd.c_str(), "r"), pclose);
  if (!pipe) return out;
  char line[1024];
  while (std::fgets(line, sizeof line, pipe.get())) {
    // Num: Value Size Type Bind Vis Ndx Name
    char num[32], value[64], size[32], type[32], bind[32], vis[32], ndx[32], name[512];
    if (std::sscanf(line, "%31s %63s %31s %31s %31s %31s %31s %511s", num, value, size, type, bind,
                    vis, ndx, name) != 8)
      continue;
    std::string n = num;
    if (std::string(ndx) == "UND" || n.size() < 2 || n.back() != ':' ||
        n.find_first_not_of("0123456789") != n.size() - 1)
      continue;  // undefined, or not a row of the table
    out.push_back({bind, vis, ndx, name});
  }
  return out;
}

// The host looks the descriptor up by name in the dynamic symbol table: it must be
// there, global, of default visibility and defined, and be the module's only entry.
TEST(ModuleFile, TheDescriptorIsAGlobalDynamicSymbol) {
  auto symbols = definedDynamicSymbols(velmora_test::moduleFile());
  ASSERT_EQ(symbols.size(), 1u) << "readelf found " << symbols.size() << " defined symbols";
  EXPECT_EQ(symbols[0].name, "_mod_descrip");
  EXPECT_EQ(symbols[0].bind, "GLOBAL");
  EXPECT_EQ(symbols[0].visibility, "DEFAULT");
}
#endif

TEST(ModuleFile, DescribesThreeServers) {
  sim::Host host;
  std::string error;
  ASSERT_TRUE(host.loadModule(velmora_test::moduleFile(), &error)) << error;
  ASSERT_EQ(host.servers().size(), 3u);
  EXPECT_EQ(host.servers()[0].className, "CommandSequence");
  EXPECT_EQ(host.servers()[0].name, "MEAccess_vmr");
  EXPECT_EQ(host.servers()[0].userName, "MEAccess");
  EXPECT_EQ(host.servers()[1].className, "LayoutTool");
  EXPECT_EQ(host.servers()[1].name, "KTQ_VelmoraTool");
  EXPECT_EQ(host.servers()[1].userName, "Velmora");
  EXPECT_EQ(host.servers()[2].className, "MasterHandler");
  EXPECT_EQ(host.servers()[2].name, "MasterControl_vmr");
  EXPECT_EQ(host.servers()[2].userName, "");
}

// Fails the activation three times: the first two show the panel, the third warns.
std::vector<std::string> threeFailedActivations(sim::Host& host, uint64_t light) {
  host.messages.clear();
  for (int i = 0; i < 3; ++i) {
    host.scene.select(light);
    EXPECT_EQ(host.activateTool("KTQ_VelmoraTool"), 5);
  }
  std::vector<std::string> kinds;
  for (const auto& m : host.messages) kinds.push_back(m.kind);
  return kinds;
}

TEST(ModuleFile, LoadingAgainStartsWithFreshModuleState) {
  std::string dir = makeTempDir();
  {
    sim::Host host;
    host.settingsDir = dir;
    sim::DemoScene demo = sim::buildDemoScene(host.scene, true, 4, 6);
    std::string error;
    ASSERT_TRUE(host.loadModule(velmora_test::moduleFile(), &error)) << error;
    EXPECT_EQ(threeFailedActivations(host, demo.light), (std::vector<std::string>{"panel", "panel", "warning"}));
    host.scene.select(demo.limb);
    ASSERT_EQ(host.activateTool("KTQ_VelmoraTool"), 0);
    host.unloadModules();
    EXPECT_TRUE(host.servers().empty());
    EXPECT_TRUE(host.rings.empty());

    ASSERT_TRUE(host.loadModule(velmora_test::moduleFile(), &error)) << error;
    EXPECT_EQ(threeFailedActivations(host, demo.light), (std::vector<std::string>{"panel", "panel", "warning"}));
    host.scene.select(demo.limb);
    EXPECT_EQ(host.activateTool("KTQ_VelmoraTool"), 0);
    host.leaveTool();
  }
  removeTempDir(dir);
}

TEST(ModuleFile, WritesAWeightMapThroughItsOwnCommand) {
  std::string dir = makeTempDir();
  sim::Host host;
  host.settingsDir = dir;
  sim::DemoScene demo = sim::buildDemoScene(host.scene, false, 4, 6);
  std::string error;
  ASSERT_TRUE(host.loadModule(velmora_test::moduleFile(), &error)) << error;
  host.scene.select(demo.limb);
  ASSERT_EQ(host.activateTool("KTQ_VelmoraTool"), 0);
  // With no tool work prepared, the command edits and writes nothing.
  int committed = host.editsCommitted;
  EXPECT_EQ(host.command("ModCommand_MEAccess_vmr"), 1);
  EXPECT_EQ(host.editsCommitted, committed + 1);
  EXPECT_TRUE(host.scene.find(demo.limb)->mesh->vmaps().empty());
  host.leaveTool();
  removeTempDir(dir);
}

}  // namespace
