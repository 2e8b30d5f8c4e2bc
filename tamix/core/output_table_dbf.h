#pragma once

// The attribute table of the output table: a dBASE III file, text ('C') and number ('N')
// fields, written record by record. The header goes before the first record with a count of 0
// and is rewritten with the real count at close, so a table closed after any row is whole.

#include "files/dbf_layout.h"
#include "output_table_file.h"

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace tamix {

class DbfWriter {
public:
  // Starts `dbf` and beside it the ".cpg" that names the text encoding, UTF-8. Raises
  // output_file_failed when the files cannot be made.
  explicit DbfWriter(const std::filesystem::path& dbf);

  // Declares the next field; its bytes start at the returned offset of each record. Raises
  // output_file_failed when the record or the header would outgrow the format.
  std::size_t add_field(std::string_view name, char type, int width, int decimals);

  // The next record, blank, for the caller to fill: valid until the next call.
  char* next_record();

  // Writes the header with the record count and the end mark, and hands the ".dbf" and ".cpg"
  // to `set`. Raises output_file_failed.
  void finish(OutputSet& set);

private:
  struct Field {
    char name[files::dbf::name_bytes] = {};
    char type = 'C';
    int width = 0;
    int decimals = 0;
  };
  void write_header();

  OutputFile file_;
  OutputFile code_page_;
  std::vector<Field> fields_;
  std::size_t record_length_ = 1; // the deletion mark comes first
  std::uint32_t records_ = 0;
  bool header_written_ = false;
};

} // namespace tamix
