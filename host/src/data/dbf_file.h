#pragma once

#include <shapefil.h>

#include <string>
#include <vector>

#include "com/variant.h"
#include "data/code_page.h"
#include "data/field_mapping.h"

namespace host {

// An open ".dbf" file (through shapelib's DBF functions, which touch the ".dbf" alone).
// Values are exchanged as variants in UTF-8 (see HostRowValues); text is converted to and from
// the table's code page. Failures raise HostError naming the file.
//
// Values are written in place. A change of the fields rewrites the whole table through a
// temporary file (see dbf_layout_change.h), so the table is never left half in the old layout.
class DbfFile {
public:
  // Checks the header against the file before anything is read or written (HostError naming
  // the file and what is wrong), after deleting the temporary of a change a killed run left.
  // Opened to be read only, the file is read in blocks (buffered_reads.h).
  DbfFile(const std::string& path, bool writable);
  // Creates a new file (replacing one of that name) in UTF-8, named in a ".cpg" beside it,
  // with the given columns.
  static DbfFile create(const std::string& path, const std::vector<DbfColumn>& columns);
  DbfFile(DbfFile&& other) noexcept;
  DbfFile& operator=(DbfFile&&) = delete;
  ~DbfFile();

  const std::string& path() const { return path_; }
  int record_count() const;
  const std::vector<DbfColumn>& columns() const { return columns_; }
  // Index of a column without regard to letter case; -1 when missing.
  int find(const std::string& name) const;

  com::Variant read(int record, int column) const;
  std::vector<com::Variant> read_record(int record) const;
  void write(int record, int column, const com::Variant& value);
  // Appends a record of empty values; returns its number.
  int append();

  void add_column(const DbfColumn& column);
  void delete_column(int column);

  // Copies raw records (no conversion) into `target`, which must have the same columns.
  void copy_record_to(int record, DbfFile& target) const;
  // A new empty file at `path` with this file's columns and code page.
  DbfFile clone_empty(const std::string& path) const;

private:
  DbfFile(DBFHandle handle, std::string path, bool writable);
  // Adds a field to a table that has no records yet, as a new one.
  void declare_column(const DbfColumn& column);
  // Closes the file for `change` of its layout, then opens it again.
  template <class Change> void change_layout(Change change);
  void load_columns();
  [[noreturn]] void fail(const std::string& what, int record = -1) const;

  DBFHandle handle_ = nullptr;
  std::string path_;
  bool writable_ = false;
  std::vector<DbfColumn> columns_;
  CodePage code_page_;
};

} // namespace host
