// gishost: the GIS host as a program. It registers the add-in and engine modules, builds the
// add-in's menus and toolbar, and carries out a session of user actions, writing what the
// user would see to standard output.
#include <dlfcn.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "com/module.h"
#include "com/registration.h"
#include "com/registry.h"
#include "forms/user.h"
#include "geometry/gdal_messages.h"
#include "map/document.h"
#include "map/user_services.h"
#include "session/command_bars.h"
#include "session/form_listing.h"
#include "session/program_classes.h"
#include "session/session.h"
#include "session/session_error.h"
#include "session/svg_export.h"

namespace {

namespace fs = std::filesystem;
using namespace host::session;

constexpr const char* usage = "usage: gishost [--addin MODULE] SESSION|-\n"
                              "       gishost [--addin MODULE] --forms\n"
                              "       gishost [--addin MODULE] --classes\n"
                              "       gishost --help\n";

constexpr const char* help =
    "\n"
    "Runs a session (a text file of user actions, or - for standard input) on the GIS host with\n"
    "the Corvane add-in and writes what the user sees to standard output; errors also go to\n"
    "standard error. The exit status is 0 when every line was carried out, 1 when a line failed\n"
    "or an expectation did not hold, 2 when the program could not start or the session holds\n"
    "no steps.\n"
    "\n"
    "  --addin MODULE  load this add-in module instead of the one built beside gishost\n"
    "  --forms         list every dialog with its caption and controls, as designed\n"
    "  --classes       list the registered classes with their interfaces\n"
    "  --help          show this text\n"
    "\n"
    "Environment: CORVANE_REGISTRY names the class registry file, CORVANE_DRIVE_ROOT the folder\n"
    "that stands for drive letters. The session language: host/gishost/README.md.\n";

enum class Listing { none, classes, forms };

struct Arguments {
  std::optional<fs::path> addin;
  std::string session;
  Listing listing = Listing::none;
  bool help = false;
};

std::optional<Arguments> parse(int argc, char** argv) {
  Arguments arguments;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--help" || argument == "-h")
      arguments.help = true;
    else if (argument == "--addin" && i + 1 < argc)
      arguments.addin = argv[++i];
    else if (argument == "--classes" && arguments.listing == Listing::none)
      arguments.listing = Listing::classes;
    else if (argument == "--forms" && arguments.listing == Listing::none)
      arguments.listing = Listing::forms;
    else if (arguments.session.empty() && (argument == "-" || argument.front() != '-'))
      arguments.session = argument;
    else
      return std::nullopt;
  }
  if (!arguments.help && (arguments.listing != Listing::none) == !arguments.session.empty())
    return std::nullopt;
  return arguments;
}

// Why the system's loader refuses a module (a missing symbol, a missing library), for the
// developer who built it; empty when it loads.
std::string loader_reason(const fs::path& module) {
  void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle) {
    ::dlclose(handle);
    return {};
  }
  const char* reason = ::dlerror();
  return reason ? std::string(": ") + reason : std::string();
}

// The add-in (the one named, else the one built beside the program) and the engine beside the
// program. A module that is not built yet is skipped; a named add-in must exist.
bool register_modules(const Arguments& arguments) {
  const auto folder = fs::canonical("/proc/self/exe").parent_path();
  std::vector<fs::path> modules;
  if (arguments.addin) {
    if (!fs::exists(*arguments.addin)) {
      std::cerr << "gishost: the add-in " << arguments.addin->string() << " does not exist\n";
      return false;
    }
    modules.push_back(fs::absolute(*arguments.addin));
  } else if (fs::exists(folder / "libcorvane.so")) {
    modules.push_back(folder / "libcorvane.so");
  }
  if (fs::exists(folder / "libtamix.so"))
    modules.push_back(folder / "libtamix.so");
  for (const auto& module : modules) {
    if (const auto hr = com::register_module(module); com::FAILED(hr)) {
      std::cerr << "gishost: registering " << module.string() << " failed (" << code_text(hr) << ")"
                << loader_reason(module) << "\n";
      return false;
    }
  }
  if (com::FAILED(register_program_classes())) {
    std::cerr << "gishost: the host's classes cannot be registered in "
              << com::registry_path().string() << "\n";
    return false;
  }
  return true;
}

int run_session(std::istream& in, const std::string& name) {
  const auto lines = read_script(in);
  // A run that does nothing most likely names the wrong file.
  if (lines.empty()) {
    std::cerr << "gishost: the session " << (name == "-" ? "on standard input" : name)
              << " holds no steps\n"
              << usage;
    return 2;
  }
  Transcript transcript(std::cout, &std::cerr);
  auto application = com::make<host::Application>();
  auto user = com::make<SessionUser>(transcript);
  forms::set_user(user);
  host::set_user_sink(user.get());
  win::set_shell_sink([&user](const win::ShellRequest& request) { user->shell(request); });
  int status = 0;
  {
    CommandBars bars(application);
    for (const auto& problem : bars.load())
      std::cerr << "gishost: " << problem << "\n";
    Session session(transcript, application, bars, *user, export_svg);
    status = session.run(lines);
  }
  win::set_shell_sink(nullptr);
  host::set_user_sink(nullptr);
  forms::set_user(nullptr);
  return status;
}

int run(const Arguments& arguments) {
  if (!register_modules(arguments))
    return 2;
  if (arguments.listing == Listing::classes) {
    std::cout << com::describe_classes(com::registered_classes());
    return 0;
  }
  if (arguments.listing == Listing::forms) {
    // Registering loaded the modules, and with them their dialogs' definitions.
    for (const auto& line : designed_forms())
      std::cout << line << "\n";
    return 0;
  }
  if (arguments.session == "-")
    return run_session(std::cin, arguments.session);
  std::ifstream file(arguments.session);
  if (!file) {
    std::cerr << "gishost: cannot read " << arguments.session << "\n";
    return 2;
  }
  return run_session(file, arguments.session);
}

} // namespace

// The host's classes are created through the registry like any other: their module is this
// program.
extern "C" __attribute__((visibility("default"))) com::HRESULT
DllGetClassObject(const com::CLSID& clsid, const com::IID& iid, void** out) {
  return program_class_object(clsid, iid, out);
}

int main(int argc, char** argv) {
  const auto arguments = parse(argc, argv);
  if (!arguments) {
    std::cerr << usage;
    return 2;
  }
  if (arguments->help) {
    std::cout << usage << help;
    return 0;
  }
  host::install_gdal_message_handler();
  try {
    return run(*arguments);
  } catch (const std::exception& error) {
    std::cerr << "gishost: " << error.what() << "\n";
    return 2;
  }
}
