// The stroke machine's host side in Layout: viewports, item picks over the scene, the
// edit panel, the undo recorder and the write-back.
#pragma once

#include "shell/inst_data.h"
#include "tool/stroke.h"

extern "C" {
#include <lwtool.h>
}

class LayoutStrokeHost final : public velmora::tool::StrokeHost {
 public:
  explicit LayoutStrokeHost(InstData& inst) : inst_(inst) {}

  bool viewportView(int32_t viewport, velmora::tool::ViewportView& out) override;
  bool viewportUnionSize(int32_t& width, int32_t& height) override;
  bool selectedItemChanged() override;
  void trySelectingObjectInLayout() override;
  void selectPickedObject() override;
  int32_t getSelectedBoneStc(int32_t mode) override;
  bool hasPickedBone() override;
  bool pickedBoneWeightMap(char* out, int32_t size) override;
  void refreshEditPanel() override;
  void makeZeroWeightedOutlinePoints() override;
  void recordUndoStep(int32_t changeCount) override;
  void writeChangeList(int32_t changeCount) override;

 private:
  InstData& inst_;
};

// The stroke's context over the instance and a host.
velmora::tool::StrokeContext strokeContextOf(InstData& inst, velmora::tool::StrokeHost& host);

// A host tool event in the stroke machine's terms.
velmora::tool::ToolEventInput toolEventInputOf(const LWToolEvent& event);
