#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "com/unknown.h"
#include "host/application.h"
#include "host/command.h"
#include "session/command_bars.h"
#include "session/map_changes.h"
#include "session/script.h"
#include "session/session_user.h"
#include "session/transcript.h"

namespace host::session {

// Draws the document's focus map to an SVG file; throws SessionError when it cannot.
using MapExport = std::function<void(HostDocument& document, const std::filesystem::path& file)>;

// Carries out a session's lines one after the other as the user's actions on the host. After
// each line the transcript tells what changed on the map, read from the map itself. The first
// line that cannot be carried out, or an expectation that fails, ends the run with
// "error LINE: WHAT" in the transcript.
class Session {
public:
  Session(Transcript& transcript, com::ComPtr<HostApplication> application, CommandBars& bars,
          SessionUser& user, MapExport export_map);

  // 0 when every line was carried out, 1 otherwise.
  int run(const std::vector<ScriptLine>& lines);

  // The verbs a session line may start with, in the order the reference lists them.
  static std::vector<std::string> verbs();

private:
  using Verb = void (Session::*)(Words&, int line);
  // Every verb with the member that carries it out; errors list the names from here.
  static const std::vector<std::pair<std::string, Verb>>& verb_table();

  void carry_out(const ScriptLine& line);
  void layer(Words& words, int line);
  void map(Words& words, int line);
  void view(Words& words, int line);
  void command(Words& words, int line);
  void tool(Words& words, int line);
  void click(Words& words, int line);
  void answer(Words& words, int line);
  void form(Words& words, int line);
  void edit(Words& words, int line);
  void key(Words& words, int line);
  void export_map(Words& words, int line);
  void expect(Words& words, int line);
  void show(Words& words, int line);

  com::ComPtr<HostMap> focus_map();
  // Writes what changed on the map since the last call.
  void tell_map_changes();
  bool enabled(ICommand& command, const std::string& prog_id);

  Transcript& transcript_;
  com::ComPtr<HostApplication> application_;
  CommandBars& bars_;
  SessionUser& user_;
  MapExport export_;
  com::ComPtr<ITool> current_tool_;
  std::string current_tool_id_;
  // The last tool the session picked while it was disabled, and the line that picked it: a
  // click with no tool current says why.
  std::string refused_tool_id_;
  int refused_tool_line_ = 0;
  // Session paths are taken from the folder the run started in; the map is told in its terms.
  std::filesystem::path base_ = std::filesystem::current_path();
  MapState shown_;
};

} // namespace host::session
