#include "support/module_fixture.h"

#include <cstdlib>
#include <filesystem>

#include "system/os_calls.h"

extern "C" {
#include <lwmodule.h>
}

std::string makeTempDir() {
  return sim::os::makeUniqueFolder((std::filesystem::temp_directory_path() / "velmora-test-").string());
}

void removeTempDir(const std::string& dir) {
  if (dir.empty()) return;
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
}

void ModuleFixture::SetUp() {
  settingsDir = makeTempDir();
  host = std::make_unique<sim::Host>();
  host->settingsDir = settingsDir;
  demo = sim::buildDemoScene(host->scene, true, 8, 12);
  std::string error;
  ASSERT_TRUE(host->addModule(&_mod_descrip, "velmora (in-process)", &error)) << error;
}

void ModuleFixture::TearDown() {
  host.reset();
  removeTempDir(settingsDir);
}

int ModuleFixture::activateOn(uint64_t item) {
  host->scene.select(item);
  return host->activateTool("KTQ_VelmoraTool");
}

const std::vector<float>* ModuleFixture::limbValue(const std::string& map, uint32_t point) const {
  const sim::SimItem* limb = host->scene.find(demo.limb);
  const sim::SimVMap* vmap = limb ? limb->mesh->findVMap(sim::kVMapWGHT, map) : nullptr;
  return vmap ? vmap->find(point) : nullptr;
}

int ModuleFixture::countCommand(size_t from, const std::string& text) const {
  int n = 0;
  for (const auto& c : commandsSince(from)) n += c == text ? 1 : 0;
  return n;
}
