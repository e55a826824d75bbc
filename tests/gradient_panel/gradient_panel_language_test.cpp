// The gradient panel's texts on a Japanese host: Shift-JIS title, labels, buttons and
// question; the "Initialize" items in UTF-8 on a newer host.
#include <gtest/gtest.h>

#include "gradient_panel/gradient_panel.h"
#include "gradient_panel/gradient_panel_state.h"
#include "panel/string_tables.h"
#include "shell/inst_data.h"
#include "support/module_fixture.h"

TEST_F(ModuleFixture, OnAJapaneseHostTheGradientPanelSpeaksJapanese) {
  host->localeId = 1041;
  ASSERT_EQ(activateOn(demo.limb), AFUNC_OK);
  {
    sim::Host::PluginCall call(*host);
    openGradientPanel(stInstData);
  }
  const sim::PanelState* panel = host->panels.back().get();
  ASSERT_TRUE(panel->open);
  EXPECT_EQ(panel->title, std::string(textTable_Jp[int(TextId::GradientPanel)]));
  EXPECT_EQ(panel->controls[size_t(kGradCtlToolFirst)]->label, std::string(gradientToolList_Jp[0]));
  EXPECT_EQ(panel->controls[size_t(kGradCtlWeightValue)]->label, std::string(textTable_Jp[int(TextId::WeightValue)]));
  ASSERT_GE(host->product.build, kFirstUtf8ItemBuild);
  EXPECT_EQ(panel->controls[size_t(kGradCtlInitialize)]->items[2], std::string(gradientInitChoice_UTF8_Jp[2]));

  sim::ControlState* init = panel->controls[size_t(kGradCtlInitialize)].get();
  host->answers.push_back(0);
  {
    sim::Host::PluginCall call(*host);
    init->event(&init->api, init->userData);
  }
  ASSERT_FALSE(host->messages.empty());
  EXPECT_EQ(host->messages.back().title, std::string(textTable_Jp[int(TextId::InitializeGradient)]));
}
