// One run of the command-line host: a simulated Layout with the module loaded, the scene
// (from a file or the built-in demo), the files it came from, and what the run did and wrote.
// Outputs go to one folder and never over an input.
#pragma once
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "host/host.h"
#include "io/object_files.h"
#include "io/scene_files.h"
#include "render/image.h"

namespace sim::app {

class Session {
 public:
  // `out` receives the running account of what the host does.
  Session(std::string outDir, std::ostream& out);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Host& host() { return *host_; }
  ObjectFiles& objects() { return objects_; }
  const std::string& outDir() const { return outDir_; }
  std::ostream& out() { return out_; }

  // Creates the output folder (the module's settings go to its "config" subfolder).
  bool prepare(std::string* error);
  // Loads the module file through the host as Layout would (dlopen).
  bool loadModule(const std::string& path, std::string* error);
  // Loads a scene or object file (told apart by content), or builds the demo scene.
  bool loadInput(const std::string& path, std::string* error);
  void buildDemo(int rings, int segments);
  // Aims every viewport at the scene's objects (a loaded file has no views of its own).
  void frameViewports();
  // Shows terminal progress for host monitors on `out`.
  void showProgress();

  // Runs a host command on the user's behalf; false (with the host's reason) when the host
  // did not understand it.
  bool command(const std::string& line, std::string* error = nullptr);
  // Counts the commands logged from `logIndex` on as the session's own, not the module's.
  void ownCommandsFrom(size_t logIndex);
  // Activates a Layout tool; -1 when no such tool is registered.
  int activateTool(const std::string& name);

  // Saves one object item (and the other layers of its file) into the output folder.
  bool saveObject(uint64_t item, std::string* error);
  // Saves every object with geometry that this run has not saved yet or that changed since.
  bool saveAllObjects(std::string* error);
  bool saveScene(std::string* error);
  // Draws viewport `viewport` as it stands (after the caller's redraw) and writes it as a PNG
  // to `file`, relative to the output folder (no absolute path, no ".."); listed as written.
  bool writePicture(int viewport, const std::string& file, std::string* error);
  // Redraws the most recently opened open panel titled `title` and writes its picture
  // (render/panel_picture.h) as a PNG to `file`, under the same rules as writePicture.
  bool writePanelPicture(const std::string& title, const std::string& file, std::string* error);
  // Redraws and writes one picture per viewport: view0.png, view1.png, ...
  bool writePictures(std::string* error);
  bool writeReport(std::string* error);

  // Adds a line to the account (printed now and kept for the report).
  void note(const std::string& line);
  // Prints messages the host showed since the last call.
  void flushMessages();
  // The closing summary: servers, tool results, masters, the module's commands, maps written.
  void summary();

  const std::vector<std::string>& written() const { return written_; }
  const std::vector<std::string>& account() const { return account_; }
  // The object the demo works on: the first selected object, or the first object with points.
  uint64_t mainObject() const;

 private:
  std::string objectOutPath(uint64_t item) const;
  // Rewrites the scene's object paths that would not lead the saved scene to the saved objects.
  bool pointSceneAtSavedObjects(std::string* error);
  void addWritten(const std::string& path);
  // A picture's file must stay inside the output folder.
  bool checkPictureFile(const std::string& file, std::string* error) const;
  bool writePictureFile(const Image& image, const std::string& file, const std::string& what, std::string* error);

  std::string outDir_;
  std::ostream& out_;
  std::unique_ptr<Host> host_;
  ObjectFiles objects_;
  std::optional<LoadedScene> scene_;
  std::string inputPath_;
  std::string sceneName_ = "demo.lws";
  std::set<size_t> ownCommands_;  // command-log entries the session issued itself
  std::vector<std::string> account_;
  std::vector<std::string> mapsWritten_;
  std::vector<std::string> toolResults_;
  std::vector<std::string> written_;
  std::set<std::string> savedObjects_;  // object files this run has written
  size_t messagesShown_ = 0;
};

}  // namespace sim::app
