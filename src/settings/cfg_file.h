// The tool's settings file "VelmoraKTQ.cfg": the persistent fields of ToolSettings and
// the colour gradient as tagged blocks (see cfg_block.h for the byte layout).
#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "gradient/gradient_data.h"
#include "settings/cfg_block.h"
#include "settings/tool_settings.h"

// Format version written under "PVer"; read back but not interpreted.
constexpr float kCfgFileVersion = 1.07f;

// The settings file's full path: settingsDir, the system's separator ('/', or '\\' on
// Windows), "VelmoraKTQ.cfg". An empty settingsDir (the host gave none) gives an empty
// path, never the filesystem root.
std::string makeCfgFilePath(const std::string& settingsDir);

// Builds the block list of settings and gradient into listOut (replacing it): the
// blocks are added in the order "PVer", "WNam", ... "Grad", so the head is "Grad".
// Strings are cut to 511 ("WNam") or 31 (mirror strings) characters; an empty gradient
// gives no "Grad" block.
void buildCfgMainData(const ToolSettings& settings, const GradientData& gradient,
                      CfgMainData& listOut);

// Sets each field whose block is in list; absent and unknown keys change nothing.
// A value that could not have been saved is skipped: an index outside its choice list
// ("TIdx", "Foff", "Vsbl", "cBtn", "smFo", "mrAx", "mrTp", "mrDr", "biMd", "biFo"), a
// float that is not finite, or a block too small for its kind. "Grad" replaces the
// gradient (clamped to kMaxGradientKeys keys) when it holds at least one key.
void applyCfgMainData(const CfgMainData& list, ToolSettings& settings, GradientData& gradient);

// Parses file bytes and applies them. On any fault (see decodeCfgFile) nothing changes
// and false is returned.
bool applyCfgFileBytes(std::span<const uint8_t> bytes, ToolSettings& settings,
                       GradientData& gradient);

// Writes the settings file at path. The bytes go to a temporary file in the same
// folder that is then renamed over path, so a failed write keeps the previous file.
// Returns false when nothing was saved.
bool saveCfgFile(const ToolSettings& settings, const GradientData& gradient,
                 const std::string& path);

// Reads the settings file at path and applies it. Returns false, changing nothing,
// when the file is missing, unreadable, truncated or corrupt, or repeats a key.
bool loadCfgFile(ToolSettings& settings, GradientData& gradient, const std::string& path);
