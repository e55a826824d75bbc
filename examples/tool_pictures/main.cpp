// One stroke of each of the eleven tools on the example limb, each drawn by the sim's
// renderer into a PNG: the module is linked in (as the tests link it) so that each run
// can pick the tool the edit panel would.
//
//   velmora-tool-pictures EXAMPLES_DIR OUT_DIR
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/script.h"
#include "app/session.h"
#include "shell/module_state.h"
#include "tool/stroke.h"

extern "C" {
#include <lwmodule.h>
extern ModuleDescriptor _mod_descrip;
}

namespace {

namespace vt = velmora::tool;

struct ToolPicture {
  const char* file;
  int32_t tool;
  const char* map;      // the weight map to paint ("" keeps the limb's current one)
  const char* actions;  // mouse actions in viewport 0 (front view, 800 x 600)
};

// The limb stands at x 400, from y 525 (its foot) up to y 75 in the front view.
const ToolPicture kPictures[] = {
    {"01_pen.png", vt::kToolPen, "Picture", "Stroke 400 470 395 380 405 300 steps=16\n"},
    {"02_brush.png", vt::kToolBrush, "Picture", "Stroke 400 470 395 380 405 300 steps=16\n"},
    {"03_linear_grad.png", vt::kToolLinearGrad, "Picture", "Stroke 400 480 400 240 steps=4\n"},
    {"04_lasso_paint.png", vt::kToolLassoPaint, "Picture",
     "Stroke 340 430 460 430 460 330 340 330 340 430 steps=24\n"},
    {"05_fill.png", vt::kToolFill, "Picture", "Press 400 400\nRelease 400 400\n"},
    {"06_blur.png", vt::kToolBlur, "", "Stroke 400 380 400 300 steps=12\n"},
    {"07_pen_sel.png", vt::kToolPenSel, "", "Stroke 400 470 400 380 steps=8\n"},
    {"08_lasso_sel.png", vt::kToolLassoSel, "", "Stroke 340 260 460 260 460 160 340 160 340 260 steps=24\n"},
    {"09_fill_sel.png", vt::kToolFillSel, "", "Press 400 400\nRelease 400 400\n"},
    {"10_sel_bone.png", vt::kToolSelBone, "", "Press 400 280 right\nRelease 400 280\n"},
    {"11_sel_object.png", vt::kToolSelObject, "", "Press 400 400\nRelease 400 400\n"},
};

bool run(sim::app::Session& session, const std::string& text) {
  sim::app::ScriptError error;
  if (sim::app::runScript(session, sim::app::parseScript(text), &error)) return true;
  std::cerr << error.text() << "\n";
  return false;
}

bool picture(const std::string& examples, const std::string& out, const ToolPicture& p) {
  std::ostringstream account;
  sim::app::Session session(out, account);
  std::string why;
  if (!session.prepare(&why) || !session.host().addModule(&_mod_descrip, "velmora (linked in)", &why) ||
      !session.loadInput(examples + "/limb.lws", &why)) {
    std::cerr << why << "\n";
    return false;
  }
  if (!run(session, "SelectItem Limb\nViewport 0 type=front center=0,1.5,0 zoom=2 size=800x600\n"
                    "Tool KTQ_VelmoraTool\n"))
    return false;
  // What the edit panel would set: the tool, a brush of 60 pixels, "Surface" falloff.
  InstData& inst = stInstData;
  inst.toolIndex = p.tool;
  inst.brushSize = 60;
  inst.falloffMode = 1;
  inst.strength[0] = 0.5f;
  if (*p.map) std::snprintf(inst.weightMapName, kMapNameSize, "%s", p.map);
  inst.redrawRequest = 3;
  if (!run(session, std::string("Redraw\n") + p.actions + "Redraw\n")) return false;
  if (!session.writePicture(0, p.file, &why)) {
    std::cerr << why << "\n";
    return false;
  }
  run(session, "ChangeTool\n");
  std::cout << "wrote " << out << "/" << p.file << "\n";
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: velmora-tool-pictures EXAMPLES_DIR OUT_DIR\n";
    return 2;
  }
  std::filesystem::create_directories(argv[2]);
  int failed = 0;
  for (const ToolPicture& p : kPictures) failed += picture(argv[1], argv[2], p) ? 0 : 1;
  return failed == 0 ? 0 : 1;
}
