// Every example of the session reference (host/gishost/README.md) is a pair of fenced blocks,
// "```session NAME" and "```transcript NAME". Each runs in a fresh copy of the sample network
// with the add-in and engine built beside gishost, and must write exactly its transcript.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "gishost_listing.h"
#include "session/session.h"

namespace {

namespace fs = std::filesystem;

const fs::path readme = fs::path(CORVANE_SOURCE_DIR) / "host/gishost/README.md";

std::string read_file(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Example {
  std::string name;
  std::string session;
  std::string transcript;
  bool has_transcript = false;
};

// The examples in the order their sessions appear.
std::vector<Example> examples() {
  std::vector<Example> found;
  std::map<std::string, std::size_t> by_name;
  std::istringstream in(read_file(readme));
  std::string line;
  std::string* block = nullptr;
  while (std::getline(in, line)) {
    if (block) {
      if (line == "```")
        block = nullptr;
      else
        *block += line + "\n";
      continue;
    }
    for (const std::string kind : {"session", "transcript"}) {
      const std::string fence = "```" + kind + " ";
      if (!line.starts_with(fence))
        continue;
      const auto name = line.substr(fence.size());
      if (!by_name.contains(name)) {
        by_name[name] = found.size();
        found.push_back({name, {}, {}, false});
      }
      auto& example = found[by_name[name]];
      if (kind == "transcript")
        example.has_transcript = true;
      block = kind == "session" ? &example.session : &example.transcript;
    }
  }
  return found;
}

// A failing example is named, not dumped byte by byte.
void PrintTo(const Example& example, std::ostream* out) {
  *out << example.name;
}

class ReadmeExample : public ::testing::TestWithParam<Example> {};

TEST_P(ReadmeExample, WritesItsTranscript) {
  const auto& example = GetParam();
  ASSERT_TRUE(example.has_transcript) << example.name << " has no transcript block";
  ASSERT_FALSE(example.session.empty()) << example.name << " has no session block";
  const auto work =
      fs::temp_directory_path() / ("readme-" + example.name + "-" + std::to_string(::getpid()));
  fs::remove_all(work);
  fs::create_directories(work);
  fs::copy(fs::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg", work / "gothenburg");
  std::ofstream(work / "example.session") << example.session;
  const std::string command = "cd '" + work.string() + "' && CORVANE_REGISTRY='" +
                              (work / "registry").string() +
                              "' " CORVANE_BINARY_DIR "/bin/gishost example.session"
                              " > transcript.txt 2> errors.txt";
  const int status = std::system(command.c_str());
  const auto transcript = read_file(work / "transcript.txt");
  const auto errors = read_file(work / "errors.txt");
  fs::remove_all(work);

  EXPECT_EQ(transcript, example.transcript) << errors;
  const bool should_fail = example.transcript.find("\nerror ") != std::string::npos ||
                           example.transcript.starts_with("error ");
  EXPECT_EQ(status != 0, should_fail) << errors;
  // Standard error holds nothing but the session's own error lines: no library's messages.
  std::istringstream error_lines(errors);
  for (std::string line; std::getline(error_lines, line);)
    EXPECT_TRUE(line.starts_with("gishost: error ")) << "on standard error: " << line;
}

INSTANTIATE_TEST_SUITE_P(Readme, ReadmeExample, ::testing::ValuesIn(examples()),
                         [](const ::testing::TestParamInfo<Example>& info) {
                           std::string name;
                           for (const char c : info.param.name)
                             name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

// The ProgIDs of the add-in's commands and tools, as "gishost --classes" lists them: every
// registered class with the interface ICommand.
std::vector<std::string> registered_commands() {
  int status = -1;
  std::istringstream in(gishost_listing("--classes", status));
  EXPECT_EQ(status, 0);
  std::vector<std::string> found;
  std::string prog_id;
  for (std::string line; std::getline(in, line);) {
    if (!line.starts_with(' '))
      prog_id = line.substr(0, line.find(' '));
    else if (line == "  interface ICommand" || line.starts_with("  interface ICommand:"))
      found.push_back(prog_id);
  }
  return found;
}

// ProgIDs name their class in any letter case, as the class registry finds them.
std::string lower_case(std::string text) {
  for (auto& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Each command and tool the add-in registers is picked in some example that runs, so the page
// shows how to drive every one of them.
TEST(Readme, RunsEveryRegisteredCommandAndTool) {
  std::set<std::string> picked;
  for (const auto& example : examples()) {
    std::istringstream in(example.session);
    std::string verb;
    std::string prog_id;
    for (std::string line; std::getline(in, line);) {
      std::istringstream words(line);
      if (words >> verb >> prog_id && (verb == "command" || verb == "tool"))
        picked.insert(lower_case(prog_id));
    }
  }
  const auto registered = registered_commands();
  EXPECT_FALSE(registered.empty());
  for (const auto& prog_id : registered)
    EXPECT_TRUE(picked.contains(lower_case(prog_id))) << prog_id << " has no example in " << readme;
}

TEST(Readme, NamesEveryVerb) {
  const auto text = read_file(readme);
  for (const auto& verb : host::session::Session::verbs())
    EXPECT_NE(text.find("`" + verb + " "), std::string::npos) << verb;
}

} // namespace
