#pragma once

#include <stdexcept>
#include <string>

namespace tamix {

// The engine's result codes. The component returns them as they are; the add-in turns them
// into its own texts, so the numbers must never change.
namespace code {
inline constexpr int ok = 0;
inline constexpr int not_loaded = -10;
inline constexpr int illegal_shapefile = -13;
inline constexpr int too_many_links_at_node = -14;
inline constexpr int wrong_version = -15;
inline constexpr int field_not_found = -20;
inline constexpr int field_not_numeric = -21;
inline constexpr int out_of_bounds = -30;
inline constexpr int load_failed = -31;
inline constexpr int output_file_failed = -32;
inline constexpr int not_connected = -33;
inline constexpr int no_node_index = -34;
inline constexpr int route_not_ready = -35;
inline constexpr int route_index_out_of_bounds = -36;
inline constexpr int no_results = -37;
inline constexpr int tsp_subnet = -38;
inline constexpr int general_error = -40;
inline constexpr int out_of_memory = -41;
} // namespace code

// The one exception type of the engine: every failure of input or data inside the core raises
// it, with the engine code and a message that names the file and record at fault. The component
// catches it at its boundary and returns code().
class Error : public std::runtime_error {
public:
  Error(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int code() const noexcept { return code_; }

private:
  int code_;
};

// An output the engine could not write (a full disk, a read-only folder, a table grown beyond
// its format): the message, naming the file and why, is the whole failure. An output that is
// not there or cannot be opened stays a plain Error with the same code.
class NotWritten : public Error {
public:
  explicit NotWritten(const std::string& message) : Error(code::output_file_failed, message) {}
};

} // namespace tamix
