#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

// A work folder holding a copy of the sample network, removed with the object.
struct SampleFolder {
  std::filesystem::path path;

  explicit SampleFolder(const std::string& name)
      : path(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    std::filesystem::copy(std::filesystem::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg",
                          path / "gothenburg");
  }
  ~SampleFolder() { std::filesystem::remove_all(path); }

  // Runs gishost with the test add-in on the session text in this folder; the transcript
  // and the exit status come back, standard error is kept for `errors`.
  std::string run(const std::string& session, int& status) const {
    std::ofstream(path / "test.session") << session;
    const std::string command = "cd '" + path.string() +
                                "' && " CORVANE_BINARY_DIR "/bin/gishost --addin " TEST_ADDIN
                                " test.session > transcript.txt 2> errors.txt";
    status = std::system(command.c_str());
    return read("transcript.txt");
  }

  std::string errors() const { return read("errors.txt"); }

private:
  std::string read(const std::string& name) const {
    std::ifstream in(path / name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
};
