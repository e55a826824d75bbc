// A LightWave scene file (LWSC text, versions 1 to 8 seen) as its lines plus a model of the items.
//
// Representation: `LwsScene::lines` holds every line with its own line ending, so writing the
// lines back gives the file byte for byte. Items, bones, motions and plug-in blocks are a model
// derived from the lines and rebuilt after every edit; each remembers the lines it came from.
// Edits change, insert or delete lines only where needed; all other lines stay as they were.
//
// Items: an item starts at LoadObjectLayer / LoadObject / AddNullObject / AddBone /
// AddJointBone / AddLight / AddCamera (and, in version 1 files, at a camera's first ShowCamera
// or CameraMotion line, which have no Add line) and runs to the next item start, so the last
// item's range also holds the scene settings written after it. Bones belong
// to the last object or null before them. Keywords are read only at brace depth 0 and outside
// Plugin ... EndPlugin blocks.
//
// Item ids: files of version 4 and later give each item a hex id on its first line. Older files
// have none; the id is made as LightWave numbers items: type in the top 4 bits (1 object or
// null, 2 light, 3 camera, 4 bone), then the ordinal; a bone has its ordinal in bits 16-27 and
// its object's ordinal in bits 0-15.
//
// Motions: channel keys are read from "NumChannels / Channel / { Envelope ... }" (version 3 and
// later) and from the older key lists (version 1: keys of all channels per line with frame
// numbers; version 2: per-channel keys with times). Old rotations are in degrees and are
// converted to radians so every motion reads alike. Evaluation is deliberately simple: linear
// interpolation between the two keys around the time, a stepped key holds its value, before the
// first and after the last key the end value holds (pre/post behaviours and TCB, Hermite and
// Bezier shapes are not modelled).
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_error.h"

namespace sim {

struct LwsLine {
  std::string text;  // without the line ending
  std::string eol;   // "\n", "\r\n", "\r", or "" for a last line without one
};

enum class LwsItemType { Object, Null, Bone, Light, Camera };

struct LwsKey {
  double value = 0;
  double time = 0;  // seconds
  int shape = 0;    // 0 TCB, 1 Hermite, 2 Bezier, 3 linear, 4 stepped, 5 2D Bezier
};

struct LwsChannel {
  std::vector<LwsKey> keys;
  // Value at `seconds` (see the file comment for the interpolation); 0 without keys.
  double valueAt(double seconds) const;
};

// Channels in LightWave order: 0-2 position x y z, 3-5 rotation heading pitch bank (radians),
// 6-8 scale x y z. Cameras have only 6.
struct LwsMotion {
  std::vector<LwsChannel> channels;
  std::size_t line = 0;  // index of the ...Motion line, 0 when the item has none
};

struct LwsTransform {
  std::array<double, 3> position{0, 0, 0};
  std::array<double, 3> rotation{0, 0, 0};  // heading, pitch, bank in radians
  std::array<double, 3> scale{1, 1, 1};
};

// Bone settings, with LightWave's defaults where the file has no line for them.
struct LwsBone {
  std::array<double, 3> restPosition{0, 0, 0};   // parent space
  std::array<double, 3> restDirection{0, 0, 0};  // heading, pitch, bank in degrees, as in the file
  double restLength = 1.0;
  std::string weightMapName;                     // empty when none
  bool weightMapOnly = false;
  bool normalization = false;
  double strength = 1.0;
  bool strengthMultiply = false;                 // "ScaleBoneStrength" (also read: BoneStrengthMultiply)
  bool limitedRange = false;
  double minRange = 0.0, maxRange = 0.0;
  bool active = true;
  int boneType = 0;                              // BoneType: 0 Z-axis bone, 1 joint
  bool joint = false;                            // added with AddJointBone
};

struct LwsItem {
  LwsItemType type = LwsItemType::Object;
  std::uint32_t id = 0;
  bool idFromFile = false;
  std::string name;            // object: file path as written; others: the *Name line
  int layer = -1;              // LoadObjectLayer's layer number, -1 for LoadObject and non-objects
  std::size_t firstLine = 0;   // the Load/Add line
  std::size_t endLine = 0;     // one past the item's last line
  std::optional<std::uint32_t> parentId;  // ParentItem (hex) or ParentObject (ordinal) as an id
  int parent = -1;             // index into LwsScene::items, -1 for none or not found
  int owner = -1;              // bones: the object item they belong to
  int boneFalloffType = -1;    // objects: BoneFalloffType, -1 when absent
  // PivotPosition (older files: PivotPoint), in the item's own coordinates, and PivotRotation
  // (heading, pitch, bank in degrees, as in the file); absent when the item has no such line.
  std::optional<std::array<double, 3>> pivot;
  std::optional<std::array<double, 3>> pivotRotation;
  LwsMotion motion;
  LwsBone bone;                // meaningful for bones only
};

struct LwsPlugin {
  std::string handlerClass;    // "MasterHandler", "DisplacementHandler", ...
  int index = 0;               // the number after the class, 1-based per class and owner
  std::string server;          // server name
  std::size_t firstLine = 0;   // the Plugin line
  std::size_t endLine = 0;     // the EndPlugin line
  std::vector<std::string> data;  // lines between, verbatim
  int owner = -1;              // the item the block sits in, -1 for scene level
};

struct LwsScene {
  std::vector<LwsLine> lines;
  int version = 0;
  double framesPerSecond = 30.0;
  std::vector<LwsItem> items;
  std::vector<LwsPlugin> plugins;  // every Plugin block, in file order

  std::vector<std::size_t> masterHandlers() const;  // indices into plugins, in file order
  int findItem(LwsItemType type, std::string_view name) const;  // -1 when absent
  int findItemById(std::uint32_t id) const;
};

/** \name Reading and writing \{ */
// Parses scene text. `label` names the source in errors, which give the 1-based line.
bool readLws(std::string_view text, const std::string& label, LwsScene& out, FileError& error);
std::string writeLws(const LwsScene& scene);  // the lines, joined with their own endings
bool loadLws(const std::string& path, LwsScene& out, FileError& error);
// Writes a temporary file beside `path` and renames it into place.
bool saveLws(const LwsScene& scene, const std::string& path, FileError& error);
/** \} */

// Static transform of an item's own motion at `seconds`; identity parts where channels are
// missing. Parents are not applied.
LwsTransform itemTransformAt(const LwsItem& item, double seconds);

/** \name Edits
 * Each edit changes the lines and rebuilds the model; item indices stay valid because edits add
 * or remove no items. A bone line that is missing is inserted where LightWave writes it (after
 * the nearest earlier bone keyword). Numbers are written in the shortest form that reads back
 * to the same double. All return false with `error` set, changing nothing, when the item is not
 * a bone or the value cannot be written (a name with a line break).
 * \{ */
bool setBoneRestLength(LwsScene& scene, int bone, double length, std::string& error);
bool setBoneStrength(LwsScene& scene, int bone, double strength, std::string& error);
// Empty `name` removes the BoneWeightMapName line (no weight map).
bool setBoneWeightMapName(LwsScene& scene, int bone, std::string_view name, std::string& error);
enum class LwsBoneFlag { Active, WeightMapOnly, Normalization, StrengthMultiply, LimitedRange };
bool setBoneFlag(LwsScene& scene, int bone, LwsBoneFlag flag, bool on, std::string& error);
// Points an object item at another file: the rest of its LoadObjectLayer / LoadObject line after
// the layer number and item id becomes `path`. False for an item that is not a loaded object,
// and for an empty path or one with a line break.
bool setObjectPath(LwsScene& scene, int object, std::string_view path, std::string& error);
// Adds "Plugin MasterHandler <n> <server>", the data lines and "EndPlugin" after the last master
// handler, or else before the first item; n is one more than the number of master handlers.
bool addMasterHandler(LwsScene& scene, std::string_view server, const std::vector<std::string>& data,
                      std::string& error);
// Removes the `which`-th master handler (0-based, file order) with a PluginEnabled line right
// after it, and renumbers the later ones so their indices stay 1, 2, 3, ...
bool removeMasterHandler(LwsScene& scene, std::size_t which, std::string& error);
/** \} */

}  // namespace sim
