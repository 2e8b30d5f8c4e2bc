#include "data/shapelib_hooks.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>
#include <utility>

#include "data/host_error.h"
#include "files/file_error.h"
#include "files/replace_file.h"

namespace host {

namespace {

struct Kept {
  std::unordered_map<SAFile, std::string> paths; // of the files open through the hooks
  std::string failure;                           // the first failure since it was last taken
  int open_error = 0;                            // errno of the last open that failed
  std::string library_line;                      // the library's last complaint
};

Kept& kept() {
  thread_local Kept state;
  return state;
}

std::FILE* file_of(SAFile file) {
  return reinterpret_cast<std::FILE*>(file);
}

void keep_failure(const std::string& path, const char* what) {
  const int error = errno;
  auto& state = kept();
  if (state.failure.empty())
    state.failure = path + ": " + what + ": " + files::failure_reason(error ? error : EIO);
}

void keep_failure(SAFile file, const char* what) {
  const auto& paths = kept().paths;
  const auto path = paths.find(file);
  keep_failure(path == paths.end() ? std::string("a file") : path->second, what);
}

SAFile open(const char* name, const char* access) {
  errno = 0;
  std::FILE* file = std::fopen(name, access);
  auto& state = kept();
  if (!file) {
    state.open_error = errno;
    return nullptr;
  }
  const auto handle = reinterpret_cast<SAFile>(file);
  state.paths[handle] = name;
  return handle;
}

SAOffset read(void* p, SAOffset size, SAOffset count, SAFile file) {
  return std::fread(p, size, count, file_of(file));
}

SAOffset write(void* p, SAOffset size, SAOffset count, SAFile file) {
  if (files::testing::write_error) {
    const auto& paths = kept().paths;
    const auto path = paths.find(file);
    if (const int error = files::testing::write_error(path == paths.end() ? "" : path->second)) {
      errno = error;
      keep_failure(file, "cannot be written");
      return 0;
    }
  }
  errno = 0;
  const SAOffset done = std::fwrite(p, size, count, file_of(file));
  if (done != count)
    keep_failure(file, "cannot be written");
  return done;
}

SAOffset seek(SAFile file, SAOffset offset, int whence) {
  return std::fseek(file_of(file), long(offset), whence);
}

SAOffset tell(SAFile file) {
  return SAOffset(std::ftell(file_of(file)));
}

int flush(SAFile file) {
  errno = 0;
  const int result = std::fflush(file_of(file));
  if (result != 0)
    keep_failure(file, "cannot be written");
  return result;
}

int close(SAFile file) {
  auto& paths = kept().paths;
  const auto path = paths.find(file);
  std::string name = path == paths.end() ? std::string("a file") : path->second;
  if (path != paths.end())
    paths.erase(path);
  errno = 0;
  const int result = std::fclose(file_of(file));
  if (result != 0)
    keep_failure(name, "cannot be written");
  return result;
}

int remove(const char* name) {
  return std::remove(name);
}

void error(const char* message) {
  kept().library_line = message ? message : "";
}

double to_number(const char* text) {
  return std::atof(text);
}

} // namespace

SAHooks* checked_hooks() {
  static SAHooks hooks{open, read, write, seek, tell, flush, close, remove, error, to_number};
  return &hooks;
}

std::string take_write_failure() {
  auto& state = kept();
  state.library_line.clear();
  return std::exchange(state.failure, std::string());
}

void raise_write_failure() {
  const std::string failure = take_write_failure();
  if (!failure.empty())
    throw HostError::about_file(failure);
}

std::string open_failure(const std::string& path) {
  auto& state = kept();
  const int error = std::exchange(state.open_error, 0);
  const std::string line = std::exchange(state.library_line, std::string());
  if (error)
    return path + ": cannot be opened: " + files::failure_reason(error);
  return path + ": cannot be opened" + (line.empty() ? std::string() : " (" + line + ")");
}

} // namespace host
