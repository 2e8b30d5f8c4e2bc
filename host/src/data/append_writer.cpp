#include "data/append_writer.h"

#include <map>
#include <set>

#include "data/host_error.h"

namespace host {

namespace {
// The writers alive in the process, by the ".dbf" they append to.
std::map<std::string, std::set<AppendWriter*>>& writers() {
  static std::map<std::string, std::set<AppendWriter*>> all;
  return all;
}
} // namespace

AppendWriter::AppendWriter(Dataset dataset, int shape_type)
    : dataset_(std::move(dataset)), shape_type_(shape_type), key_(dataset_.dbf_path()) {
  writers()[key_].insert(this);
}

AppendWriter::~AppendWriter() {
  auto& mine = writers()[key_];
  mine.erase(this);
  if (mine.empty())
    writers().erase(key_);
}

void AppendWriter::open() {
  // Another writer of the same files must not hold them open with an older index.
  for (AppendWriter* other : writers()[key_])
    if (other != this)
      other->close();
  dbf_.emplace(key_, true);
  if (dataset_.has_shapes())
    shp_.emplace(dataset_.shp_base(), true);
}

void AppendWriter::close() {
  dbf_.reset();
  shp_.reset();
}

int AppendWriter::append(const std::vector<com::Variant>& values, const Shape& shape) {
  if (!dbf_)
    open();
  const int record = dbf_->record_count();
  if (shp_) {
    if (shp_->record_count() != record)
      throw HostError(dataset_.name() + ": the .shp and .dbf hold different numbers of records");
    shp_->write(-1, shape.type == geometry_null ? Shape{shape_type_, {}} : shape);
  }
  dbf_->append();
  for (std::size_t i = 0; i < values.size(); ++i)
    if (!values[i].is_empty())
      dbf_->write(record, static_cast<int>(i), values[i]);
  return record;
}

void close_appending_writers(const std::string& dbf_path) {
  const auto it = writers().find(dbf_path);
  if (it == writers().end())
    return;
  for (AppendWriter* writer : it->second)
    writer->close();
}

} // namespace host
