#include "session/session.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>

#include "com/create.h"
#include "com/letter_case.h"
#include "data/host_error.h"
#include "host/active_view.h"
#include "host/editor.h"
#include "host/geometry.h"
#include "host/layer.h"
#include "host/map.h"
#include "host/workspace.h"
#include "map/geometry_factory.h"
#include "map/view_transform.h"
#include "session/session_error.h"

namespace host::session {

namespace {

// Writes the failure to the transcript; the session's exit status.
int report(Transcript& transcript, const Failure& failure) {
  transcript.error("error " + std::to_string(failure.line) + ": " + failure.what);
  return 1;
}

void check(com::HRESULT hr, const std::string& what) {
  if (com::FAILED(hr))
    throw SessionError(what + " failed (" + code_text(hr) + ")");
}

// Opens data through `call`; a failure names the file and what the data layer found wrong.
template <class Call> void check_opening(Call call, const std::string& what) {
  last_error_message().clear();
  const com::HRESULT hr = call();
  if (!com::FAILED(hr))
    return;
  const std::string& reason = last_error_message();
  throw SessionError(what + " failed: " + (reason.empty() ? code_text(hr) : reason));
}

// A map point as a session writes it, to the digits that tell it from a neighbour.
std::string coordinates(double x, double y) {
  char text[64];
  std::snprintf(text, sizeof text, "%.15g %.15g", x, y);
  return text;
}

std::string word(Words& words, const std::string& what) {
  auto next = words.next();
  if (!words.error().empty())
    throw SessionError(words.error());
  if (!next)
    throw SessionError("missing " + what);
  return *next;
}

void no_more(Words& words) {
  if (!words.at_end())
    throw SessionError("unexpected \"" + words.rest() + "\"");
}

double number(Words& words, const std::string& what) {
  const auto text = word(words, what);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size())
    throw SessionError(what + " \"" + text + "\" is not a number");
  return value;
}

template <class I> com::ComPtr<I> create(std::string_view prog_id) {
  auto object = com::create_object<I>(prog_id);
  if (!object)
    throw SessionError("the host class " + std::string(prog_id) + " is not available");
  return object;
}

constexpr std::array unit_names{std::pair{"Unknown", UnknownUnits},
                                std::pair{"Inches", Inches},
                                std::pair{"Points", Points},
                                std::pair{"Feet", Feet},
                                std::pair{"Yards", Yards},
                                std::pair{"Miles", Miles},
                                std::pair{"NauticalMiles", NauticalMiles},
                                std::pair{"Millimeters", Millimeters},
                                std::pair{"Centimeters", Centimeters},
                                std::pair{"Meters", Meters},
                                std::pair{"Kilometers", Kilometers},
                                std::pair{"DecimalDegrees", DecimalDegrees},
                                std::pair{"Decimeters", Decimeters}};

} // namespace

Session::Session(Transcript& transcript, com::ComPtr<HostApplication> application,
                 CommandBars& bars, SessionUser& user, MapExport export_map)
    : transcript_(transcript), application_(std::move(application)), bars_(bars), user_(user),
      export_(std::move(export_map)) {}

int Session::run(const std::vector<ScriptLine>& lines) {
  bars_.idle();
  tell_map_changes();
  for (const auto& line : lines) {
    std::optional<Failure> failure;
    try {
      carry_out(line);
    } catch (const std::exception& error) {
      failure = Failure{line.number, error.what()};
    } catch (...) {
      failure = Failure{line.number, "the line failed with an unknown error"};
    }
    // What went wrong inside the line (a form step, an answer) came first.
    if (user_.failure())
      failure = user_.failure();
    if (!failure)
      bars_.idle();
    tell_map_changes();
    if (failure)
      return report(transcript_, *failure);
  }
  if (const auto unused = user_.unused())
    return report(transcript_, *unused);
  return 0;
}

std::vector<std::string> Session::verbs() {
  std::vector<std::string> out;
  for (const auto& [name, verb] : verb_table())
    out.push_back(name);
  return out;
}

void Session::carry_out(const ScriptLine& line) {
  Words words(line.text);
  const auto verb = word(words, "verb");
  for (const auto& [name, member] : verb_table())
    if (name == verb)
      return (this->*member)(words, line.number);
  throw SessionError("unknown verb \"" + verb + "\" (" + comma_separated(verbs()) + ")");
}

const std::vector<std::pair<std::string, Session::Verb>>& Session::verb_table() {
  static const std::vector<std::pair<std::string, Verb>> table{
      {"layer", &Session::layer},       {"map", &Session::map},
      {"view", &Session::view},         {"command", &Session::command},
      {"tool", &Session::tool},         {"click", &Session::click},
      {"answer", &Session::answer},     {"form", &Session::form},
      {"edit", &Session::edit},         {"key", &Session::key},
      {"export", &Session::export_map}, {"expect", &Session::expect},
      {"show", &Session::show}};
  return table;
}

com::ComPtr<HostMap> Session::focus_map() {
  auto document = application_->Document();
  auto map = document ? document->FocusMap() : nullptr;
  if (!map)
    throw SessionError("the document has no focus map");
  return map;
}

void Session::tell_map_changes() {
  const auto document = application_->Document();
  const auto map = document ? document->FocusMap() : nullptr;
  if (!map)
    return;
  auto now = map_state(*map, base_);
  for (const auto& line : map_changes(shown_, now))
    transcript_.line(line);
  shown_ = std::move(now);
}

void Session::layer(Words& words, int) {
  const auto action = word(words, "layer action (add or remove)");
  if (action == "remove") {
    const auto name = word(words, "layer name");
    no_more(words);
    auto map = focus_map();
    for (int i = 0; i < map->LayerCount(); ++i) {
      auto layer = map->Layer(i);
      if (layer && layer->Name() == name)
        return check(map->DeleteLayer(layer.get()), "removing " + name);
    }
    if (auto tables = map.as<HostStandaloneTableCollection>()) {
      for (int i = 0; i < tables->StandaloneTableCount(); ++i) {
        auto table = tables->StandaloneTable(i);
        if (table && table->Name() == name)
          return check(tables->RemoveStandaloneTable(table.get()), "removing " + name);
      }
    }
    throw SessionError("the map has no layer " + name);
  }
  if (action != "add")
    throw SessionError("unknown layer action \"" + action + "\" (add, remove)");

  const std::filesystem::path path = word(words, "path");
  const auto given_name = words.at_end() ? std::string() : word(words, "layer name");
  no_more(words);
  const auto extension = path.extension().string();
  if (!com::equal_ignoring_case(extension, ".shp") && !com::equal_ignoring_case(extension, ".dbf"))
    throw SessionError(path.string() + " is neither a shapefile nor a .dbf table");
  const auto folder = std::filesystem::absolute(path).parent_path();
  const auto dataset = path.stem().string();
  const auto name = given_name.empty() ? dataset : given_name;
  if (!std::filesystem::is_directory(folder))
    throw SessionError(path.string() + " does not exist");

  auto factory = create<HostWorkspaceFactory>(ShapefileWorkspaceFactoryClass);
  com::ComPtr<HostWorkspace> workspace;
  check(factory->OpenFromFile(folder.string(), 0, &workspace),
        "opening the folder " + folder.string());
  // Asked of the workspace, which first completes a replacement or removal of the set that a
  // killed run decided: the file may then stand only under its temporary name, or be gone.
  if (!workspace->Exists(path.filename().string()))
    throw SessionError(path.string() + " does not exist");
  auto features = workspace.as<HostFeatureWorkspace>();
  if (!features)
    throw SessionError(folder.string() + " is no feature workspace");
  auto map = focus_map();
  if (com::equal_ignoring_case(extension, ".dbf")) {
    com::ComPtr<HostTable> table;
    check_opening([&] { return features->OpenTable(dataset, &table); }, "opening " + path.string());
    auto standalone = create<HostStandaloneTable>(StandaloneTableClass);
    standalone->SetTable(table.get());
    standalone->SetName(name);
    auto tables = map.as<HostStandaloneTableCollection>();
    if (!tables)
      throw SessionError("the map holds no tables");
    return check(tables->AddStandaloneTable(standalone.get()), "adding " + name);
  }
  com::ComPtr<HostFeatureClass> feature_class;
  check_opening([&] { return features->OpenFeatureClass(dataset, &feature_class); },
                "opening " + path.string());
  auto layer = create<HostFeatureLayer>(FeatureLayerClass);
  layer->SetFeatureClass(feature_class.get());
  layer->SetName(name);
  check(map->AddLayer(layer.get()), "adding " + name);
}

void Session::map(Words& words, int) {
  if (const auto setting = word(words, "map setting (units)"); setting != "units")
    throw SessionError("unknown map setting \"" + setting + "\" (units)");
  const auto unit = word(words, "unit");
  no_more(words);
  for (const auto& [name, code] : unit_names) {
    if (com::equal_ignoring_case(unit, name)) {
      focus_map()->SetDistanceUnits(code);
      return;
    }
  }
  std::vector<std::string> units;
  for (const auto& entry : unit_names)
    units.emplace_back(entry.first);
  throw SessionError("unknown unit \"" + unit + "\" (" + comma_separated(units) + ")");
}

void Session::view(Words& words, int) {
  const double xmin = number(words, "XMIN");
  const double ymin = number(words, "YMIN");
  const double xmax = number(words, "XMAX");
  const double ymax = number(words, "YMAX");
  no_more(words);
  if (!std::isfinite(xmax - xmin) || !std::isfinite(ymax - ymin))
    throw SessionError("the extent is not finite");
  if (!(xmin < xmax) || !(ymin < ymax))
    throw SessionError("the extent is empty");
  auto envelope = create<HostEnvelope>(EnvelopeClass);
  envelope->PutCoords(xmin, ymin, xmax, ymax);
  auto view = application_->Document()->ActiveView();
  if (!view)
    throw SessionError("the document has no active view");
  check(view->SetExtent(envelope.get()), "setting the view");
}

bool Session::enabled(ICommand& command, const std::string& prog_id) {
  bool enabled = false;
  check(command.Enabled(&enabled), prog_id + " Enabled");
  if (!enabled)
    transcript_.line("disabled " + prog_id);
  return enabled;
}

void Session::command(Words& words, int) {
  const auto prog_id = word(words, "ProgID");
  no_more(words);
  auto command = bars_.command(prog_id);
  if (!enabled(*command, prog_id))
    return;
  check(command->OnClick(), prog_id + " OnClick");
}

void Session::tool(Words& words, int line) {
  const auto prog_id = word(words, "ProgID");
  no_more(words);
  auto command = bars_.command(prog_id);
  auto tool = command.as<ITool>();
  if (!tool)
    throw SessionError(prog_id + " is not a tool");
  if (!enabled(*command, prog_id)) {
    // As on the desktop, a disabled tool cannot be picked: the tool before stays current.
    refused_tool_id_ = prog_id;
    refused_tool_line_ = line;
    return;
  }
  refused_tool_id_.clear();
  if (current_tool_ && !com::same_object(current_tool_, tool)) {
    bool deactivated = false;
    check(current_tool_->Deactivate(&deactivated), current_tool_id_ + " Deactivate");
    if (!deactivated)
      throw SessionError(current_tool_id_ + " refused to give way");
  }
  current_tool_ = tool;
  current_tool_id_ = prog_id;
  check(command->OnClick(), prog_id + " OnClick");
}

void Session::click(Words& words, int) {
  const double x = number(words, "X");
  const double y = number(words, "Y");
  long button = LeftButton;
  long shift = 0;
  while (!words.at_end()) {
    const auto modifier = word(words, "modifier");
    if (modifier == "ctrl")
      shift |= CtrlKey;
    else if (modifier == "shift")
      shift |= ShiftKey;
    else if (modifier == "alt")
      shift |= AltKey;
    else if (modifier == "right")
      button = RightButton;
    else
      throw SessionError("unknown modifier \"" + modifier + "\" (ctrl, shift, alt, right)");
  }
  if (!current_tool_ && !refused_tool_id_.empty())
    throw SessionError("no tool is current: " + refused_tool_id_ + " was disabled when line " +
                       std::to_string(refused_tool_line_) +
                       " picked it, so the click has no tool (Corvane's tools are disabled "
                       "while no network is loaded; see \"Disabled commands and tools\" in the "
                       "session reference)");
  if (!current_tool_)
    throw SessionError("no tool is current: pick one with the verb tool first");
  if (!enabled(*current_tool_.as<ICommand>(), current_tool_id_))
    return;

  auto point = create<HostPoint>(PointClass);
  point->PutCoords(x, y);
  auto view = application_->Document()->ActiveView();
  auto display = view ? view->ScreenDisplay() : nullptr;
  auto transformation = display ? display->DisplayTransformation() : nullptr;
  if (!transformation)
    throw SessionError("the view has no display transformation");
  // Whether the point is on the screen is decided on the map: rounded to the nearest pixel, a
  // point in the last half pixel of the view, or on its far edges, would fall one pixel beyond
  // it, and is clicked on the last pixel.
  MapRect visible;
  if (!rect_of(transformation->VisibleBounds().get(), &visible))
    throw SessionError("the view has no extent");
  if (!ViewTransform{visible}.shows(x, y))
    throw SessionError("the map point " + coordinates(x, y) + " is outside the view, which shows " +
                       coordinates(visible.xmin, visible.ymin) + " to " +
                       coordinates(visible.xmax, visible.ymax));
  int px = 0;
  int py = 0;
  check(transformation->FromMapPoint(point.get(), &px, &py), "placing the point on the screen");
  px = std::clamp(px, 0, transformation->DeviceWidth() - 1);
  py = std::clamp(py, 0, transformation->DeviceHeight() - 1);
  check(current_tool_->OnMouseDown(button, shift, px, py), current_tool_id_ + " OnMouseDown");
  check(current_tool_->OnMouseUp(button, shift, px, py), current_tool_id_ + " OnMouseUp");
}

void Session::answer(Words& words, int line) {
  const auto text = word(words, "answer");
  no_more(words);
  forms::Answer answer{};
  if (!forms::parse_answer(text, answer))
    throw SessionError("unknown answer \"" + text +
                       "\" (OK, Cancel, Abort, Retry, Ignore, Yes, No)");
  user_.queue_answer(line, answer);
}

void Session::form(Words& words, int line) {
  static const std::map<std::string, forms::Gesture, std::less<>> gestures{
      {"set", forms::Gesture::Set},
      {"select", forms::Gesture::Select},
      {"check", forms::Gesture::Check},
      {"click", forms::Gesture::Click},
      {"dblclick", forms::Gesture::DoubleClick},
      {"key", forms::Gesture::Key},
      {"hover", forms::Gesture::Hover}};
  const auto name = word(words, "form name");
  const auto action = word(words, "form action");
  if (action == "close" || action == "state") {
    no_more(words);
    user_.queue_form_step(
        name, FormStep{line, {}, {}, action == "close" ? FormStep::Close : FormStep::State});
    return;
  }
  const auto gesture = gestures.find(action);
  if (gesture == gestures.end())
    throw SessionError("unknown form action \"" + action +
                       "\" (set, select, check, click, dblclick, key, hover, close, state)");
  const auto control = word(words, "control");
  std::string value = words.rest();
  const auto g = gesture->second;
  if ((g == forms::Gesture::Select || g == forms::Gesture::Check || g == forms::Gesture::Key) &&
      value.empty())
    throw SessionError("missing value for " + action);
  if ((g == forms::Gesture::Click || g == forms::Gesture::Hover) && !value.empty())
    throw SessionError("unexpected \"" + value + "\"");
  user_.queue_form_step(name, FormStep{line, control, {g, std::move(value)}, FormStep::Gesture});
}

void Session::edit(Words& words, int) {
  const auto action = word(words, "edit action (start or stop)");
  no_more(words);
  if (action != "start" && action != "stop")
    throw SessionError("unknown edit action \"" + action + "\" (start, stop)");
  auto editor = application_->FindExtensionByName(std::string(EditorExtension)).as<HostEditor>();
  if (!editor)
    throw SessionError("the host has no editor");
  const auto hr = action == "start" ? editor->StartEditing() : editor->StopEditing(true);
  if (hr == com::E_UNEXPECTED)
    throw SessionError(action == "start" ? "an edit session is already open"
                                         : "no edit session is open");
  check(hr, "edit " + action);
}

void Session::key(Words& words, int line) {
  const auto name = word(words, "key");
  no_more(words);
  if (name != "escape")
    throw SessionError("unknown key \"" + name + "\" (escape)");
  user_.queue_escape(line);
}

void Session::export_map(Words& words, int) {
  const std::filesystem::path file = word(words, "file");
  no_more(words);
  if (!com::equal_ignoring_case(file.extension().string(), ".svg"))
    throw SessionError(file.string() + " is no .svg file");
  // The picture goes into a folder that is there: export makes none.
  if (const auto folder = file.parent_path();
      !folder.empty() && !std::filesystem::is_directory(folder))
    throw SessionError("cannot write " + file.string() + ": the folder " + folder.string() +
                       (std::filesystem::exists(folder) ? " is not a folder" : " does not exist"));
  if (!export_)
    throw SessionError("this host cannot draw maps");
  export_(*application_->Document(), file);
}

void Session::expect(Words& words, int) {
  if (const auto what = word(words, "expectation (message)"); what != "message")
    throw SessionError("unknown expectation \"" + what + "\" (message)");
  const auto text = words.rest();
  const auto shown = user_.take_last_message();
  if (!shown)
    throw SessionError("expected the message " + quote(text) + ", but no message box was shown");
  if (*shown != text)
    throw SessionError("expected the message " + quote(text) +
                       ", but the last message box showed " + quote(*shown));
}

void Session::show(Words& words, int) {
  if (const auto what = word(words, "what to show (menus)"); what != "menus")
    throw SessionError("unknown thing to show \"" + what + "\" (menus)");
  no_more(words);
  for (const auto& line : bars_.describe())
    transcript_.line(line);
}

} // namespace host::session
