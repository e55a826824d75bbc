#include "app/session.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "files/atomic_write.h"
#include "render/panel_picture.h"
#include "render/png_writer.h"
#include "render/view_framing.h"
#include "render/viewport_render.h"
#include "scene/demo_scene.h"

extern "C" {
#include <lwmaster.h>
}

namespace sim::app {

namespace fs = std::filesystem;

namespace {

// "FORM" objects and "LWSC" scenes; anything else is neither.
std::string fileKind(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char head[4] = {};
  if (!in.read(head, 4)) return {};
  if (std::string(head, 4) == "FORM") return "object";
  if (std::string(head, 4) == "LWSC") return "scene";
  return {};
}

// A path a scene writes, as a place under the output folder: relative paths keep their
// folders (so the saved scene finds its objects), others keep only the file name.
fs::path underOut(const std::string& written) {
  std::string p = written;
  std::replace(p.begin(), p.end(), '\\', '/');
  fs::path path(p);
  bool climbs = false;
  for (const auto& part : path) climbs = climbs || part == "..";
  if (path.is_relative() && !climbs && !path.empty()) return path;
  return path.filename();
}

// A three-quarter view from the front, above: heading 35 and pitch 20 degrees.
const Vec3 kFramedViewRotation = {35.0 * 3.14159265358979323846 / 180.0, 20.0 * 3.14159265358979323846 / 180.0, 0};

}  // namespace

Session::Session(std::string outDir, std::ostream& out)
    : outDir_(std::move(outDir)), out_(out), host_(std::make_unique<Host>()) {
  host_->saveObject = [this](SimItem& item) {
    std::string why;
    if (saveObject(item.id, &why)) return true;
    note("could not save " + item.name + ": " + why);
    return false;
  };
}

Session::~Session() = default;

bool Session::prepare(std::string* error) {
  std::error_code ec;
  fs::create_directories(fs::path(outDir_) / "config", ec);
  if (ec) {
    if (error) *error = "cannot create the output folder " + outDir_ + ": " + ec.message();
    return false;
  }
  host_->settingsDir = (fs::path(outDir_) / "config").string();
  return true;
}

bool Session::loadModule(const std::string& path, std::string* error) {
  if (!fs::exists(path)) {
    if (error) *error = "module file not found: " + path;
    return false;
  }
  const size_t before = host_->servers().size();
  if (!host_->loadModule(path, error)) return false;
  note("loaded module " + path);
  for (size_t i = before; i < host_->servers().size(); ++i) {
    const ServerEntry& s = host_->servers()[i];
    note("  server " + s.className + " " + s.name + (s.userName.empty() ? "" : " (\"" + s.userName + "\")"));
  }
  return true;
}

bool Session::loadInput(const std::string& path, std::string* error) {
  inputPath_ = path;
  const std::string kind = fileKind(path);
  FileError fe;
  if (kind == "object") {
    std::vector<uint64_t> ids = objects_.load(host_->scene, path, fe);
    if (ids.empty()) {
      if (error) *error = fe.text();
      return false;
    }
    sceneName_ = fs::path(path).stem().string() + ".lws";
    for (uint64_t id : ids) note("loaded object " + host_->scene.find(id)->name + " from " + path);
    host_->scene.refreshFrozen();
    frameViewports();
    return true;
  }
  if (kind == "scene") {
    LoadedScene loaded;
    if (!loadSceneIntoHost(*host_, objects_, path, loaded, fe)) {
      if (error) *error = fe.text();
      return false;
    }
    sceneName_ = fs::path(path).filename().string();
    note("loaded scene " + path + " (" + std::to_string(loaded.file.items.size()) + " items)");
    for (const auto& w : loaded.warnings) note("  warning: " + w);
    for (const auto& m : loaded.masters) note("  master handler applied from the scene: " + m.server);
    scene_ = std::move(loaded);
    frameViewports();
    return true;
  }
  if (error) *error = fs::exists(path) ? path + ": not a LightWave object (FORM) or scene (LWSC)"
                                       : path + ": file not found";
  return false;
}

void Session::frameViewports() {
  Vec3 lo, hi;
  if (!sceneBounds(host_->scene, lo, hi)) return;
  for (SimViewport& view : host_->viewports) {
    if (view.perspective()) view.rotation = kFramedViewRotation;
    frameViewport(view, lo, hi);
  }
}

void Session::buildDemo(int rings, int segments) {
  DemoScene demo = buildDemoScene(host_->scene, true, rings, segments);
  const SimItem* limb = host_->scene.find(demo.limb);
  note("built the demo scene: " + limb->name + " (" + std::to_string(limb->mesh->numPoints()) + " points, " +
       std::to_string(limb->mesh->numPolygons()) + " polygons), bones Upper/Lower/Hand, a light and a camera");
}

void Session::showProgress() {
  host_->onProgress = [this](const std::string& what, unsigned done, unsigned total) {
    const int width = 30;
    const int filled = total ? int(double(done) / total * width) : 0;
    out_ << "\r[" << std::string(size_t(std::min(filled, width)), '#')
         << std::string(size_t(width - std::min(filled, width)), ' ') << "] "
         << (total ? 100 * done / total : 0) << "% " << what << std::flush;
    if (total && done >= total) out_ << "\n";
  };
}

bool Session::command(const std::string& line, std::string* error) {
  const size_t index = host_->commandLog.size();
  ownCommands_.insert(index);
  host_->command(line);
  const CommandRecord& record = host_->commandLog[index];
  if (!record.ok && error) *error = line + ": " + record.error;
  return record.ok;
}

void Session::ownCommandsFrom(size_t logIndex) {
  // Only the first: commands after it were issued by the module while it ran.
  if (logIndex < host_->commandLog.size()) ownCommands_.insert(logIndex);
}

int Session::activateTool(const std::string& name) {
  int rc = host_->activateTool(name);
  std::string text = "tool " + name + " activation result " + std::to_string(rc) +
                     (rc == 0 ? " (OK)" : rc < 0 ? " (no such tool)" : " (refused)");
  toolResults_.push_back(text);
  note(text);
  return rc;
}

// Paths the run writes and reports use '/' on every system (Windows takes it too), so
// the report of a run reads the same wherever it ran.
std::string Session::objectOutPath(uint64_t item) const {
  const SimItem* it = host_->scene.find(item);
  fs::path rel;
  if (scene_) {
    auto written = scene_->objectPaths.find(item);
    if (written != scene_->objectPaths.end()) rel = underOut(written->second);
  }
  if (rel.empty() && it) {
    rel = fs::path(it->filename).filename();
    if (rel.empty()) rel = it->name + ".lwo";
  }
  return (fs::path(outDir_) / rel).generic_string();
}

void Session::addWritten(const std::string& path) {
  if (std::find(written_.begin(), written_.end(), path) == written_.end()) written_.push_back(path);
}

bool Session::saveObject(uint64_t item, std::string* error) {
  const std::string path = objectOutPath(item);
  std::error_code ec;
  fs::create_directories(fs::path(path).parent_path(), ec);
  ObjectSaveReport report;
  FileError fe;
  if (!objects_.save(host_->scene, item, path, fe, &report)) {
    if (error) *error = fe.text();
    return false;
  }
  for (const auto& c : report.changes) {
    mapsWritten_.push_back(fs::path(path).filename().string() + ": " + c);
    note("  " + c);
  }
  for (const auto& w : report.warnings) note("  warning: " + w);
  note("saved object " + path);
  addWritten(path);
  savedObjects_.insert(path);
  // The save wrote every layer of the file: none of them waits for a save any more.
  for (const auto& it : host_->scene.items())
    if (it->type == ItemType::Object && objectOutPath(it->id) == path) it->modified = false;
  return true;
}

bool Session::saveAllObjects(std::string* error) {
  // A file already saved in this run is written again only when one of its layers changed since.
  std::map<std::string, bool> changed;
  for (const auto& it : host_->scene.items())
    if (it->type == ItemType::Object && !it->isNull()) changed[objectOutPath(it->id)] |= it->modified;
  for (const auto& it : host_->scene.items()) {
    if (it->type != ItemType::Object || it->isNull()) continue;
    const std::string path = objectOutPath(it->id);
    auto entry = changed.find(path);
    if (entry == changed.end()) continue;  // another layer of a file already written
    const bool needed = entry->second || !savedObjects_.count(path);
    changed.erase(entry);
    if (needed && !saveObject(it->id, error)) return false;
  }
  return true;
}

bool Session::saveScene(std::string* error) {
  const std::string path = (fs::path(outDir_) / sceneName_).generic_string();
  // Layout tells the masters before and after it writes a scene: the module takes its
  // dummy object out of the scene for the save and puts it back afterwards.
  host_->sendMasterEvent(LWEVNT_NOTIFY_SCENE_SAVE_STARTING, const_cast<char*>(path.c_str()));
  struct SaveDone {
    Host* host;
    const std::string* path;
    ~SaveDone() { host->sendMasterEvent(LWEVNT_NOTIFY_SCENE_SAVE_COMPLETE, const_cast<char*>(path->c_str())); }
  } saveDone{host_.get(), &path};
  if (scene_ && !pointSceneAtSavedObjects(error)) return false;
  if (!scene_) {
    std::map<uint64_t, std::string> paths;
    for (const auto& it : host_->scene.items())
      if (it->type == ItemType::Object && !it->isNull())
        paths[it->id] = fs::relative(objectOutPath(it->id), outDir_).generic_string();
    scene_ = sceneFromHost(*host_, paths);
  }
  FileError fe;
  std::vector<std::string> changes, warnings;
  if (!saveSceneFromHost(*host_, *scene_, path, fe, &changes, &warnings)) {
    if (error) *error = fe.text();
    return false;
  }
  for (const auto& c : changes) note("  " + c);
  for (const auto& w : warnings) note("  note: " + w);
  note("saved scene " + path);
  addWritten(path);
  return true;
}

bool Session::pointSceneAtSavedObjects(std::string* error) {
  LwsScene& file = scene_->file;
  for (size_t i = 0; i < file.items.size() && i < scene_->itemIds.size(); ++i) {
    const SimItem* item = host_->scene.find(scene_->itemIds[i]);
    if (file.items[i].type != LwsItemType::Object || !item || item->isNull()) continue;
    // Where the object goes, relative to the saved scene, in the form the scene can read back.
    const std::string saved = fs::relative(objectOutPath(item->id), outDir_).generic_string();
    std::string written = file.items[i].name;
    std::replace(written.begin(), written.end(), '\\', '/');
    if (written == saved) continue;
    std::string why;
    const std::string before = file.items[i].name;
    if (!setObjectPath(file, int(i), saved, why)) {
      if (error) *error = "cannot point the scene at " + saved + ": " + why;
      return false;
    }
    note("  object path " + before + " -> " + saved + " (where the object is saved)");
  }
  return true;
}

bool Session::writePicture(int viewport, const std::string& file, std::string* error) {
  Image image;
  if (!checkPictureFile(file, error)) return false;
  if (!renderViewport(*host_, viewport, image)) {
    if (error) *error = "no viewport " + std::to_string(viewport) + " to draw";
    return false;
  }
  return writePictureFile(image, file, "viewport " + std::to_string(viewport), error);
}

bool Session::writePanelPicture(const std::string& title, const std::string& file, std::string* error) {
  if (!checkPictureFile(file, error)) return false;
  PanelState* panel = nullptr;
  for (auto it = host_->panels.rbegin(); it != host_->panels.rend() && !panel; ++it)
    if ((*it)->open && (*it)->title == title) panel = it->get();
  if (!panel) {
    if (error) *error = "no open panel titled \"" + title + "\"";
    return false;
  }
  {
    // The host asks the plug-in to draw the panel before the picture is taken.
    Host::PluginCall call(*host_);
    panel->redraw();
  }
  return writePictureFile(panelPicture(*panel), file, "panel \"" + title + "\"", error);
}

bool Session::checkPictureFile(const std::string& file, std::string* error) const {
  const fs::path rel(file);
  bool climbs = false;
  for (const auto& part : rel) climbs = climbs || part == "..";
  if (rel.empty() || rel.is_absolute() || climbs) {
    if (error) *error = "a picture goes inside the output folder: give a relative path without \"..\", not \"" + file + "\"";
    return false;
  }
  return true;
}

bool Session::writePictureFile(const Image& image, const std::string& file, const std::string& what,
                               std::string* error) {
  const fs::path path = fs::path(outDir_) / fs::path(file);
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  FileError fe;
  if (!writePng(image, path.generic_string(), fe)) {
    if (error) *error = fe.text();
    return false;
  }
  note("wrote picture of " + what + " to " + path.generic_string());
  addWritten(path.generic_string());
  return true;
}

bool Session::writePictures(std::string* error) {
  host_->redrawViewports();
  for (size_t v = 0; v < host_->viewports.size(); ++v)
    if (!writePicture(int(v), "view" + std::to_string(v) + ".png", error)) return false;
  return true;
}

bool Session::writeReport(std::string* error) {
  const std::string path = (fs::path(outDir_) / "report.txt").generic_string();
  addWritten(path);
  std::string text;
  for (const auto& line : account_) text += line + "\n";
  text += "\nFiles written:\n";
  for (const auto& f : written_) text += "  " + f + "\n";
  FileError fe;
  if (!writeFileAtomically(path, std::span<const char>(text.data(), text.size()), fe)) {
    if (error) *error = fe.text();
    return false;
  }
  return true;
}

void Session::note(const std::string& line) {
  account_.push_back(line);
  out_ << line << "\n";
}

void Session::flushMessages() {
  for (; messagesShown_ < host_->messages.size(); ++messagesShown_) {
    const ShownMessage& m = host_->messages[messagesShown_];
    std::string text = "host shows " + m.kind + ":";
    for (const std::string* part : {&m.title, &m.line1, &m.line2})
      if (!part->empty()) text += " " + *part;
    note("  " + text);
  }
}

void Session::summary() {
  flushMessages();
  note("");
  note("Summary");
  note("  servers registered: " + std::to_string(host_->servers().size()));
  for (const auto& t : toolResults_) note("  " + t);
  const auto masters = host_->appliedServers(LWMASTER_HCLASS);
  std::string applied;
  for (const auto& m : masters) applied += (applied.empty() ? "" : ", ") + m;
  note("  master handlers applied: " + (applied.empty() ? std::string("none") : applied));
  std::vector<const CommandRecord*> moduleCommands;
  for (size_t i = 0; i < host_->commandLog.size(); ++i)
    if (!ownCommands_.count(i)) moduleCommands.push_back(&host_->commandLog[i]);
  note("  commands the module issued: " + std::to_string(moduleCommands.size()));
  for (const CommandRecord* c : moduleCommands)
    note("    " + c->text + (c->ok ? "" : "   [host: " + c->error + "]"));
  note("  maps written: " + std::to_string(mapsWritten_.size()));
  for (const auto& m : mapsWritten_) note("    " + m);
}

uint64_t Session::mainObject() const {
  const SimScene& scene = host_->scene;
  if (const SimItem* sel = scene.find(scene.firstSelected()); sel && sel->type == ItemType::Object && !sel->isNull())
    return sel->id;
  for (const auto& it : scene.items())
    if (it->type == ItemType::Object && !it->isNull()) return it->id;
  return 0;
}

}  // namespace sim::app
