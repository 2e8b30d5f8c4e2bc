#include "data/dbf_layout_change.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "data/host_error.h"
#include "files/dbf_header.h"
#include "files/dbf_layout.h"
#include "files/file_error.h"
#include "files/replace_file.h"

namespace host {

namespace {

constexpr std::size_t chunk_bytes = std::size_t{4} << 20;
constexpr std::uint32_t no_source = UINT32_MAX;

// A field of the new layout: its descriptor, and where its bytes come from in an old record
// (no_source for a new field, filled with `fill`).
struct NewField {
  std::vector<unsigned char> descriptor;
  std::uint32_t source = no_source;
  std::uint32_t width = 0;
  char fill = ' ';
};

// The byte that fills a new field, one the readers take for an empty value of its type.
char empty_value_fill(char type) {
  switch (type) {
  case 'N':
  case 'F':
    return '*';
  case 'D':
    return '0';
  case 'L':
    return '?';
  default:
    return ' ';
  }
}

std::vector<unsigned char> descriptor_of(const DbfColumn& column) {
  std::vector<unsigned char> descriptor(files::dbf::descriptor_bytes, 0);
  std::copy_n(column.name.begin(), std::min(column.name.size(), files::dbf::name_bytes - 1),
              descriptor.begin());
  descriptor[files::dbf::type_at] = static_cast<unsigned char>(column.type);
  const bool number = column.type == 'N' || column.type == 'F';
  descriptor[files::dbf::width_at] = static_cast<unsigned char>(column.width & 0xFF);
  descriptor[files::dbf::decimals_at] =
      static_cast<unsigned char>(number ? column.decimals : column.width >> 8);
  return descriptor;
}

// The old layout's fields as the new one keeps them.
std::vector<NewField> kept_fields(const files::DbfHeader& header) {
  std::vector<NewField> fields;
  for (std::size_t k = 0; k < header.fields.size(); ++k) {
    const auto* at = &header.bytes[files::dbf::header_bytes + k * files::dbf::descriptor_bytes];
    fields.push_back({{at, at + files::dbf::descriptor_bytes},
                      header.fields[k].offset,
                      header.fields[k].width,
                      ' '});
  }
  return fields;
}

void put_16(unsigned char* at, std::size_t value) {
  at[0] = static_cast<unsigned char>(value);
  at[1] = static_cast<unsigned char>(value >> 8);
}

class OpenOriginal {
public:
  explicit OpenOriginal(const std::string& path)
      : path_(path), descriptor_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (descriptor_ < 0)
      throw HostError("cannot open " + path);
  }
  ~OpenOriginal() { ::close(descriptor_); }
  OpenOriginal(const OpenOriginal&) = delete;
  OpenOriginal& operator=(const OpenOriginal&) = delete;

  files::DbfHeader header() const { return files::read_dbf_header(descriptor_, path_); }
  void read(unsigned char* data, std::size_t size, std::uint64_t at) const {
    if (::pread(descriptor_, data, size, static_cast<off_t>(at)) != static_cast<ssize_t>(size))
      throw HostError("cannot read " + path_);
  }

private:
  std::string path_;
  int descriptor_;
};

// Writes the table with the fields `layout` (built from the checked `header` of `original`)
// to its temporary and puts it in place.
void rewrite(const std::string& path, const OpenOriginal& original,
             const files::DbfHeader& header, const std::vector<NewField>& layout) {
  std::size_t record_length = 1;
  for (const auto& field : layout)
    record_length += field.width;
  const std::size_t old_descriptors_end =
      files::dbf::header_bytes + header.fields.size() * files::dbf::descriptor_bytes + 1;
  // Bytes some writers keep after the end mark stay with the header.
  const std::size_t trailer = header.header_length - old_descriptors_end;
  const std::size_t header_length = files::dbf::header_bytes +
                                    layout.size() * files::dbf::descriptor_bytes + 1 + trailer;
  if (record_length > files::dbf::largest_length || header_length > files::dbf::largest_length)
    throw HostError(path + ": the fields would outgrow the limits of a dBASE table",
                    com::E_INVALIDARG);

  std::vector<unsigned char> head(header.bytes.begin(),
                                  header.bytes.begin() + files::dbf::header_bytes);
  put_16(&head[files::dbf::header_length_at], header_length);
  put_16(&head[files::dbf::record_length_at], record_length);
  for (const auto& field : layout)
    head.insert(head.end(), field.descriptor.begin(), field.descriptor.end());
  head.push_back(files::dbf::descriptors_end);
  head.insert(head.end(), header.bytes.begin() + static_cast<std::ptrdiff_t>(old_descriptors_end),
              header.bytes.end());

  files::ReplacingFile copy(path);
  copy.write_at(0, head.data(), head.size());
  const std::uint32_t per_chunk =
      std::max<std::uint32_t>(1, static_cast<std::uint32_t>(chunk_bytes / header.record_length));
  std::vector<unsigned char> old_records, new_records;
  std::uint64_t written = header_length;
  for (std::uint32_t first = 0; first < header.record_count; first += per_chunk) {
    const std::uint32_t count = std::min(per_chunk, header.record_count - first);
    old_records.resize(std::size_t{count} * header.record_length);
    original.read(old_records.data(), old_records.size(),
                  header.header_length + std::uint64_t{first} * header.record_length);
    new_records.resize(std::size_t{count} * record_length);
    unsigned char* out = new_records.data();
    for (std::uint32_t r = 0; r < count; ++r) {
      const unsigned char* in = &old_records[std::size_t{r} * header.record_length];
      *out++ = in[0]; // the deletion flag
      for (const auto& field : layout) {
        if (field.source == no_source)
          std::memset(out, field.fill, field.width);
        else
          std::memcpy(out, in + field.source, field.width);
        out += field.width;
      }
    }
    copy.write_at(written, new_records.data(), new_records.size());
    written += new_records.size();
  }
  copy.write_at(written, &files::dbf::file_end, 1);
  copy.commit();
}

// Runs `change` on the checked header of the table at `path`; the layer's failures become
// HostError.
template <class Change> void change_layout(const std::string& path, Change change) {
  try {
    const OpenOriginal original(path);
    const files::DbfHeader header = original.header();
    rewrite(path, original, header, change(header));
  } catch (const files::FileError& failed) {
    throw HostError::about_file(failed.what());
  }
}

} // namespace

void add_dbf_column(const std::string& path, const DbfColumn& column) {
  if (column.width < 1 || ((column.type == 'N' || column.type == 'F') && column.width > 255))
    throw HostError(path + ": a field of type " + std::string(1, column.type) + " cannot be " +
                        std::to_string(column.width) + " wide",
                    com::E_INVALIDARG);
  change_layout(path, [&](const files::DbfHeader& header) {
    auto layout = kept_fields(header);
    layout.push_back({descriptor_of(column), no_source, static_cast<std::uint32_t>(column.width),
                      empty_value_fill(column.type)});
    return layout;
  });
}

void delete_dbf_column(const std::string& path, int index) {
  change_layout(path, [&](const files::DbfHeader& header) {
    auto layout = kept_fields(header);
    if (index < 0 || index >= static_cast<int>(layout.size()))
      throw HostError(path + ": there is no field " + std::to_string(index) + " to delete",
                      com::E_INVALIDARG);
    layout.erase(layout.begin() + index);
    return layout;
  });
}

} // namespace host
