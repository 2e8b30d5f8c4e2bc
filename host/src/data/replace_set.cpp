#include "data/replace_set.h"

#include "data/host_error.h"
#include "files/dbf_header.h"
#include "files/file_error.h"
#include "files/replace_together.h"
#include "files/shape_index.h"

namespace host {

namespace fs = std::filesystem;

namespace {

fs::path temporary_of(const fs::path& target) {
  return files::temporary_path(files::replaced_file(target));
}

void read_back(const ReadBack& set) {
  const fs::path dbf = temporary_of(set.dbf);
  const std::uint64_t rows = files::read_dbf_header(dbf).record_count;
  if (set.records && rows != *set.records)
    throw files::FileError(dbf, "the rewritten table holds " + std::to_string(rows) +
                                    " records where " + std::to_string(*set.records) +
                                    " were written");
  if (!set.shp)
    return;
  const fs::path shx = temporary_of(*set.shx);
  const std::uint64_t shapes = files::check_shape_index(temporary_of(*set.shp), shx);
  if (set.records && shapes != rows)
    throw files::FileError(shx, "the rewritten index lists " + std::to_string(shapes) +
                                    " shapes beside a table of " + std::to_string(rows) +
                                    " records");
}

} // namespace

std::string as_the_user_knows(std::string what,
                              const std::vector<std::unique_ptr<files::ReplacingFile>>& written) {
  for (const auto& file : written) {
    const std::string temporary = files::temporary_path(file->target()).string();
    for (auto at = what.find(temporary); at != std::string::npos; at = what.find(temporary, at))
      what.replace(at, temporary.size(), file->target().string());
  }
  return what;
}

void replace_after_read_back(std::vector<std::unique_ptr<files::ReplacingFile>>& written,
                             const ReadBack& set) {
  try {
    read_back(set);
    // Before the new set is decided: an index left beside a new ".shp" would send other tools
    // to the wrong records, while one lost beside the old set is only rebuilt.
    for (const auto& file : set.stale_indexes_beside)
      files::remove_stale_indexes(file);
    files::replace_together(written, set.dropped);
  } catch (const files::FileError& error) {
    throw HostError::about_file(as_the_user_knows(error.what(), written));
  } catch (const fs::filesystem_error& error) {
    throw HostError::about_file(error.path1().string() + ": " +
                                files::failure_reason(error.code().value()));
  }
}

} // namespace host
