#include "result_field.h"

#include "files/all_bytes.h"
#include "files/dbf_header.h"
#include "files/file_error.h"
#include "files/replace_together.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

namespace tamix {
namespace {

constexpr std::size_t chunk_bytes = std::size_t{4} << 20;

struct Column {
  std::uint32_t rows = 0;
  std::uint64_t first_record = 0; // file offset of record 0
  std::uint32_t record_length = 0;
  std::uint32_t offset = 0; // of the field inside a record
  std::uint32_t width = 0;
  std::uint32_t decimals = 0;

  std::uint64_t position(std::uint32_t row) const {
    return first_record + std::uint64_t{row} * record_length + offset;
  }
};

bool same_name(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

// Runs a check of the shared file layer, turning its refusal into the engine's.
template <class Check> auto checked(Check check) {
  try {
    return check();
  } catch (const files::FileError& refused) {
    throw Error(code::output_file_failed, std::string("result table ") + refused.what());
  }
}

class OpenTable {
public:
  explicit OpenTable(const std::filesystem::path& dbf, int flags) : dbf_(dbf) {
    checked([&] { files::finish_decided_replacement(dbf_); });
    errno = 0;
    fd_ = ::open(dbf.c_str(), flags | O_CLOEXEC);
    if (fd_ < 0)
      fail("cannot be opened");
  }
  ~OpenTable() {
    if (fd_ >= 0)
      ::close(fd_);
  }
  OpenTable(const OpenTable&) = delete;
  OpenTable& operator=(const OpenTable&) = delete;

  [[noreturn]] void fail(const std::string& why) const {
    throw Error(code::output_file_failed, account(why));
  }
  [[noreturn]] void not_written() const { throw NotWritten(account("cannot be written")); }
  void read(void* data, std::size_t size, std::uint64_t at) const {
    errno = 0;
    if (::pread(fd_, data, size, static_cast<off_t>(at)) != static_cast<ssize_t>(size))
      fail("cannot be read");
  }
  void write(const void* data, std::size_t size, std::uint64_t at) const {
    if (!files::write_all_at(fd_, data, size, at))
      not_written();
  }
  // The table's header, checked against the file before anything is read or written.
  files::DbfHeader header() const {
    return checked([&] { return files::read_dbf_header(fd_, dbf_); });
  }

private:
  std::string account(const std::string& why) const {
    const int error = errno ? errno : EIO;
    return "result table " + dbf_.string() + ": " + why + ": " + files::failure_reason(error);
  }

  std::filesystem::path dbf_;
  int fd_ = -1;
};

Column find_column(const OpenTable& table, const std::string& name) {
  const files::DbfHeader header = table.header();
  for (const files::DbfField& field : header.fields) {
    if (!same_name(field.name, name))
      continue;
    const char type = static_cast<char>(std::toupper(static_cast<unsigned char>(field.type)));
    if (type != 'N' && type != 'F')
      throw Error(code::field_not_numeric,
                  "field " + name + " of " + std::string(1, type) + " type is not numeric");
    Column column;
    column.rows = header.record_count;
    column.first_record = header.header_length;
    column.record_length = header.record_length;
    column.offset = field.offset;
    column.width = field.width;
    column.decimals = field.decimals;
    return column;
  }
  throw Error(code::field_not_found, "no field " + name + " in the result table");
}

} // namespace

std::string dbf_number_text(double value, std::uint32_t width, std::uint32_t decimals) {
  if (!std::isfinite(value))
    return std::string(width, ' ');
  // to_chars rounds as printf's "%.*f" does, several times faster: a whole column of a large
  // network is written at each run.
  char text[512];
  for (int places = static_cast<int>(decimals); places >= 0; --places) {
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, places);
    const auto length = static_cast<std::uint32_t>(end - text);
    if (error == std::errc() && length <= width)
      return std::string(width - length, ' ').append(text, length);
  }
  return std::string(width, '*');
}

ResultField::ResultField(std::filesystem::path dbf, std::string name)
    : dbf_(std::move(dbf)), name_(std::move(name)) {
  find_column(OpenTable(dbf_, O_RDONLY), name_);
}

void ResultField::clear() const {
  write_rows({});
}

void ResultField::write_rows(std::span<const double> by_row) const {
  const OpenTable table(dbf_, O_RDWR);
  const Column column = find_column(table, name_);
  if (by_row.size() > column.rows)
    throw Error(code::out_of_bounds, std::to_string(by_row.size()) + " values for the " +
                                         std::to_string(column.rows) + " rows of " + dbf_.string());
  const std::string zero = dbf_number_text(0.0, column.width, column.decimals);
  // Runs of equal values (zeros above all, but also a centre's number) share one text.
  double last_value = 0;
  std::string last_text = zero;
  const auto text_of = [&](std::uint32_t row) -> const std::string& {
    const double value = row < by_row.size() ? by_row[row] : 0.0;
    if (value == 0)
      return zero;
    if (value != last_value) {
      last_value = value;
      last_text = dbf_number_text(value, column.width, column.decimals);
    }
    return last_text;
  };
  const std::uint32_t rows_per_chunk =
      std::max<std::uint32_t>(1, chunk_bytes / column.record_length);
  std::vector<char> chunk;
  // Read, patch and write back whole runs of records: one system call per few megabytes, and
  // runs that already hold their values are not written at all.
  for (std::uint32_t first = 0; first < column.rows; first += rows_per_chunk) {
    const std::uint32_t rows = std::min(rows_per_chunk, column.rows - first);
    const std::uint64_t start = column.first_record + std::uint64_t{first} * column.record_length;
    chunk.resize(std::size_t{rows} * column.record_length);
    table.read(chunk.data(), chunk.size(), start);
    bool changed = false;
    for (std::uint32_t row = 0; row < rows; ++row) {
      char* field = chunk.data() + std::size_t{row} * column.record_length + column.offset;
      const std::string& text = text_of(first + row);
      if (std::memcmp(field, text.data(), column.width) != 0) {
        std::memcpy(field, text.data(), column.width);
        changed = true;
      }
    }
    if (changed)
      table.write(chunk.data(), chunk.size(), start);
  }
}

void ResultField::write(std::span<const ResultValue> values) const {
  const OpenTable table(dbf_, O_RDWR);
  const Column column = find_column(table, name_);
  for (const ResultValue& v : values)
    if (v.row >= column.rows)
      throw Error(code::out_of_bounds, "row " + std::to_string(v.row) + " is beyond the " +
                                           std::to_string(column.rows) + " rows of " +
                                           dbf_.string());
  for (const ResultValue& v : values) {
    const std::string text = dbf_number_text(v.value, column.width, column.decimals);
    table.write(text.data(), text.size(), column.position(v.row));
  }
}

} // namespace tamix
