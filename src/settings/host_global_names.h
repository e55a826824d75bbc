// The names and activation versions the module asks the host for. They are the
// module's own: whichever SDK headers it is compiled against, it asks every host for
// the same services and accepts the same activation versions.
#pragma once

namespace hostapi {

inline constexpr char kMessageFuncs[] = "Info Messages 2";
inline constexpr char kPanelFuncs[] = "LWPanelServices";
inline constexpr char kRasterFuncs[] = "RasterServices";
inline constexpr char kViewportInfo[] = "LW Viewport Info 4";
inline constexpr char kInterfaceInfo[] = "LW Interface Info 7";
inline constexpr char kMTUtilFuncs[] = "MultiThreading Utilities 2";
inline constexpr char kComRing[] = "LW Communication Ring";
inline constexpr char kCommandFunc[] = "LW Command Interface";
inline constexpr char kServerInfo[] = "LW Server Info";
inline constexpr char kMonitorFuncs[] = "LWLMonFuncs";
inline constexpr char kProductInfo[] = "Product Info";
inline constexpr char kLocaleInfo[] = "Locale Info";
inline constexpr char kDirInfo[] = "Directory Info";

// The four services whose newer versions are asked for from host build 3211 on.
inline constexpr int kBuildNewGlobals = 3211;
inline constexpr char kItemInfoOld[] = "LW Item Info 5";
inline constexpr char kItemInfoNew[] = "LW Item Info 9";
inline constexpr char kObjectInfoOld[] = "LW Object Info 7";
inline constexpr char kObjectInfoNew[] = "LW Object Info 14";
inline constexpr char kObjectFuncsOld[] = "Scene Objects 6";
inline constexpr char kObjectFuncsNew[] = "Scene Objects 9";
inline constexpr char kBoneInfoOld[] = "LW Bone Info 5";
inline constexpr char kBoneInfoNew[] = "LW Bone Info 7";

// Activation versions of the module's three server classes.
inline constexpr int kLayoutToolVersion = 1;
inline constexpr int kMasterHandlerVersion = 4;
inline constexpr int kCommandSequenceVersion = 3;

}  // namespace hostapi
