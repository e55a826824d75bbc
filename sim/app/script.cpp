// Script actions: each is a small function over the session; anything else goes to the
// host's command interpreter.
#include "app/script.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>

#include "app/ring_stand_in.h"
#include "host/panel_state.h"
#include "render/view_framing.h"

namespace sim::app {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Token {
  std::string text;
  bool quoted = false;
};

// Words, with "double quoted" words kept whole.
std::vector<Token> tokenize(const std::string& line) {
  std::vector<Token> out;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) break;
    Token t;
    if (line[i] == '"') {
      t.quoted = true;
      size_t end = line.find('"', i + 1);
      if (end == std::string::npos) end = line.size();
      t.text = line.substr(i + 1, end - i - 1);
      i = end + 1;
    } else {
      size_t end = line.find_first_of(" \t", i);
      if (end == std::string::npos) end = line.size();
      t.text = line.substr(i, end - i);
      i = end;
    }
    out.push_back(std::move(t));
  }
  return out;
}

bool toDouble(const std::string& s, double* v) {
  char* end = nullptr;
  *v = std::strtod(s.c_str(), &end);
  return !s.empty() && end && *end == 0 && std::isfinite(*v);
}

bool toInt(const std::string& s, long* v) {
  char* end = nullptr;
  *v = std::strtol(s.c_str(), &end, 10);
  return !s.empty() && end && *end == 0;
}

bool toVec3(const std::string& s, Vec3* v) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t comma; (comma = s.find(',', start)) != std::string::npos; start = comma + 1)
    parts.push_back(s.substr(start, comma - start));
  parts.push_back(s.substr(start));
  if (parts.size() != 3) return false;
  for (size_t i = 0; i < 3; ++i)
    if (!toDouble(parts[i], &(*v)[i])) return false;
  return true;
}

// The rest of a line after its first word.
std::string restOf(const std::string& line) {
  size_t i = line.find_first_of(" \t");
  if (i == std::string::npos) return {};
  i = line.find_first_not_of(" \t", i);
  return i == std::string::npos ? std::string() : line.substr(i);
}

std::string unquote(std::string s) {
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
  return s;
}

class Runner {
 public:
  explicit Runner(Session& s) : session_(s), host_(s.host()) {}

  // Runs one line; false with `why` set when it fails.
  bool run(const std::string& line, std::string& why) {
    std::vector<Token> t = tokenize(line);
    if (t.empty()) return true;
    const std::string& verb = t[0].text;
    static const std::map<std::string, bool (Runner::*)(const std::string&, const std::vector<Token>&, std::string&)>
        actions = {{"SelectItem", &Runner::selectItem},       {"Tool", &Runner::tool},
                   {"ChangeTool", &Runner::changeTool},       {"Viewport", &Runner::viewport},
                   {"Press", &Runner::press},                 {"Drag", &Runner::drag},
                   {"Release", &Runner::release},             {"Stroke", &Runner::stroke},             {"Panel", &Runner::panel},
                   {"Menu", &Runner::menu},                   {"Answer", &Runner::answer},
                   {"CancelMonitorAfter", &Runner::cancelAfter}, {"SaveObjects", &Runner::saveObjects},
                   {"SaveScene", &Runner::saveScene},         {"Redraw", &Runner::redraw},
                   {"StoreWeights", &Runner::storeWeights},   {"DeleteWeightMap", &Runner::deleteMap},
                   {"RenameWeightMap", &Runner::renameMap},   {"Picture", &Runner::picture},
                   {"PanelPicture", &Runner::panelPicture},   {"Dialog", &Runner::dialog}};
    auto action = actions.find(verb);
    const bool ok = action != actions.end() ? (this->*(action->second))(line, t, why) : session_.command(line, &why);
    if (ok && !dialogProblems_.empty()) {
      why = dialogProblems_.front();
      dialogProblems_.clear();
      return false;
    }
    return ok;
  }

 private:
  bool selectItem(const std::string& line, const std::vector<Token>&, std::string& why) {
    const std::string name = unquote(restOf(line));
    if (name.empty()) return fail(why, "SelectItem needs an item name or hex id");
    const SimItem* item = host_.scene.findByName(name);
    if (!item) {
      char* end = nullptr;
      unsigned long long id = std::strtoull(name.c_str(), &end, 16);
      if (!end || *end) return fail(why, "no item named \"" + name + "\"");
      item = host_.scene.findLow32(uint32_t(id));
      if (!item) return fail(why, "no item with id " + name);
    }
    char cmd[64];
    std::snprintf(cmd, sizeof cmd, "SelectItem %x", unsigned(item->id & 0xFFFFFFFFu));
    if (!session_.command(cmd, &why)) return false;
    session_.note("selected " + item->name);
    return true;
  }

  bool tool(const std::string&, const std::vector<Token>& t, std::string& why) {
    if (t.size() != 2) return fail(why, "Tool needs a tool server name");
    if (session_.activateTool(t[1].text) < 0) return fail(why, "no LayoutTool server named " + t[1].text);
    return true;
  }

  bool changeTool(const std::string&, const std::vector<Token>&, std::string& why) {
    if (!session_.command("ChangeTool", &why)) return false;
    session_.note("left the tool (ChangeTool)");
    return true;
  }

  bool viewport(const std::string&, const std::vector<Token>& t, std::string& why) {
    long n;
    if (t.size() < 2 || !toInt(t[1].text, &n) || n < 0 || n > 15) return fail(why, "Viewport needs a number 0..15");
    auto& ports = host_.viewports;
    if (size_t(n) > ports.size()) return fail(why, "viewports are numbered from 0 without gaps; next is " +
                                                   std::to_string(ports.size()));
    SimViewport v = size_t(n) < ports.size() ? ports[size_t(n)] : SimViewport{};
    static const std::map<std::string, int> types = {{"top", 1},   {"bottom", 2}, {"back", 3},        {"front", 4},
                                                     {"right", 5}, {"left", 6},   {"persp", 7}, {"perspective", 7},
                                                     {"light", 8},  {"camera", 9}};
    for (size_t i = 2; i < t.size(); ++i) {
      const std::string& kv = t[i].text;
      const size_t eq = kv.find('=');
      const std::string key = kv.substr(0, eq), value = eq == std::string::npos ? "" : kv.substr(eq + 1);
      double d;
      Vec3 vec;
      if (key == "type" && types.count(value)) {
        v.type = types.at(value);
      } else if (key == "center" && toVec3(value, &vec)) {
        v.center = vec;
      } else if (key == "rotation" && toVec3(value, &vec)) {
        v.rotation = vec * (kPi / 180.0);
      } else if (key == "zoom" && toDouble(value, &d) && d > 0) {
        v.zoom = d;
      } else if (key == "size") {
        long w, h;
        const size_t x = value.find('x');
        if (x == std::string::npos || !toInt(value.substr(0, x), &w) || !toInt(value.substr(x + 1), &h) || w < 1 ||
            h < 1)
          return fail(why, "size wants WIDTHxHEIGHT, got \"" + value + "\"");
        v.width = int(w);
        v.height = int(h);
      } else {
        return fail(why, "bad viewport setting \"" + kv + "\"");
      }
    }
    scaleClipPlanes(v);
    if (size_t(n) == ports.size()) ports.push_back(v);
    else ports[size_t(n)] = v;
    return true;
  }

  // Mouse arguments after the coordinates: button, qualifiers and view=N.
  bool mouseOptions(const std::vector<Token>& t, size_t from, int* button, unsigned* quals, std::string& why) {
    for (size_t i = from; i < t.size(); ++i) {
      const std::string& w = t[i].text;
      long n;
      if (w == "left") *button = 0;
      else if (w == "right") *button = 1;
      else if (w == "shift") *quals |= Host::kMouseShift;
      else if (w == "ctrl") *quals |= Host::kMouseCtrl;
      else if (w == "alt") *quals |= Host::kMouseAlt;
      else if (w.rfind("view=", 0) == 0 && toInt(w.substr(5), &n)) view_ = int(n);
      else return fail(why, "unknown mouse option \"" + w + "\"");
    }
    return true;
  }

  bool press(const std::string& line, const std::vector<Token>& t, std::string& why) {
    double x, y;
    if (t.size() >= 2 && (t[1].quoted || !toDouble(t[1].text, &x))) return pressButton(line, t, why);
    if (t.size() < 3 || !toDouble(t[1].text, &x) || !toDouble(t[2].text, &y))
      return fail(why, "Press needs x y (or a quoted button label)");
    int button = 0;
    unsigned quals = 0;
    if (!mouseOptions(t, 3, &button, &quals, why)) return false;
    int rc = host_.toolMouse(Host::MouseAction::Down, x, y, button, quals, view_);
    if (rc < 0) return fail(why, "no active tool or no viewport " + std::to_string(view_));
    return true;
  }

  bool drag(const std::string&, const std::vector<Token>& t, std::string& why) {
    if (t.size() < 3 || (t.size() - 1) % 2 != 0) return fail(why, "Drag needs pairs of x y");
    for (size_t i = 1; i + 1 < t.size(); i += 2) {
      double x, y;
      if (!toDouble(t[i].text, &x) || !toDouble(t[i + 1].text, &y)) return fail(why, "Drag needs numbers");
      if (host_.toolMouse(Host::MouseAction::Move, x, y, 0, 0, view_) < 0)
        return fail(why, "Drag without a Press (or the tool is no longer active)");
    }
    return true;
  }

  bool release(const std::string&, const std::vector<Token>& t, std::string& why) {
    double x, y;
    if (t.size() != 3 || !toDouble(t[1].text, &x) || !toDouble(t[2].text, &y)) return fail(why, "Release needs x y");
    if (host_.toolMouse(Host::MouseAction::Up, x, y, 0, 0, view_) < 0)
      return fail(why, "Release without a Press (or the tool is no longer active)");
    return true;
  }

  // A press at the first point, drags at `steps` points spread evenly along the polyline
  // (the last one at its end) and the release there.
  bool stroke(const std::string&, const std::vector<Token>& t, std::string& why) {
    std::vector<std::pair<double, double>> points;
    size_t i = 1;
    for (; i + 1 < t.size(); i += 2) {
      double x, y;
      if (!toDouble(t[i].text, &x) || !toDouble(t[i + 1].text, &y)) break;
      points.emplace_back(x, y);
    }
    if (points.size() < 2) return fail(why, "Stroke needs at least two points x y");
    long steps = 8;
    std::vector<Token> options(t.begin(), t.begin() + 1);
    for (; i < t.size(); ++i) {
      if (t[i].text.rfind("steps=", 0) == 0) {
        if (!toInt(t[i].text.substr(6), &steps) || steps < 1 || steps > 100000)
          return fail(why, "steps wants a count 1..100000");
      } else {
        options.push_back(t[i]);
      }
    }
    int button = 0;
    unsigned quals = 0;
    if (!mouseOptions(options, 1, &button, &quals, why)) return false;
    std::vector<double> along(points.size(), 0.0);
    for (size_t k = 1; k < points.size(); ++k)
      along[k] = along[k - 1] + std::hypot(points[k].first - points[k - 1].first, points[k].second - points[k - 1].second);
    auto at = [&](double d) {
      size_t k = 1;
      while (k + 1 < points.size() && along[k] < d) ++k;
      const double span = along[k] - along[k - 1];
      const double f = span > 0 ? std::clamp((d - along[k - 1]) / span, 0.0, 1.0) : 1.0;
      return std::pair<double, double>{points[k - 1].first + f * (points[k].first - points[k - 1].first),
                                       points[k - 1].second + f * (points[k].second - points[k - 1].second)};
    };
    if (host_.toolMouse(Host::MouseAction::Down, points[0].first, points[0].second, button, quals, view_) < 0)
      return fail(why, "no active tool or no viewport " + std::to_string(view_));
    for (long k = 1; k <= steps; ++k) {
      const auto [x, y] = at(along.back() * double(k) / double(steps));
      if (host_.toolMouse(Host::MouseAction::Move, x, y, button, quals, view_) < 0)
        return fail(why, "the tool was left during the stroke");
    }
    if (host_.toolMouse(Host::MouseAction::Up, points.back().first, points.back().second, button, quals, view_) < 0)
      return fail(why, "the tool was left during the stroke");
    return true;
  }

  // The control with this label on the most recently opened panel that is open.
  ControlState* findControl(const std::string& label, std::string& why) {
    for (auto it = host_.panels.rbegin(); it != host_.panels.rend(); ++it)
      if ((*it)->open)
        if (ControlState* c = (*it)->control(label)) return c;
    why = "no open panel has a control \"" + label + "\"";
    return nullptr;
  }

  static void fire(ControlState* c) {
    if (c->event) c->event(&c->api, c->userData);
  }

  bool pressButton(const std::string&, const std::vector<Token>& t, std::string& why) {
    if (t.size() != 2) return fail(why, "Press \"LABEL\" takes only the label");
    ControlState* c = findControl(t[1].text, why);
    if (!c) return false;
    if (c->toggles()) c->intValue = !c->intValue;  // a toggle button flips
    fire(c);
    return true;
  }

  bool panel(const std::string&, const std::vector<Token>& t, std::string& why) {
    if (t.size() < 3) return fail(why, "Panel needs a \"LABEL\" and a value");
    ControlState* c = findControl(t[1].text, why);
    return c && setValue(c, t[1].text, t[2].text, why);
  }

  bool menu(const std::string&, const std::vector<Token>& t, std::string& why) {
    if (t.size() != 3) return fail(why, "Menu needs a \"LABEL\" and an item (its text or number)");
    ControlState* c = findControl(t[1].text, why);
    return c && chooseItem(c, t[1].text, t[2].text, why);
  }

  // Gives the control the typed value and fires its event, as a user's edit does.
  static bool setValue(ControlState* c, const std::string& label, const std::string& value, std::string& why) {
    double d;
    long n;
    Vec3 vec;
    switch (c->descType) {
      case LWT_INTEGER: case LWT_BOOLEAN: case LWT_MLIST:
        if (!toInt(value, &n)) return fail(why, "\"" + label + "\" wants a whole number");
        c->intValue = int(n);
        break;
      case LWT_CHOICE: case LWT_POPUP: return chooseItem(c, label, value, why);
      case LWT_FLOAT: case LWT_DISTANCE: case LWT_PERCENT: case LWT_RANGE:
        if (!toDouble(value, &d)) return fail(why, "\"" + label + "\" wants a number");
        c->floatValue = d;
        if (c->descType == LWT_RANGE) c->intValue = int(std::lround(d));
        break;
      case LWT_STRING: c->stringValue = value; break;
      case LWT_VINT:
        if (!toVec3(value, &vec)) return fail(why, "\"" + label + "\" wants x,y,z");
        for (size_t i = 0; i < 3; ++i) c->ivec[i] = int(std::lround(vec[i]));
        break;
      case LWT_VFLOAT: case LWT_VDIST:
        if (!toVec3(value, &vec)) return fail(why, "\"" + label + "\" wants x,y,z");
        for (size_t i = 0; i < 3; ++i) c->fvec[i] = vec[i];
        break;
      default: return fail(why, "\"" + label + "\" holds no value to type (a button? use Press)");
    }
    fire(c);
    return true;
  }

  // Chooses an item by its text or number and fires the event.
  static bool chooseItem(ControlState* c, const std::string& label, const std::string& item, std::string& why) {
    std::vector<std::string> items = c->currentItems();
    if (items.empty() && c->popup.countFn && c->popup.nameFn) {
      const int count = c->popup.countFn(c->userData);
      for (int i = 0; i < count; ++i) {
        const char* name = c->popup.nameFn(c->userData, i);
        items.push_back(name ? name : "");
      }
    }
    long index = -1;
    for (size_t i = 0; i < items.size() && index < 0; ++i)
      if (items[i] == item) index = long(i);
    if (index < 0 && (!toInt(item, &index) || index < 0 || size_t(index) >= items.size()))
      return fail(why, "\"" + label + "\" has no item \"" + item + "\"");
    c->intValue = int(index);
    fire(c);
    return true;
  }

  // Dialog "LABEL" VALUE ... [ok|cancel]: what the user does in the next blocking panel
  // (a command's dialog). A value the dialog cannot take is reported after the run line
  // that opened it.
  bool dialog(const std::string&, const std::vector<Token>& t, std::string& why) {
    std::vector<std::pair<std::string, std::string>> edits;
    int answer = 1;
    size_t i = 1;
    for (; i + 1 < t.size(); i += 2) edits.emplace_back(t[i].text, t[i + 1].text);
    if (i < t.size()) {
      if (t[i].text == "ok") answer = 1;
      else if (t[i].text == "cancel") answer = 0;
      else return fail(why, "Dialog takes \"LABEL\" VALUE pairs and then ok or cancel");
    }
    std::vector<std::string>* problems = &dialogProblems_;
    host_.dialogScripts.push_back([edits, answer, problems](PanelState& p) {
      for (const auto& [label, value] : edits) {
        std::string why;
        ControlState* c = p.control(label);
        if (!c) problems->push_back("dialog \"" + p.title + "\" has no control \"" + label + "\"");
        else if (!setValue(c, label, value, why)) problems->push_back(why);
      }
      return answer;
    });
    return true;
  }

  bool answer(const std::string&, const std::vector<Token>& t, std::string& why) {
    const bool forPanel = t.size() == 3 && t[1].text == "panel";
    if (t.size() != 2 && !forPanel) return fail(why, "Answer needs one answer");
    const std::string& word = t.back().text;
    static const std::map<std::string, int> words = {{"ok", 1}, {"yes", 1}, {"cancel", 0}, {"no", 0}};
    long value;
    if (words.count(word)) value = words.at(word);
    else if (!toInt(word, &value)) return fail(why, "Answer takes ok, cancel, yes, no or a number");
    (forPanel ? host_.panelAnswers : host_.answers).push_back(int(value));
    return true;
  }

  bool cancelAfter(const std::string&, const std::vector<Token>& t, std::string& why) {
    long n;
    if (t.size() != 2 || !toInt(t[1].text, &n) || n < -1) return fail(why, "CancelMonitorAfter needs a step count (-1: never)");
    host_.cancelMonitorAfter = int(n);
    return true;
  }

  bool saveObjects(const std::string&, const std::vector<Token>&, std::string& why) {
    return session_.command("SaveAllObjects", &why);
  }

  bool saveScene(const std::string&, const std::vector<Token>&, std::string& why) { return session_.saveScene(&why); }

  bool redraw(const std::string&, const std::vector<Token>&, std::string& why) {
    return session_.command("RedrawNow", &why);
  }

  // Picture [N] [FILE]: a number first is the viewport, anything else the file.
  bool picture(const std::string&, const std::vector<Token>& t, std::string& why) {
    long n = 0;
    size_t next = 1;
    if (t.size() > next && !t[next].quoted && toInt(t[next].text, &n)) ++next;
    if (n < 0 || size_t(n) >= host_.viewports.size())
      return fail(why, "Picture: no viewport " + std::to_string(n) + " (there are " +
                           std::to_string(host_.viewports.size()) + ")");
    if (t.size() > next + 1) return fail(why, "Picture takes a viewport number and a file name");
    const std::string file = t.size() > next ? t[next].text : "view" + std::to_string(n) + ".png";
    host_.redrawViewports();
    return session_.writePicture(int(n), file, &why);
  }

  // PanelPicture FILE [TITLE]: the open panel of that title, "Velmora" when none is given.
  // "{lang}" in FILE becomes the host's language, so one script names both pictures.
  bool panelPicture(const std::string&, const std::vector<Token>& t, std::string& why) {
    if (t.size() < 2 || t.size() > 3) return fail(why, "PanelPicture takes a file name and a panel title");
    std::string file = t[1].text;
    const std::string language = (host_.localeId & 0xFFFF) == 0x0411 ? "ja" : "en";
    for (size_t at; (at = file.find("{lang}")) != std::string::npos;) file.replace(at, 6, language);
    return session_.writePanelPicture(t.size() == 3 ? t[2].text : "Velmora", file, &why);
  }

  bool ring(const RingRequest& request, const std::string& what, std::string& why) {
    RingOutcome outcome;
    const size_t logIndex = host_.commandLog.size();
    const bool ok = runRingRequest(host_, request, &outcome, &why);
    session_.ownCommandsFrom(logIndex);
    if (!ok) return false;
    session_.note("host-side stand-in for a paint stroke: " + what + " through " + kMeshEditCommand +
                  (outcome.dataSent ? "" : " (the command asked for no data)"));
    return true;
  }

  bool storeWeights(const std::string&, const std::vector<Token>& t, std::string& why) {
    if (t.size() < 3) return fail(why, "StoreWeights needs a map name and values (or gradient)");
    RingRequest request;
    if (t[2].text == "gradient") {
      const SimItem* object = host_.scene.find(session_.mainObject());
      if (!object) return fail(why, "no object to write a gradient on");
      long n = 48;
      if (t.size() > 3 && (!toInt(t[3].text, &n) || n < 1)) return fail(why, "gradient wants a point count");
      request = gradientStroke(*object->mesh, t[1].text, size_t(n));
    } else {
      request.map = t[1].text;
      for (size_t i = 2; i < t.size(); ++i) {
        const size_t eq = t[i].text.find('=');
        long index;
        double value;
        if (eq == std::string::npos || !toInt(t[i].text.substr(0, eq), &index) || index < 0 ||
            !toDouble(t[i].text.substr(eq + 1), &value))
          return fail(why, "StoreWeights wants INDEX=VALUE, got \"" + t[i].text + "\"");
        request.indices.push_back(int32_t(index));
        request.values.push_back(float(value));
      }
    }
    return ring(request, std::to_string(request.indices.size()) + " values of \"" + request.map + "\"", why);
  }

  bool deleteMap(const std::string&, const std::vector<Token>& t, std::string& why) {
    if (t.size() != 2) return fail(why, "DeleteWeightMap needs a map name");
    RingRequest request;
    request.op = RingOp::DeleteMap;
    request.map = t[1].text;
    return ring(request, "delete \"" + request.map + "\"", why);
  }

  bool renameMap(const std::string&, const std::vector<Token>& t, std::string& why) {
    if (t.size() != 3) return fail(why, "RenameWeightMap needs the old and the new name");
    RingRequest request;
    request.op = RingOp::RenameMap;
    request.map = t[1].text;
    request.newName = t[2].text;
    return ring(request, "rename \"" + request.map + "\" to \"" + request.newName + "\"", why);
  }

  static bool fail(std::string& why, const std::string& message) {
    why = message;
    return false;
  }

  Session& session_;
  Host& host_;
  std::vector<std::string> dialogProblems_;  // filled by queued dialog scripts
  int view_ = 0;  // viewport of the mouse actions
};

}  // namespace

std::vector<ScriptLine> parseScript(std::string_view text) {
  std::vector<ScriptLine> out;
  int number = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    ++number;
    // A '#' outside quotes starts a comment.
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '"') quoted = !quoted;
      if (line[i] == '#' && !quoted) {
        line.resize(i);
        break;
      }
    }
    const size_t a = line.find_first_not_of(" \t\r");
    if (a != std::string::npos) {
      const size_t b = line.find_last_not_of(" \t\r");
      out.push_back({number, line.substr(a, b - a + 1)});
    }
    if (end == text.size()) break;
    start = end + 1;
  }
  return out;
}

bool runScript(Session& session, const std::vector<ScriptLine>& lines, ScriptError* error) {
  Runner runner(session);
  for (const ScriptLine& line : lines) {
    std::string why;
    const bool ok = runner.run(line.text, why);
    session.flushMessages();
    if (!ok) {
      if (error) *error = {line.number, why.empty() ? "failed: " + line.text : why};
      return false;
    }
  }
  return true;
}

std::string scriptHelp() {
  return R"(Script actions (one per line; '#' starts a comment; "quotes" keep spaces):
  SelectItem NAME | HEXID          select an item by name or id      SelectItem Limb
  Tool NAME                        activate a Layout tool           Tool KTQ_VelmoraTool
  ChangeTool                       leave the active tool            ChangeTool
  Viewport N [type=T] [center=x,y,z] [rotation=h,p,b] [zoom=Z] [size=WxH]
                                   set up viewport N (T: top bottom back front right
                                   left persp; rotation in degrees)
                                                                    Viewport 0 type=front center=0,1.5,0 zoom=2
  Press X Y [left|right] [shift] [ctrl] [alt] [view=N]
                                   mouse button down in a viewport  Press 320 240 left shift
  Drag X1 Y1 [X2 Y2 ...]           move the pressed mouse           Drag 330 230 340 220
  Release X Y                      mouse button up                  Release 340 220
  Stroke X1 Y1 X2 Y2 [...] [steps=N] [left|right] [shift] [ctrl] [alt] [view=N]
                                   press, N drags spread along the polyline (default 8),
                                   release at its end               Stroke 300 300 500 300 steps=20
  Press "LABEL"                    press a button on the open panel Press "Smooth"
  Panel "LABEL" VALUE              type a value into a control      Panel "Radius" 0.25
  Menu "LABEL" ITEM                choose a menu item (text or number)
                                                                    Menu "Mode" "Add"
  Dialog "LABEL" VALUE ... [ok|cancel]
                                   what the user does in the next dialog (a blocking panel):
                                   set each control, then close it (default ok); a
                                   multi-list takes a row number, a pop-up an item
                                                                    Dialog "New Name" Arm ok
  Answer [panel] ok|cancel|yes|no|N
                                   answer the next question (yes/ok 1, no/cancel 0; give
                                   the number for three-way questions: Yes 2, No 1,
                                   Cancel 0); "panel" answers the next blocking panel
                                                                    Answer no
  CancelMonitorAfter N             cancel progress monitors after N steps (-1: never)
                                                                    CancelMonitorAfter 3
  SaveObjects                      save modified objects to the output folder
                                                                    SaveObjects
  SaveScene                        save the scene to the output folder
                                                                    SaveScene
  Redraw                           redraw the viewports             Redraw
  Picture [N] [FILE]               redraw and save viewport N (default 0) as a PNG in the
                                   output folder (default viewN.png; the run ends by
                                   writing view0.png, view1.png ... for every viewport)
                                                                    Picture 0 before.png
  PanelPicture FILE ["TITLE"]      redraw the open panel TITLE (default "Velmora", the edit
                                   panel) and save a picture of it as a PNG in the output
                                   folder: controls with their labels and values, ghosted
                                   ones in greys, and what the module drew on the panel;
                                   "{lang}" in FILE becomes en or ja (--language)
                                                                    PanelPicture panel_{lang}.png
  StoreWeights MAP INDEX=VALUE ... | StoreWeights MAP gradient [N]
                                   host-side stand-in for a paint stroke: plays the tool's
                                   half of the module's ring and runs its mesh-edit command
                                   (the tool must not be active; a value <= -100000 removes
                                   the point from the map)
                                                                    StoreWeights Demo 0=1 5=0.5
  DeleteWeightMap MAP              the same stand-in, deleting a map
                                                                    DeleteWeightMap Demo
  RenameWeightMap OLD NEW          the same stand-in, renaming a map
                                                                    RenameWeightMap Demo Arm
  anything else                    a host command as typed in Layout
                                                                    ItemVisibility 3
An action that fails stops the run with its line number.
)";
}

std::string demoScript(const std::string& object) {
  return "# The built-in demo: one stroke of the tool's default \"Brush\" across the limb,\n"
         "# written to the object's current weight map at the release.\n"
         "Viewport 0 type=persp center=0,1.4,0 rotation=35,20,0 zoom=6 size=640x480\n"
         "SelectItem " + object + "\n"
         "Tool KTQ_VelmoraTool\n"
         "Stroke 290 330 320 260 350 190 steps=24\n"
         "ChangeTool\n"
         "SaveObjects\n";
}

}  // namespace sim::app
