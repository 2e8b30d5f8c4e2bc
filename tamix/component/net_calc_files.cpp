#include "boundary.h"
#include "engine_path.h"
#include "net_calc_object.h"
#include "result_field.h"

#include <algorithm>

namespace tamix {
namespace {

constexpr std::int32_t all_rows = -1;
// A marked link must read as marked ("> 0") even where its cost is 0.
constexpr double least_mark = 0.001;

} // namespace

ResultField NetCalcObject::result_field() const {
  if (result_table_.empty()) throw Error(code::output_file_failed, "no result table");
  if (result_field_.empty()) throw Error(code::field_not_found, "no result field");
  return ResultField(result_table_, result_field_);
}

std::int32_t NetCalcObject::SetResultTable(const std::string& table) {
  return engine_call<std::int32_t>([&] {
    result_table_ = engine_path(table, state_ ? state_->folder : std::filesystem::path());
    std::error_code error;
    if (!std::filesystem::is_regular_file(result_table_, error))
      throw Error(code::output_file_failed, "no result table " + result_table_.string());
    return code::ok;
  });
}

std::int32_t NetCalcObject::SetResultField(const std::string& field) {
  return engine_call<std::int32_t>([&] {
    // Kept even when the check fails: the field may be added before the next write.
    result_field_ = field;
    result_field();
    return code::ok;
  });
}

std::int32_t NetCalcObject::ClearResultField(std::int32_t which, std::int32_t) {
  return engine_call<std::int32_t>([&] {
    if (which != all_rows) throw Error(code::out_of_bounds, "only all rows (-1) can be cleared");
    result_field().clear();
    return code::ok;
  });
}

std::int32_t NetCalcObject::MarkPathInResult(std::int32_t, std::int32_t) {
  return engine_call<std::int32_t>([&] {
    network();
    const Path& path = primed_path();
    std::vector<ResultValue> marks;
    // links[k] arrives at nodes[k] (the list runs from the target back to the origin).
    for (std::size_t k = 0; k < path.links.size(); ++k)
      marks.push_back({link_of(path.links[k]) - 1,
                       std::max(least_mark, search_->primary(path.nodes[k]))});
    result_field().write(marks);
    return code::ok;
  });
}

OutputTable& NetCalcObject::output_table() {
  if (!output_) throw Error(code::output_file_failed, "no output table is open");
  return *output_;
}

std::int32_t NetCalcObject::CreateOutputTable(const std::string& path, std::int32_t) {
  return engine_call<std::int32_t>([&] {
    output_.reset(); // an earlier table left open is finished here
    output_ = std::make_unique<OutputTable>(
        engine_path(path, state_ ? state_->folder : std::filesystem::path()));
    return code::ok;
  });
}

std::int32_t NetCalcObject::AddOutputField(const std::string& name, std::int32_t type,
                                           std::int32_t width, std::int32_t decimals) {
  return engine_call<std::int32_t>([&] {
    output_table().add_field(name, static_cast<OutputFieldType>(type), width, decimals);
    return code::ok;
  });
}

std::int32_t NetCalcObject::WriteOutputRow(std::int32_t links, const std::string& row) {
  return engine_call<std::int32_t>([&] {
    if (links < 0) throw Error(code::out_of_bounds, "a row cannot have fewer than 0 links");
    output_table().write_row(row, static_cast<std::uint32_t>(links));
    return code::ok;
  });
}

std::int32_t NetCalcObject::AddOutputLink(std::int32_t link, double from, double to) {
  return engine_call<std::int32_t>([&] {
    OutputTable& table = output_table();
    const Network& net = network();
    if (link < 1 || static_cast<LinkId>(link) > net.link_count())
      throw Error(code::out_of_bounds, "no link " + std::to_string(link));
    table.add_link(net.geometry.of(static_cast<LinkId>(link)), from, to);
    return code::ok;
  });
}

std::int32_t NetCalcObject::CloseOutputTable() {
  return engine_call<std::int32_t>([&] {
    output_table().close();
    output_.reset();
    return code::ok;
  });
}

} // namespace tamix
