#include "com/registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <system_error>

#include "com/letter_case.h"
#include "files/file_error.h"
#include "files/replace_file.h"
#include "files/unchanged_since.h"

namespace com {
namespace {

// The file is a list of sections, one per class, each a set of key=value lines:
//   [{CLSID}]
//   Class=CreateNetwork
//   ProgID=Corvane.CreateNetwork
//   Module=/path/libcorvane.so
//   Category=Corvane Commands
//   Interface=ICommand
//   Members=Caption: string; OnClick()
// "Members" belongs to the "Interface" line before it. Lines it does not know are ignored.

std::string one_line(std::string_view value) {
  std::string line(value);
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  return line;
}

void add_value(ClassInfo& info, std::string_view key, std::string_view value) {
  if (key == "Class")
    info.class_name = value;
  else if (key == "ProgID")
    info.prog_id = value;
  else if (key == "Module")
    info.module_path = value;
  else if (key == "Category")
    info.category = value;
  else if (key == "Interface")
    info.interfaces.push_back({std::string(value), {}});
  else if (key == "Members" && !info.interfaces.empty())
    info.interfaces.back().members = value;
}

std::vector<ClassInfo> parse(std::istream& in) {
  std::vector<ClassInfo> classes;
  bool in_class = false; // false inside a section whose CLSID is malformed
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (line.empty() || line.front() == '#')
      continue;
    if (line.front() == '[' && line.back() == ']') {
      const auto clsid = parse_guid(std::string_view(line).substr(1, line.size() - 2));
      in_class = clsid.has_value();
      if (in_class) {
        classes.emplace_back();
        classes.back().clsid = *clsid;
      }
      continue;
    }
    const auto equals = line.find('=');
    if (in_class && equals != std::string::npos)
      add_value(classes.back(), std::string_view(line).substr(0, equals),
                std::string_view(line).substr(equals + 1));
  }
  return classes;
}

void write(std::ostream& out, const std::vector<ClassInfo>& classes) {
  out << "# Component class registry. Written by the modules' DllRegisterServer.\n";
  for (const auto& c : classes) {
    out << '\n' << '[' << to_string(c.clsid) << "]\n";
    out << "Class=" << one_line(c.class_name) << '\n';
    out << "ProgID=" << one_line(c.prog_id) << '\n';
    out << "Module=" << one_line(c.module_path.string()) << '\n';
    if (!c.category.empty())
      out << "Category=" << one_line(c.category) << '\n';
    for (const auto& i : c.interfaces) {
      out << "Interface=" << one_line(i.name) << '\n';
      if (!i.members.empty())
        out << "Members=" << one_line(i.members) << '\n';
    }
  }
}

std::vector<ClassInfo> read_registry(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return in ? parse(in) : std::vector<ClassInfo>{};
}

// Holds an exclusive lock on "<registry>.lock" for one read-modify-write of the registry.
class WriterLock {
public:
  explicit WriterLock(const std::filesystem::path& registry) {
    const auto lock_path = registry.string() + ".lock";
    fd_ = ::open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
      ::close(fd_);
      fd_ = -1;
    }
  }
  WriterLock(const WriterLock&) = delete;
  WriterLock& operator=(const WriterLock&) = delete;
  ~WriterLock() {
    if (fd_ >= 0)
      ::close(fd_); // closing releases the lock
  }
  bool held() const { return fd_ >= 0; }

private:
  int fd_ = -1;
};

// Applies `change` to the registry's classes under the writer lock and replaces the file.
template <class Change> HRESULT update_registry(Change change) {
  const auto path = registry_path();
  std::error_code error;
  if (path.has_parent_path())
    std::filesystem::create_directories(path.parent_path(), error);
  const WriterLock lock(path);
  if (!lock.held())
    return E_FAIL;

  auto classes = read_registry(path);
  change(classes);

  std::ostringstream text;
  write(text, classes);
  const std::string contents = text.str();
  try {
    files::replace_contents(path, contents);
  } catch (const files::FileError&) {
    return E_FAIL;
  }
  return S_OK;
}

std::filesystem::path home_folder() {
  if (const char* home = std::getenv("HOME"); home && *home)
    return home;
  return std::filesystem::current_path();
}

} // namespace

std::filesystem::path registry_path() {
  if (const char* path = std::getenv("CORVANE_REGISTRY"); path && *path)
    return path;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
    return std::filesystem::path(config) / "corvane" / "registry";
  return home_folder() / ".config" / "corvane" / "registry";
}

namespace {

using Classes = std::shared_ptr<const std::vector<ClassInfo>>;

// Every creation by ProgID looks up its class, thousands of times when a click draws many
// markers: what was read is kept, and shared rather than copied, while the file stands as it
// was (a registration replaces it, a new file).
Classes class_snapshot() {
  const auto path = registry_path();
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0)
    return std::make_shared<const std::vector<ClassInfo>>(read_registry(path));
  struct Kept {
    std::filesystem::path path;
    struct stat status;
    Classes classes;
  };
  static std::mutex mutex;
  static std::optional<Kept> kept;
  const std::scoped_lock lock(mutex);
  if (kept && kept->path == path && files::same_status(kept->status, status))
    return kept->classes;
  const auto read_at = std::chrono::system_clock::now();
  auto classes = std::make_shared<const std::vector<ClassInfo>>(read_registry(path));
  if (files::time_moves_with_next_change(status, read_at))
    kept = Kept{path, status, classes};
  else
    kept.reset();
  return classes;
}

template <class Matches> std::optional<ClassInfo> find_class(Matches matches) {
  const auto classes = class_snapshot();
  const auto found = std::ranges::find_if(*classes, matches);
  if (found == classes->end())
    return std::nullopt;
  return *found;
}

} // namespace

std::vector<ClassInfo> registered_classes() {
  return *class_snapshot();
}

std::vector<ClassInfo> registered_classes_in_category(std::string_view category) {
  const auto all = class_snapshot();
  std::vector<ClassInfo> classes;
  for (const auto& c : *all)
    if (c.category == category)
      classes.push_back(c);
  return classes;
}

std::optional<ClassInfo> find_registered_class(std::string_view prog_id) {
  return find_class([&](const ClassInfo& c) { return equal_ignoring_case(c.prog_id, prog_id); });
}

std::optional<ClassInfo> find_registered_class(const CLSID& clsid) {
  return find_class([&](const ClassInfo& c) { return c.clsid == clsid; });
}

HRESULT CLSIDFromProgID(std::string_view prog_id, CLSID& clsid) {
  const auto found = find_registered_class(prog_id);
  if (!found)
    return REGDB_E_CLASSNOTREG;
  clsid = found->clsid;
  return S_OK;
}

HRESULT register_classes(const std::vector<ClassInfo>& added) {
  return update_registry([&](std::vector<ClassInfo>& classes) {
    std::erase_if(classes, [&](const ClassInfo& old) {
      return std::ranges::any_of(added, [&](const ClassInfo& a) {
        return a.clsid == old.clsid ||
               (!a.prog_id.empty() && equal_ignoring_case(a.prog_id, old.prog_id));
      });
    });
    classes.insert(classes.end(), added.begin(), added.end());
  });
}

HRESULT unregister_classes(const std::vector<CLSID>& clsids) {
  return update_registry([&](std::vector<ClassInfo>& classes) {
    std::erase_if(classes, [&](const ClassInfo& c) {
      return std::ranges::find(clsids, c.clsid) != clsids.end();
    });
  });
}

std::string describe_classes(const std::vector<ClassInfo>& classes) {
  std::ostringstream out;
  for (const auto& c : classes) {
    out << c.prog_id << ' ' << to_string(c.clsid) << '\n';
    out << "  class " << c.class_name;
    if (!c.category.empty())
      out << ", category \"" << c.category << '"';
    out << '\n' << "  module " << c.module_path.string() << '\n';
    for (const auto& i : c.interfaces) {
      out << "  interface " << i.name;
      if (!i.members.empty())
        out << ": " << i.members;
      out << '\n';
    }
  }
  return out.str();
}

} // namespace com
