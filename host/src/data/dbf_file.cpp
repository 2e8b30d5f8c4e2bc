#include "data/dbf_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <utility>
#include <vector>

#include "com/letter_case.h"
#include "data/buffered_reads.h"
#include "data/dbf_layout_change.h"
#include "data/host_error.h"
#include "data/shapelib_hooks.h"
#include "files/dbf_header.h"
#include "files/dbf_layout.h"
#include "files/file_error.h"
#include "files/replace_together.h"
#include "host/fields.h"

namespace host {

namespace {

std::string iso_date(const std::string& yyyymmdd) {
  if (yyyymmdd.size() != 8)
    return yyyymmdd;
  return yyyymmdd.substr(0, 4) + "-" + yyyymmdd.substr(4, 2) + "-" + yyyymmdd.substr(6, 2);
}

std::string dbf_date(const std::string& text) {
  std::string digits;
  for (char c : text)
    if (std::isdigit(static_cast<unsigned char>(c)))
      digits += c;
  if (digits.size() != 8)
    throw HostError("\"" + text + "\" is not a date", com::E_INVALIDARG);
  return digits;
}

// The number as it fits a field of this width: with the field's decimals, or with fewer when
// its whole part needs their room; empty when not even the whole part fits.
std::string fitted_number(double value, int width, int decimals) {
  char text[64];
  for (int places = decimals; places >= 0; --places) {
    const int length = std::snprintf(text, sizeof text, "%*.*f", width, places, value);
    if (length > 0 && length <= width)
      return text;
  }
  return {};
}

DBFHandle open_dbf(const std::string& path, bool writable) {
  if (writable)
    return DBFOpenLL(path.c_str(), "rb+", checked_hooks());
  SAHooks hooks = buffered_read_hooks();
  return DBFOpenLL(path.c_str(), "rb", &hooks);
}

DBFHandle open_checked(const std::string& path, bool writable) {
  try {
    files::finish_decided_replacement(path);
    files::read_dbf_header(path);
  } catch (const files::FileError& refused) {
    throw HostError::about_file(refused.what());
  }
  return open_dbf(path, writable);
}

} // namespace

DbfFile::DbfFile(const std::string& path, bool writable)
    : DbfFile(open_checked(path, writable), path, writable) {}

DbfFile::DbfFile(DBFHandle handle, std::string path, bool writable)
    : handle_(handle), path_(std::move(path)), writable_(writable),
      code_page_(handle ? DBFGetCodePage(handle) : nullptr) {
  if (!handle_)
    throw HostError::about_file(open_failure(path_));
  load_columns();
}

DbfFile DbfFile::create(const std::string& path, const std::vector<DbfColumn>& columns) {
  // UTF-8 holds every text a table of any code page hands over, and shapelib names it in a
  // ".cpg" beside the file, which is where every reader looks for the code page.
  const DBFHandle handle = DBFCreateLL(path.c_str(), "UTF-8", checked_hooks());
  if (!handle)
    raise_write_failure(); // the ".cpg", written first, or the header
  DbfFile file(handle, path, true);
  for (const auto& column : columns)
    file.declare_column(column);
  raise_write_failure(); // the ".cpg" among them: a table without it reads as Latin-1
  return file;
}

DbfFile::DbfFile(DbfFile&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), path_(std::move(other.path_)),
      writable_(other.writable_), columns_(std::move(other.columns_)),
      code_page_(std::move(other.code_page_)) {}

DbfFile::~DbfFile() {
  if (handle_)
    DBFClose(handle_);
}

void DbfFile::load_columns() {
  columns_.clear();
  for (int i = 0; i < DBFGetFieldCount(handle_); ++i) {
    char name[XBASE_FLDNAME_LEN_READ + 1] = {};
    int width = 0, decimals = 0;
    DBFGetFieldInfo(handle_, i, name, &width, &decimals);
    columns_.push_back({name, DBFGetNativeFieldType(handle_, i), width, decimals});
  }
}

void DbfFile::fail(const std::string& what, int record) const {
  // shapelib writes a record out when the next one is touched: a call refused after a failed
  // write fails for that write's reason.
  raise_write_failure();
  throw HostError(what + " in " + path_ +
                  (record >= 0 ? " (record " + std::to_string(record) + ")" : std::string()));
}

int DbfFile::record_count() const {
  return DBFGetRecordCount(handle_);
}

int DbfFile::find(const std::string& name) const {
  for (std::size_t i = 0; i < columns_.size(); ++i)
    if (com::equal_ignoring_case(columns_[i].name, name))
      return static_cast<int>(i);
  return -1;
}

com::Variant DbfFile::read(int record, int column) const {
  if (record < 0 || record >= record_count())
    fail("no such record", record);
  if (DBFIsAttributeNULL(handle_, record, column))
    return {};
  const DbfColumn& c = columns_[static_cast<std::size_t>(column)];
  const FieldDefinition f = from_dbf(c);
  switch (f.type) {
  case field_small_integer:
    return static_cast<std::int16_t>(DBFReadIntegerAttribute(handle_, record, column));
  case field_integer:
    return static_cast<std::int32_t>(DBFReadIntegerAttribute(handle_, record, column));
  case field_single:
    return static_cast<float>(DBFReadDoubleAttribute(handle_, record, column));
  case field_double:
    return DBFReadDoubleAttribute(handle_, record, column);
  case field_date:
    return iso_date(DBFReadStringAttribute(handle_, record, column));
  default:
    return code_page_.to_utf8(DBFReadStringAttribute(handle_, record, column));
  }
}

std::vector<com::Variant> DbfFile::read_record(int record) const {
  std::vector<com::Variant> values;
  for (int i = 0; i < static_cast<int>(columns_.size()); ++i)
    values.push_back(read(record, i));
  return values;
}

void DbfFile::write(int record, int column, const com::Variant& value) {
  if (column < 0 || column >= static_cast<int>(columns_.size()))
    fail("no such field", record);
  const DbfColumn& c = columns_[static_cast<std::size_t>(column)];
  const auto mismatch = [&] {
    throw HostError("the value does not suit the field \"" + c.name + "\" of " + path_,
                    com::E_INVALIDARG);
  };
  int ok = 1;
  if (value.is_empty()) {
    ok = DBFWriteNULLAttribute(handle_, record, column);
  } else {
    switch (from_dbf(c).type) {
    case field_small_integer:
    case field_integer: {
      const auto n = value.to_int32();
      if (!n)
        mismatch();
      ok = DBFWriteIntegerAttribute(handle_, record, column, *n);
      break;
    }
    case field_single:
    case field_double: {
      const auto d = value.to_double();
      if (!d)
        mismatch();
      auto text = fitted_number(*d, c.width, c.decimals);
      ok = !text.empty() && DBFWriteAttributeDirectly(handle_, record, column, text.data());
      break;
    }
    case field_date: {
      const auto text = value.to_string();
      if (!text)
        mismatch();
      ok = DBFWriteStringAttribute(handle_, record, column, dbf_date(*text).c_str());
      break;
    }
    default: {
      const auto text = value.to_string();
      if (!text)
        mismatch();
      // A text longer than the field is cut to its width, as the platform does.
      DBFWriteStringAttribute(
          handle_, record, column,
          code_page_.from_utf8_within(*text, static_cast<std::size_t>(c.width)).c_str());
      return;
    }
    }
  }
  if (!ok)
    fail("the value does not fit the field \"" + c.name + "\"", record);
}

int DbfFile::append() {
  const int record = record_count();
  if (columns_.empty())
    fail("a table without fields cannot take records");
  for (int i = 0; i < static_cast<int>(columns_.size()); ++i)
    if (!DBFWriteNULLAttribute(handle_, record, i))
      fail("cannot append a record", record);
  return record;
}

void DbfFile::declare_column(const DbfColumn& column) {
  if (DBFAddNativeFieldType(handle_, column.name.c_str(), column.type, column.width,
                            column.decimals) < 0)
    fail("cannot add the field \"" + column.name + "\"");
  load_columns();
}

template <class Change> void DbfFile::change_layout(Change change) {
  // Closing writes out what shapelib still holds, so the rewrite copies every value.
  DBFClose(std::exchange(handle_, nullptr));
  const auto reopen = [&] {
    handle_ = open_dbf(path_, writable_);
    if (!handle_)
      fail("cannot open the table again");
    load_columns();
  };
  try {
    change();
  } catch (...) {
    reopen();
    throw;
  }
  reopen();
}

void DbfFile::add_column(const DbfColumn& column) {
  if (find(column.name) >= 0)
    throw HostError("the field \"" + column.name + "\" exists already in " + path_,
                    com::E_INVALIDARG);
  change_layout([&] { add_dbf_column(path_, column); });
}

void DbfFile::delete_column(int column) {
  change_layout([&] { delete_dbf_column(path_, column); });
}

void DbfFile::copy_record_to(int record, DbfFile& target) const {
  const void* raw = DBFReadTuple(handle_, record);
  if (!raw || !DBFWriteTuple(target.handle_, target.record_count(), const_cast<void*>(raw)))
    fail("cannot copy a record", record);
}

DbfFile DbfFile::clone_empty(const std::string& path) const {
  // The table's own header with no record. shapelib's clone dies on a file it could not write
  // whole (a full disk), so the bytes are written and checked here.
  std::vector<unsigned char> bytes;
  try {
    bytes = files::read_dbf_header(path_).bytes;
  } catch (const files::FileError& refused) {
    throw HostError::about_file(refused.what());
  }
  std::fill_n(bytes.begin() + files::dbf::record_count_at, 4, 0);
  bytes.push_back(files::dbf::file_end);
  // The user knows the table, not the scratch file beside it.
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out)
      throw HostError::about_file(path_ + ": its new copy cannot be written: " +
                                  files::failure_reason(errno ? errno : EIO));
  }
  return DbfFile(path, true);
}

} // namespace host
