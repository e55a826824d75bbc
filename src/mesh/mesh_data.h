// The object snapshot: the tool's private copy of the current object on which painting,
// selection, display and commands work, and the change list handed to the write-back.
#pragma once
#include <cstdint>
#include <vector>

#include "mesh/weight_stc.h"

extern "C" {
#include <lwmeshes.h>
#include <lwrender.h>
}

// One point of the snapshot.
struct PntUserData {
  uint8_t mark = 0;
  uint8_t changed = 0;          // changed by the current stroke or command
  uint8_t hasValue = 0;         // has a value in the current weight map
  uint8_t hasValueAtStart = 0;
  uint8_t hasValueBackup = 0;
  uint8_t selected = 0;
  LWPntID pointId = nullptr;
  double restPos[3] = {0, 0, 0};
  double pos[3] = {0, 0, 0};    // displayed (frozen, deformed) position
  float colour[4] = {0, 0, 0, 1};
  float colourKey = 0.0f;
  float value = 0.0f;           // 0 when hasValue is 0
  float valueAtStart = 0.0f;
  float valueBackup = 0.0f;
  double factor = 0.0;
  int32_t index = 0;            // position in MeshData::points
  WeightStc* weightList = nullptr;
};

struct MeshData {
  LWMeshInfoID meshInfo = nullptr;   // valid only during a capture
  void* weightVMap = nullptr;        // the current map as the mesh info found it
  LWItemID currentObject = LWITEM_NULL;
  LWItemID lastObject = LWITEM_NULL;
  LWItemID dummyObject = LWITEM_NULL;
  uint8_t noObject = 1;
  uint8_t meshReady = 0;
  int32_t savedVisibility = 5;

  std::vector<PntUserData> points;   // scan order
  int32_t numPoints = 0;
  int32_t numPolygons = 0;
  int32_t scanIndex = 0;
  int32_t skipPoints = 0;
  int32_t hostPolygonCount = 0;
  int32_t faceTypeCount = 0, patchTypeCount = 0, subdTypeCount = 0;
  int32_t selectedCount = 0;

  // The change list of the write-back: ascending point indices with their values, and
  // for the multi-map operations one list of WeightStc per entry.
  std::vector<int32_t> changeIndices;
  std::vector<float> changeValues;
  std::vector<WeightStc*> pointMapLists;
};
