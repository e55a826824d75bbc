// What the weight display keeps between draw calls: the refresh countdown and, per
// snapshot point, where the point was drawn in the last call.
#pragma once
#include <cstdint>
#include <vector>

extern "C" {
#include <lwcustobj.h>
}

// Display fields of one snapshot point (parallel to MeshData::points).
struct PointDraw {
  double drawPos[3] = {0, 0, 0};  // the position actually drawn (world)
  double drawScreen[2] = {0, 0};  // screen x, y of drawPos (depth-1 units in perspective)
  double drawDepth = 0.0;         // depth of drawPos along the view direction
  float sizeFactor = 0.0f;        // "Multiply Size by Value": the value scaled into 0..1
  uint8_t drawHidden = 0;         // 1: behind the eye (perspective)
};

// One piece of the "Sel Object" highlight: a line (2 corners) or a triangle (3).
struct HighlightPiece {
  double corners[3][3] = {};
  double depthKey = 0.0;
  int32_t cornerCount = 0;
};

// A face with its sort key, sorted by value so the sort touches one flat array.
struct FaceData;
struct KeyedFace {
  double depthKey = 0.0;
  FaceData* face = nullptr;
};

struct DisplayState {
  int32_t refreshSkip = 0;         // coming draw calls that only check the selection
  std::vector<PointDraw> points;   // resized only when the point count changes
  std::vector<int8_t> faceTurn;    // per MeshData::faces entry: +1/-1/0 screen winding
  std::vector<KeyedFace> faceDepths;  // "No Depth" draw order
  std::vector<HighlightPiece> highlight;
  std::vector<HighlightPiece*> highlightOrder;
  LWCustomObjAccess* access = nullptr;  // the draw access of the current call
};
