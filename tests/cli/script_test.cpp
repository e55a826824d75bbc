// Script actions against a session: panel controls found by label on the open panel, menus,
// answers, viewports and item selection, and how lines and comments are read.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "app/script.h"
#include "app/session.h"
#include "cli_test_util.h"

using namespace cli_test;
using namespace sim::app;

namespace {

int stFired = 0;
void countEvent(LWControlID, void*) { ++stFired; }
const char* stPopupItems[] = {"Replace", "Add", "Subtract"};
int popupCount(void*) { return 3; }
char* popupName(void*, int i) { return const_cast<char*>(stPopupItems[i]); }

class cliScript : public ::testing::Test {
 protected:
  void SetUp() override {
    stFired = 0;
    ASSERT_TRUE(session.prepare(nullptr));
    session.buildDemo(4, 6);
    auto panel = std::make_unique<sim::PanelState>();
    panel->title = "Test";
    panel->open = true;
    add(*panel, "Radius", LWT_FLOAT);
    add(*panel, "Apply", LWT_NULL);
    add(*panel, "Mirror", LWT_BOOLEAN);
    add(*panel, "Name", LWT_STRING);
    add(*panel, "Mode", LWT_CHOICE)->items = {"Paint", "Smooth", "Erase"};
    sim::ControlState* popup = add(*panel, "Blend", LWT_POPUP);
    popup->popup.countFn = popupCount;
    popup->popup.nameFn = popupName;
    session.host().panels.push_back(std::move(panel));
  }

  sim::ControlState* add(sim::PanelState& panel, const std::string& label, LWType type) {
    auto c = std::make_unique<sim::ControlState>();
    c->panel = &panel;
    c->label = label;
    c->descType = type;
    c->event = countEvent;
    panel.controls.push_back(std::move(c));
    return panel.controls.back().get();
  }

  sim::ControlState* control(const std::string& label) { return session.host().panels.back()->control(label); }

  // Runs script text; the error's text, or "" when it ran.
  std::string run(const std::string& text) {
    ScriptError error;
    return runScript(session, parseScript(text), &error) ? "" : error.text();
  }

  Scratch dir;
  std::ostringstream out;
  Session session{dir.dir(), out};
};

}  // namespace

TEST(cliScriptText, LinesKeepTheirNumbersAndQuotedHashes) {
  auto lines = parseScript("# header\n\n  Panel \"Size # 2\" 3   # comment\r\nRedraw\n# end");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].number, 3);
  EXPECT_EQ(lines[0].text, "Panel \"Size # 2\" 3");
  EXPECT_EQ(lines[1].number, 4);
  EXPECT_EQ(lines[1].text, "Redraw");
}

TEST_F(cliScript, PanelControlsAreSetByLabelAndTheirEventRuns) {
  EXPECT_EQ(run("Panel \"Radius\" 0.25\nPanel \"Name\" Elbow\nPress \"Apply\"\nPress \"Mirror\""), "");
  EXPECT_EQ(control("Radius")->floatValue, 0.25);
  EXPECT_EQ(control("Name")->stringValue, "Elbow");
  EXPECT_EQ(control("Mirror")->intValue, 1);  // a toggle flips
  EXPECT_EQ(stFired, 4);
  EXPECT_NE(run("Panel \"Apply\" 3").find("Press"), std::string::npos);
  EXPECT_NE(run("Panel \"Radius\" wide").find("wants a number"), std::string::npos);

  session.host().panels.back()->open = false;  // a closed panel takes no input
  EXPECT_NE(run("Press \"Apply\"").find("no open panel"), std::string::npos);
}

TEST_F(cliScript, MenusChooseByTextOrNumber) {
  EXPECT_EQ(run("Menu \"Mode\" Erase\nMenu \"Blend\" Subtract"), "");
  EXPECT_EQ(control("Mode")->intValue, 2);
  EXPECT_EQ(control("Blend")->intValue, 2);
  EXPECT_EQ(run("Menu \"Blend\" 1"), "");
  EXPECT_EQ(control("Blend")->intValue, 1);
  EXPECT_NE(run("Menu \"Mode\" Sculpt").find("no item"), std::string::npos);
  EXPECT_NE(run("Menu \"Mode\" 3").find("no item"), std::string::npos);
}

TEST_F(cliScript, AnswersAndMonitorCancelsAreQueuedForTheHost) {
  EXPECT_EQ(run("Answer no\nAnswer 2\nAnswer panel cancel\nCancelMonitorAfter 5"), "");
  EXPECT_EQ(std::vector<int>(session.host().answers.begin(), session.host().answers.end()), (std::vector<int>{0, 2}));
  EXPECT_EQ(std::vector<int>(session.host().panelAnswers.begin(), session.host().panelAnswers.end()),
            std::vector<int>{0});
  EXPECT_EQ(session.host().cancelMonitorAfter, 5);
}

TEST_F(cliScript, ViewportsAreSetUpAndAdded) {
  EXPECT_EQ(run("Viewport 0 type=top center=1,2,3 zoom=4 size=320x200\n"
                "Viewport 1 type=persp rotation=90,0,0"),
            "");
  const auto& v = session.host().viewports;
  ASSERT_EQ(v.size(), 2u);
  EXPECT_EQ(v[0].type, 1);
  EXPECT_EQ(v[0].center, (sim::Vec3{1, 2, 3}));
  EXPECT_EQ(v[0].zoom, 4.0);
  EXPECT_EQ(v[0].width, 320);
  EXPECT_EQ(v[0].height, 200);
  EXPECT_EQ(v[1].type, 7);
  EXPECT_NEAR(v[1].rotation[0], M_PI / 2, 1e-12);
  EXPECT_NE(run("Viewport 3 type=top").find("without gaps"), std::string::npos);
  EXPECT_NE(run("Viewport 0 size=wide").find("WIDTHxHEIGHT"), std::string::npos);
}

TEST_F(cliScript, ItemsAreSelectedByNameOrHexId) {
  const sim::SimItem* hand = session.host().scene.findByName("Hand");
  ASSERT_NE(hand, nullptr);
  char hex[32];
  std::snprintf(hex, sizeof hex, "%x", unsigned(hand->id & 0xFFFFFFFFu));
  EXPECT_EQ(run("SelectItem Lower"), "");
  EXPECT_EQ(session.host().scene.findByName("Lower")->id, session.host().scene.firstSelected());
  EXPECT_EQ(run(std::string("SelectItem ") + hex), "");
  EXPECT_EQ(hand->id, session.host().scene.firstSelected());
}

TEST_F(cliScript, HostMonitorsDrawAProgressBar) {
  session.showProgress();
  session.host().onProgress("Smoothing", 5, 10);
  session.host().onProgress("Smoothing", 10, 10);
  const std::string text = out.str();
  EXPECT_NE(text.find("\r[###############               ] 50% Smoothing"), std::string::npos) << text;
  EXPECT_NE(text.find("] 100% Smoothing\n"), std::string::npos) << text;
}
