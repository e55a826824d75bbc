// The persistent settings of the tool instance: what carries over from one activation to
// the next and what the settings file stores (each field's file key is in its comment).
#pragma once
#include <cstdint>

constexpr int kMapNameSize = 512;    // weight-map name buffers, NUL included
constexpr int kMirrorStringSize = 32;

struct ToolSettings {
  char weightMapName[kMapNameSize] = "Weight";  // "WNam": current weight map
  char newWeightMapName[kMapNameSize] = "";     // target name of rename and copy
  int32_t weightMapIndex = 0;   // 1-based position in the object's weight maps; 0 = not there yet
  int32_t toolIndex = 1;        // "TIdx": 0 Pen ... 10 Sel Object
  int32_t brushSize = 160;      // "BSiz": brush radius in pixels
  int32_t brushSizeAtPress = 0;
  int32_t brushSizeMax = 320;
  int32_t falloffMode = 1;      // "Foff": 0 Global, 1 Surface
  float strength[3] = {0.3f, 1.0f, 0.5f};  // "Str0".."Str2": Brush, Linear Grad, Blur
  float value = 1.0f;           // "Valu"
  int32_t erase = 0;            // "Eras"
  int32_t zeroOutline = 1;      // "Zero"
  int32_t pointSize = 80;       // "PSiz"
  int32_t multiplySizeByValue = 1;  // "PSMV"
  int32_t noDepth = 0;          // "NoDP"
  int32_t showWeights = 0;      // "ShWt"
  int32_t autoSave = 0;         // "ASav"
  int32_t subPatchLevel = 0;
  int32_t deformationsEnabled = 0;
  int32_t visibility = 0;       // "Vsbl": 0 object's own, 1/2 weight-shaded display
  int32_t boneFollowsMap = 1;
  int32_t customButtons[5] = {5, 9, 13, 24, 26};  // "cBtn"
  int32_t expandSelectionOption = 1;  // "exSl"
  int32_t normalizeOption = 1;        // "nmUn"
  int32_t smoothFor = 0;              // "smFo"
  float smoothStrength = 1.0f;        // "smSt"
  int32_t smoothIterations = 2;       // "smIt"
  int32_t clampOption = 1;            // "clUn"
  int32_t clampMaxMaps = 4;           // "clNu"
  int32_t mirrorAllMaps = 1;          // "mrAl"
  int32_t mirrorAxis = 0;             // "mrAx"
  int32_t mirrorStringType = 0;       // "mrTp"
  char mirrorSourceString[kMirrorStringSize] = "_L";  // "mrSS"
  char mirrorTargetString[kMirrorStringSize] = "_R";  // "mrTS"
  int32_t mirrorDirection = 0;        // "mrDr"
  char mirrorCenterString[kMirrorStringSize] = "_C";  // "mrCS"
  int32_t transferSource = 0;         // carried over, not saved
  uint64_t transferSourceID = 0;
  int32_t transferAllMaps = 1;        // "trAl"
  int32_t bindMethod = 1;             // "biMd"
  int32_t bindFor = 0;                // "biFo"
  int32_t bindActivateBones = 1;      // "biAc"
  int32_t boneSettingActive = 0;      // "cbBA"
  int32_t boneSettingWeightMap = 0;   // "cbWM"
  int32_t boneSettingInfluence = 1;   // "cbIf"
};
