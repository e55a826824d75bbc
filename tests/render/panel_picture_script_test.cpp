// The PanelPicture script action: a readable PNG of the open edit panel in the output
// folder, in English and in Japanese, and clear failures when there is nothing to draw.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "app/script.h"
#include "app/session.h"
#include "png_decode.h"
#include "render/panel_picture.h"
#include "support/paths.h"
#include "support/scratch_files.h"

namespace {

struct SimRun {
  velmora_test::ScratchDir dir;
  std::ostringstream out;
  std::unique_ptr<sim::app::Session> session;

  explicit SimRun(int localeId) {
    session = std::make_unique<sim::app::Session>(dir.dir(), out);
    std::string error;
    EXPECT_TRUE(session->prepare(&error)) << error;
    session->host().localeId = localeId;
    EXPECT_TRUE(session->loadModule(velmora_test::moduleFile(), &error)) << error;
    session->buildDemo(8, 12);
  }
  std::string play(const std::string& text) {
    sim::app::ScriptError error;
    return sim::app::runScript(*session, sim::app::parseScript(text), &error) ? "" : error.text();
  }
  sim::PanelState* editPanel() {
    for (const auto& p : session->host().panels)
      if (p->open && p->title == "Velmora") return p.get();
    return nullptr;
  }
  sim::Image decoded(const std::string& name) {
    sim::Image image;
    std::string why;
    EXPECT_TRUE(velmora_test::decodePng(velmora_test::readBytes(dir.file(name)), image, why)) << name << ": " << why;
    return image;
  }
};

const char* kOpenTheTool = "SelectItem Limb\nTool KTQ_VelmoraTool\n";
constexpr int kEnglish = 0x0409, kJapanese = 0x0411;

// The file holds exactly the picture of the panel as it stands.
void expectPictureOfPanel(SimRun& run, const std::string& file) {
  sim::PanelState* panel = run.editPanel();
  ASSERT_NE(panel, nullptr);
  const sim::Image image = run.decoded(file);
  EXPECT_EQ(image.width, panel->w);
  EXPECT_EQ(image.height, panel->h);
  EXPECT_EQ(image.rgba, sim::panelPicture(*panel).rgba);
}

TEST(PanelPictureAction, WritesTheEditPanelInEnglish) {
  SimRun run(kEnglish);
  ASSERT_EQ(run.play(std::string(kOpenTheTool) + "PanelPicture panel_{lang}.png\n"), "");
  ASSERT_NE(run.editPanel()->control("Brush Radius"), nullptr);
  expectPictureOfPanel(run, "panel_en.png");
}

TEST(PanelPictureAction, WritesTheEditPanelInJapanese) {
  SimRun english(kEnglish);
  ASSERT_EQ(english.play(std::string(kOpenTheTool) + "PanelPicture panel.png\n"), "");
  const sim::Image inEnglish = english.decoded("panel.png");
  english.session.reset();  // the module is unloaded; the next run loads it afresh

  SimRun run(kJapanese);
  ASSERT_EQ(run.play(std::string(kOpenTheTool) + "PanelPicture sub/panel_{lang}.png \"Velmora\"\n"), "");
  // The labels are the Japanese ones: no English label is left on the panel.
  EXPECT_EQ(run.editPanel()->control("Brush Radius"), nullptr);
  expectPictureOfPanel(run, "sub/panel_ja.png");
  const sim::Image inJapanese = run.decoded("sub/panel_ja.png");
  EXPECT_EQ(inJapanese.width, inEnglish.width);
  EXPECT_EQ(inJapanese.height, inEnglish.height);
  EXPECT_NE(inJapanese.rgba, inEnglish.rgba);
}

TEST(PanelPictureAction, RefusesWhenThereIsNothingToDrawOrNowhereToWrite) {
  SimRun run(kEnglish);
  // Before the tool opens its panel, and after it has closed it.
  EXPECT_NE(run.play("PanelPicture early.png\n").find("no open panel titled \"Velmora\""), std::string::npos);
  EXPECT_NE(run.play(std::string(kOpenTheTool) + "PanelPicture x.png \"Gradient Panel\"\n").find("no open panel"),
            std::string::npos);
  EXPECT_NE(run.play("PanelPicture ../outside.png\n").find("inside the output folder"), std::string::npos);
  EXPECT_NE(run.play("PanelPicture\n").find("takes a file name"), std::string::npos);
  EXPECT_EQ(run.play("ChangeTool\n"), "");
  EXPECT_NE(run.play("PanelPicture late.png\n").find("no open panel"), std::string::npos);
  for (const char* name : {"early.png", "x.png", "late.png"})
    EXPECT_FALSE(std::filesystem::exists(run.dir.file(name))) << name;
}

}  // namespace
