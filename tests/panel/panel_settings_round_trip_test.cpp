// What the user sets on the edit panel survives leaving the tool: closing the panel writes
// the settings file, and the panel of the next activation shows the same values, whether
// the module stayed loaded or was loaded afresh (the file is then the only source).
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "support/edit_panel_fixture.h"

namespace {

// The controls' values as the panel shows them.
struct Shown {
  std::map<int, int> ints;
  double value = 0;
  std::string name;
};

const int kIntControls[] = {kCtlToolFirst + 5, kCtlMapPop,   kCtlBrushRadius, kCtlFalloff,  kCtlStrength,
                            kCtlErase,         kCtlPointSize, kCtlZeroOutline, kCtlMultiply, kCtlNoDepth,
                            kCtlShowWeights,   kCtlVisibility, kCtlToolFirst + 1};

class PanelSettingsRoundTrip : public EditPanelTest {
 protected:
  Shown shown() const {
    Shown s;
    for (int c : kIntControls) s.ints[c] = control(c)->intValue;
    s.value = control(kCtlValue)->floatValue;
    s.name = control(kCtlName)->stringValue;
    return s;
  }
  // A check box or toggle button as the host works it: the value flips, then the event.
  void toggle(int c) { fireInt(c, control(c)->intValue ? 0 : 1); }

  // The user's changes, each different from what the panel showed before.
  Shown changeEverything() {
    const Shown before = shown();
    toggle(kCtlToolFirst + 5);  // "Blur"
    fireInt(kCtlMapPop, 2);     // "Lower"
    fireInt(kCtlBrushRadius, 40);
    fireInt(kCtlFalloff, 0);
    fireInt(kCtlStrength, 130);  // above 100: only Blur keeps it
    fireFloat(kCtlValue, 35);
    toggle(kCtlErase);
    fireInt(kCtlPointSize, 9);
    toggle(kCtlZeroOutline);
    toggle(kCtlMultiply);
    toggle(kCtlNoDepth);
    toggle(kCtlShowWeights);
    fireInt(kCtlVisibility, 2);
    refresh();
    const Shown after = shown();
    for (int c : kIntControls) EXPECT_NE(after.ints.at(c), before.ints.at(c)) << "control " << c;
    EXPECT_NE(after.value, before.value);
    EXPECT_EQ(after.name, "Lower");
    EXPECT_EQ(after.ints.at(kCtlStrength), 130);
    EXPECT_EQ(after.ints.at(kCtlBrushRadius), 40);
    return after;
  }

  void expectShows(const Shown& expected) {
    ASSERT_NE(panel(), nullptr);
    const Shown now = shown();
    for (int c : kIntControls) EXPECT_EQ(now.ints.at(c), expected.ints.at(c)) << "control " << c;
    EXPECT_NEAR(now.value, expected.value, 1e-4);
    EXPECT_EQ(now.name, expected.name);
  }

  std::string settingsFile() const { return (std::filesystem::path(settingsDir) / "VelmoraKTQ.cfg").string(); }

  // A new Layout session with the same settings folder: the module is loaded afresh and
  // starts from its defaults and the settings file.
  void startNewSession() {
    host.reset();
    host = std::make_unique<sim::Host>();
    host->settingsDir = settingsDir;
    demo = sim::buildDemoScene(host->scene, true, 8, 12);
    std::string error;
    ASSERT_TRUE(host->addModule(&_mod_descrip, "velmora (in-process)", &error)) << error;
  }

  void closeAsUser() {
    sim::PanelState* p = panel();
    ASSERT_NE(p, nullptr);
    sim::closePanelAsUser(p);
    EXPECT_FALSE(host->toolActive());
    EXPECT_TRUE(std::filesystem::exists(settingsFile()));
  }
};

TEST_F(PanelSettingsRoundTrip, TheNextActivationShowsWhatTheUserSet) {
  const Shown set = changeEverything();
  closeAsUser();
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  expectShows(set);
}

TEST_F(PanelSettingsRoundTrip, AFreshlyLoadedModuleReadsThemFromTheFile) {
  const Shown set = changeEverything();
  closeAsUser();
  startNewSession();
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  expectShows(set);
}

TEST_F(PanelSettingsRoundTrip, WithoutTheFileAFreshModuleShowsItsDefaults) {
  const Shown defaults = shown();
  changeEverything();
  closeAsUser();
  std::filesystem::remove(settingsFile());
  startNewSession();
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  expectShows(defaults);
}

}  // namespace
