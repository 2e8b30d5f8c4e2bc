#include "output_table_dbf.h"

#include "files/dbf_layout.h"
#include "error.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <string_view>

namespace tamix {
namespace {

void put_16(unsigned char* at, std::size_t value) {
  at[0] = static_cast<unsigned char>(value);
  at[1] = static_cast<unsigned char>(value >> 8);
}

void put_32(unsigned char* at, std::uint32_t value) {
  for (int k = 0; k < 4; ++k) at[k] = static_cast<unsigned char>(value >> (8 * k));
}

std::filesystem::path code_page_file(std::filesystem::path dbf) {
  return dbf.replace_extension(".cpg");
}

} // namespace

DbfWriter::DbfWriter(const std::filesystem::path& dbf)
    : file_(dbf), code_page_(code_page_file(dbf)) {
  static constexpr std::string_view utf8 = "UTF-8";
  code_page_.append(utf8.data(), utf8.size());
}

std::size_t DbfWriter::add_field(std::string_view name, char type, int width, int decimals) {
  const std::size_t header_length =
      files::dbf::header_bytes + files::dbf::descriptor_bytes * (fields_.size() + 1) + 1;
  if (record_length_ + static_cast<std::size_t>(width) > files::dbf::largest_length ||
      header_length > files::dbf::largest_length)
    throw NotWritten("field " + std::string(name) + " does not fit the table");
  Field field;
  name.copy(field.name, files::dbf::name_bytes - 1); // a zero always ends the name
  field.type = type;
  field.width = width;
  field.decimals = decimals;
  fields_.push_back(field);
  const std::size_t offset = record_length_;
  record_length_ += static_cast<std::size_t>(width);
  return offset;
}

void DbfWriter::write_header() {
  std::vector<unsigned char> header(files::dbf::header_bytes + files::dbf::descriptor_bytes * fields_.size() + 1,
                                    0);
  const std::time_t now = std::time(nullptr);
  std::tm today{};
  gmtime_r(&now, &today);
  header[0] = 0x03; // dBASE III without memo
  header[1] = static_cast<unsigned char>(today.tm_year % 256);
  header[2] = static_cast<unsigned char>(today.tm_mon + 1);
  header[3] = static_cast<unsigned char>(today.tm_mday);
  put_32(&header[files::dbf::record_count_at], records_);
  put_16(&header[files::dbf::header_length_at], header.size());
  put_16(&header[files::dbf::record_length_at], record_length_);
  unsigned char* at = &header[files::dbf::header_bytes];
  for (const Field& field : fields_) {
    std::memcpy(at, field.name, sizeof field.name);
    at[files::dbf::type_at] = static_cast<unsigned char>(field.type);
    at[files::dbf::width_at] = static_cast<unsigned char>(field.width);
    at[files::dbf::decimals_at] = static_cast<unsigned char>(field.decimals);
    at += files::dbf::descriptor_bytes;
  }
  *at = files::dbf::descriptors_end;
  if (header_written_) {
    file_.write_at(0, header.data(), header.size());
  } else {
    file_.append(header.data(), header.size());
    header_written_ = true;
  }
}

char* DbfWriter::next_record() {
  if (!header_written_) write_header();
  char* record = file_.extend(record_length_);
  std::memset(record, ' ', record_length_);
  ++records_;
  return record;
}

void DbfWriter::finish(OutputSet& set) {
  if (!header_written_) write_header();
  file_.append(&files::dbf::file_end, 1);
  write_header();
  file_.finish(set);
  code_page_.finish(set);
}

} // namespace tamix
