// A picture of the gradient panel for each of the three presets: the tool is activated on
// the demo limb, the panel opened, the preset chosen with "Initialize" (answered yes) and
// the panel (its controls and the bar raster) drawn by the sim into a PNG.
//
//   velmora-gradient-pictures OUT_DIR
#include <filesystem>
#include <iostream>
#include <string>

#include "gradient_panel/gradient_panel.h"
#include "gradient_panel/gradient_panel_state.h"
#include "host/host.h"
#include "render/panel_picture.h"
#include "render/png_writer.h"
#include "scene/demo_scene.h"
#include "shell/module_state.h"
#include "system/os_calls.h"

extern "C" {
#include <lwmodule.h>
extern ModuleDescriptor _mod_descrip;
}

namespace {

const char* const kPresetFiles[3] = {"lightwave-style.png", "spectrum.png", "sunny-garden.png"};

sim::PanelState* gradientPanel(sim::Host& host) {
  for (const auto& p : host.panels)
    if (p->open && p->title == "Gradient Panel") return p.get();
  return nullptr;
}

bool choosePreset(sim::Host& host, sim::PanelState& panel, int preset) {
  sim::ControlState* init = panel.controls[size_t(kGradCtlInitialize)].get();
  if (!init->event) return false;
  init->intValue = preset;
  host.answers.push_back(1);  // "Are you sure ...?" yes
  sim::Host::PluginCall call(host);
  init->event(&init->api, init->userData);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: velmora-gradient-pictures OUT_DIR\n";
    return 2;
  }
  const std::string out = argv[1];
  std::filesystem::create_directories(out);
  const std::string settings =
      sim::os::makeUniqueFolder((std::filesystem::temp_directory_path() / "velmora-gradient-").string());
  int failed = 0;
  {
    sim::Host host;
    host.settingsDir = settings;
    const sim::DemoScene demo = sim::buildDemoScene(host.scene, true, 8, 12);
    std::string why;
    if (!host.addModule(&_mod_descrip, "velmora (linked in)", &why)) {
      std::cerr << why << "\n";
      return 1;
    }
    host.scene.select(demo.limb);
    if (host.activateTool("KTQ_VelmoraTool") != AFUNC_OK) {
      std::cerr << "the tool did not start\n";
      return 1;
    }
    {
      sim::Host::PluginCall call(host);
      openGradientPanel(stInstData);
    }
    sim::PanelState* panel = gradientPanel(host);
    for (int preset = 0; preset < 3 && panel; ++preset) {
      if (!choosePreset(host, *panel, preset)) break;
      panel->redraw();
      sim::FileError error;
      const std::string path = out + "/" + kPresetFiles[preset];
      if (!sim::writePng(sim::panelPicture(*panel), path, error)) {
        std::cerr << path << ": " << error.message << "\n";
        ++failed;
        continue;
      }
      std::cout << "wrote " << path << "\n";
    }
    if (!panel) {
      std::cerr << "the gradient panel did not open\n";
      failed = 3;
    }
  }
  std::error_code ec;
  std::filesystem::remove_all(settings, ec);
  return failed == 0 ? 0 : 1;
}
