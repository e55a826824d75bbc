#include "app/cli.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/script.h"
#include "app/session.h"
#include "files/lwo_io.h"
#include "files/lws_scene.h"

namespace sim::app {

namespace fs = std::filesystem;

namespace {

const char* kMainHelp = R"(velmora-sim: a simulated LightWave Layout that loads the Velmora module file.

Usage:
  velmora-sim [run] [SCENE.lws|OBJECT.lwo] [--script FILE] [--out DIR] [--module FILE]
                    [--language en|ja]
  velmora-sim convert INPUT OUTPUT
  velmora-sim info INPUT
Each subcommand takes --help.
)";

const char* kRunHelp = R"(velmora-sim run [SCENE.lws|OBJECT.lwo] [--script FILE] [--out DIR] [--module FILE]
                [--demo-size RINGSxSEGMENTS] [--language en|ja]

Loads the module file (default: the one built with this program), then the scene or object
(default: the built-in demo scene, a limb with a chain of three bones), and plays the script
(default: the built-in demo: select the object, activate KTQ_VelmoraTool, paint one stroke
into its current weight map, leave the tool, save). Objects, the scene, a
picture of every viewport (view0.png, ...) and report.txt are written to DIR (default out/),
never over an input; the module's settings go to DIR/config.

  --script FILE      actions to play (see below)
  --out DIR          output folder
  --module FILE      module file to load
  --demo-size RxS    rings and segments of the demo limb (default 48x64)
  --language en|ja   the host's language ("Locale Info" 0x0409 or 0x0411; default en).
                     The module reads it when it builds a panel, and builds its edit
                     panel once per loading, so it holds for the whole run

)";

const char* kConvertHelp = R"(velmora-sim convert INPUT OUTPUT

Reads an object (LWO2 or LWOB) or a scene (LWSC) and writes it again without edits: an LWO2
object or a scene comes out byte-identical, an LWOB object comes out as LWO2 with every surface
setting LWO2 can hold; what it cannot (textures, for one) is listed. OUTPUT must not be INPUT.
)";

const char* kInfoHelp = R"(velmora-sim info INPUT

Objects: every layer with its points, polygons by type, and every vertex map (VMAP and VMAD)
with type, dimension, name and number of entries. Scenes: every item with its id, type and
parent, each bone's rest position, rotation (degrees), length, strength and weight map, and
the master handlers.
)";

std::string fileKind(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char head[4] = {};
  if (!in.read(head, 4)) return {};
  const std::string h(head, 4);
  return h == "FORM" ? "object" : h == "LWSC" ? "scene" : "";
}

bool samePath(const std::string& a, const std::string& b) {
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) return fs::equivalent(a, b, ec);
  return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

std::string hexId(uint32_t id) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08X", id);
  return buf;
}

const char* typeName(LwsItemType t) {
  switch (t) {
    case LwsItemType::Object: return "Object";
    case LwsItemType::Null: return "Null";
    case LwsItemType::Bone: return "Bone";
    case LwsItemType::Light: return "Light";
    case LwsItemType::Camera: return "Camera";
  }
  return "?";
}

std::string num(double v) {
  std::ostringstream s;
  s << v;
  return s.str();
}

void describeObject(const LwoObject& object, std::ostream& out) {
  out << "format: " << (object.sourceFormat() == LwoFormat::Lwob ? "LWOB" : "LWO2") << "\n";
  out << "layers: " << object.numLayers() << "\n";
  size_t totalPoints = 0;
  for (size_t l = 0; l < object.numLayers(); ++l) {
    const LwoLayer& info = object.layerInfo(l);
    const size_t points = object.points(l).size();
    totalPoints += points;
    out << "layer " << l << ": number " << info.number << " \"" << info.name << "\"";
    if (info.parent) out << " parent " << *info.parent;
    out << ", " << points << " points\n";
    std::map<std::string, size_t> byType;
    std::vector<std::string> order;
    for (const LwoPolygons* p : object.polygons(l)) {
      const std::string type = lwoIdText(p->type);
      if (!byType.count(type)) order.push_back(type);
      byType[type] += p->numPolygons();
    }
    out << "  polygons:";
    if (order.empty()) out << " none";
    for (const auto& t : order) out << " " << t << " " << byType[t];
    out << "\n";
    for (const LwoVertexMap* m : object.vertexMaps(l))
      out << "  VMAP " << lwoIdText(m->type) << "/" << m->dimension << " \"" << m->name << "\" " << m->numEntries()
          << " points\n";
    for (const LwoDiscontinuousMap* m : object.discontinuousMaps(l))
      out << "  VMAD " << lwoIdText(m->type) << "/" << m->dimension << " \"" << m->name << "\" " << m->numEntries()
          << " entries\n";
  }
  out << "points in all layers: " << totalPoints << "\n";
}

void describeScene(const LwsScene& scene, std::ostream& out) {
  out << "scene version " << scene.version << ", " << scene.items.size() << " items\n";
  for (const LwsItem& it : scene.items) {
    out << typeName(it.type) << " " << hexId(it.id) << " \"" << it.name << "\"";
    if (it.layer >= 0) out << " layer " << it.layer;
    if (it.parent >= 0) out << " parent \"" << scene.items[size_t(it.parent)].name << "\"";
    else if (it.parentId) out << " parent " << hexId(*it.parentId) << " (missing)";
    out << "\n";
    if (it.type != LwsItemType::Bone) continue;
    const LwsBone& b = it.bone;
    out << "  rest position " << num(b.restPosition[0]) << " " << num(b.restPosition[1]) << " "
        << num(b.restPosition[2]) << ", rotation " << num(b.restDirection[0]) << " " << num(b.restDirection[1]) << " "
        << num(b.restDirection[2]) << " deg, length " << num(b.restLength) << ", strength " << num(b.strength)
        << "\n  weight map " << (b.weightMapName.empty() ? "(none)" : "\"" + b.weightMapName + "\"")
        << (b.active ? "" : ", inactive") << (b.weightMapOnly ? ", weight map only" : "")
        << (b.normalization ? ", normalized" : "") << (b.strengthMultiply ? ", strength scaled" : "")
        << (b.limitedRange ? ", limited range " + num(b.minRange) + ".." + num(b.maxRange) : "") << "\n";
  }
  for (size_t m : scene.masterHandlers()) out << "MasterHandler " << scene.plugins[m].server << "\n";
}

bool readText(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  text = s.str();
  return true;
}

}  // namespace

int runCommand(const RunOptions& options, std::ostream& out, std::ostream& err) {
  Session session(options.outDir, out);
  std::string why;
  auto failed = [&](const std::string& message) {
    err << "velmora-sim: " << message << "\n";
    return 1;
  };
  // Read the script first: a missing script should stop the run before anything is written.
  std::vector<ScriptLine> script;
  if (!options.script.empty()) {
    std::string text;
    if (!readText(options.script, text)) return failed("cannot read the script " + options.script);
    script = parseScript(text);
  }
  if (options.module.empty()) return failed("no module file given (--module)");
  if (!session.prepare(&why)) return failed(why);
  session.host().localeId = options.localeId;
  if (options.progress) session.showProgress();
  if (!session.loadModule(options.module, &why)) return failed(why);
  if (options.input.empty()) session.buildDemo(options.demoRings, options.demoSegments);
  else if (!session.loadInput(options.input, &why)) return failed(why);

  if (options.script.empty()) {
    const SimItem* object = session.host().scene.find(session.mainObject());
    if (!object) return failed("the scene has no object with geometry for the demo");
    session.note("playing the built-in demo script");
    script = parseScript(demoScript(object->name));
  } else {
    session.note("playing " + options.script);
  }
  ScriptError scriptError;
  const bool scriptOk = runScript(session, script, &scriptError);
  if (!scriptOk) {
    session.note("stopped: " + scriptError.text());
    std::string ignored;
    session.writeReport(&ignored);
    return failed(options.script.empty() ? scriptError.text() : options.script + ": " + scriptError.text());
  }

  if (session.host().toolActive()) session.host().leaveTool();  // as Layout does when it quits
  if (!session.saveAllObjects(&why)) return failed(why);
  if (!session.saveScene(&why)) return failed(why);
  if (!session.writePictures(&why)) return failed(why);
  session.summary();
  if (!session.writeReport(&why)) return failed(why);
  out << "\nFiles written:\n";
  for (const auto& f : session.written()) out << "  " << f << "\n";
  return 0;
}

int convertCommand(const std::string& input, const std::string& output, std::ostream& out, std::ostream& err) {
  auto failed = [&](const std::string& message) {
    err << "velmora-sim convert: " << message << "\n";
    return 1;
  };
  if (samePath(input, output)) return failed("OUTPUT must not be INPUT");
  const std::string kind = fileKind(input);
  FileError fe;
  if (kind == "object") {
    LwoObject object;
    if (!loadLwo(input, object, fe)) return failed(fe.text());
    const bool old = object.needsConversion();
    const std::vector<std::string> dropped = object.convertToLwo2();
    if (!saveLwo(object, output, fe)) return failed(fe.text());
    out << "wrote " << output << (old ? " (LWOB converted to LWO2)" : "") << "\n";
    if (!dropped.empty()) out << "not carried over to LWO2:\n";
    for (const std::string& what : dropped) out << "  " << what << "\n";
    return 0;
  }
  if (kind == "scene") {
    LwsScene scene;
    if (!loadLws(input, scene, fe)) return failed(fe.text());
    if (!saveLws(scene, output, fe)) return failed(fe.text());
    out << "wrote " << output << "\n";
    return 0;
  }
  return failed(fs::exists(input) ? input + ": not a LightWave object (FORM) or scene (LWSC)" : input + ": file not found");
}

int infoCommand(const std::string& input, std::ostream& out, std::ostream& err) {
  auto failed = [&](const std::string& message) {
    err << "velmora-sim info: " << message << "\n";
    return 1;
  };
  const std::string kind = fileKind(input);
  FileError fe;
  // The name heads the description only once the file has read correctly.
  if (kind == "object") {
    LwoObject object;
    if (!loadLwo(input, object, fe)) return failed(fe.text());
    out << input << "\n";
    describeObject(object, out);
    return 0;
  }
  if (kind == "scene") {
    LwsScene scene;
    if (!loadLws(input, scene, fe)) return failed(fe.text());
    out << input << "\n";
    describeScene(scene, out);
    return 0;
  }
  return failed(fs::exists(input) ? input + ": not a LightWave object (FORM) or scene (LWSC)" : input + ": file not found");
}

int cliMain(const std::vector<std::string>& argsIn, const std::string& defaultModule, std::ostream& out,
            std::ostream& err, bool terminal) {
  std::vector<std::string> args = argsIn;
  std::string sub = "run";
  if (!args.empty() && (args[0] == "run" || args[0] == "convert" || args[0] == "info")) {
    sub = args[0];
    args.erase(args.begin());
  } else if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
    out << kMainHelp << "\n" << kRunHelp << scriptHelp();
    return 0;
  }
  const bool help = std::find(args.begin(), args.end(), "--help") != args.end() ||
                    std::find(args.begin(), args.end(), "-h") != args.end();
  auto usage = [&](const char* text, const std::string& why) {
    err << "velmora-sim " << sub << ": " << why << "\n\n" << text;
    return 2;
  };

  if (sub == "convert") {
    if (help) return out << kConvertHelp, 0;
    if (args.size() != 2) return usage(kConvertHelp, "needs INPUT and OUTPUT");
    return convertCommand(args[0], args[1], out, err);
  }
  if (sub == "info") {
    if (help) return out << kInfoHelp, 0;
    if (args.size() != 1) return usage(kInfoHelp, "needs one INPUT");
    return infoCommand(args[0], out, err);
  }
  if (help) return out << kRunHelp << scriptHelp(), 0;
  RunOptions options;
  options.module = defaultModule;
  options.progress = terminal;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) return false;
      into = args[++i];
      return true;
    };
    if (a == "--script" || a == "--out" || a == "--module") {
      std::string& into = a == "--script" ? options.script : a == "--out" ? options.outDir : options.module;
      if (!value(into)) return usage(kRunHelp, a + " needs a value");
    } else if (a == "--demo-size") {
      std::string v;
      int r = 0, s = 0;
      if (!value(v) || std::sscanf(v.c_str(), "%dx%d", &r, &s) != 2 || r < 2 || s < 3)
        return usage(kRunHelp, "--demo-size wants RINGSxSEGMENTS, at least 2x3");
      options.demoRings = r;
      options.demoSegments = s;
    } else if (a == "--language") {
      std::string v;
      if (!value(v) || (v != "en" && v != "ja")) return usage(kRunHelp, "--language wants en or ja");
      options.localeId = v == "ja" ? 0x0411 : 0x0409;
    } else if (!a.empty() && a[0] == '-') {
      return usage(kRunHelp, "unknown option " + a);
    } else if (options.input.empty()) {
      options.input = a;
    } else {
      return usage(kRunHelp, "only one input file");
    }
  }
  return runCommand(options, out, err);
}

}  // namespace sim::app
