#include "data/rows.h"

#include <map>
#include <optional>
#include <set>

#include "com/object.h"
#include "data/host_error.h"
#include "geometry/shape_access.h"
#include "host/data_tools.h"

namespace host {

namespace {

com::ComPtr<HostGeometry> geometry_in(const com::Variant& value) {
  const auto object = value.object();
  return object ? object.as<HostGeometry>() : nullptr;
}

// The shape as the table stores it: a geometry given in another coordinate system is
// projected into the table's first.
Shape stored_form(HostGeometry& geometry, const TableContext& table) {
  const auto reference = table.spatial_reference();
  if (!reference || !geometry.SpatialReference() ||
      geometry.SpatialReference()->IsEqual(reference.get()))
    return shape_of(&geometry);
  const auto copy = geometry.Clone();
  if (com::FAILED(copy->Project(reference.get())))
    throw HostError("a shape cannot be projected into the coordinate system of " +
                    table.dataset().name());
  return shape_of(copy.get());
}

// The values every row and buffer holds, by host field index.
template <class Primary, class... Extra>
class ValuesBase : public com::ComObject<Primary, Extra...> {
public:
  ValuesBase(std::shared_ptr<const TableContext> table, com::ComPtr<HostFields> fields,
             std::vector<com::Variant> values, com::ComPtr<HostGeometry> shape)
      : table_(std::move(table)), fields_(std::move(fields)), values_(std::move(values)),
        shape_(std::move(shape)) {
    values_.resize(
        static_cast<std::size_t>(std::max(0, fields_->FieldCount() - table_->first_column())));
  }

  com::ComPtr<HostFields> Fields() override { return fields_; }

  com::Variant Value(int index) override {
    if (index == 0)
      return id();
    if (index == 1 && table_->has_shapes())
      return com::Variant(shape_);
    const auto column = index - table_->first_column();
    if (column < 0 || column >= static_cast<int>(values_.size()))
      return {};
    return values_[static_cast<std::size_t>(column)];
  }

  com::HRESULT SetValue(int index, const com::Variant& value) override {
    return guarded([&] {
      if (index == 1 && table_->has_shapes()) {
        const auto geometry = geometry_in(value);
        if (!geometry && !value.is_empty())
          throw HostError("the shape field takes a geometry", com::E_INVALIDARG);
        shape_ = geometry;
        return;
      }
      const auto column = index - table_->first_column();
      if (index <= 0 || column < 0 || column >= static_cast<int>(values_.size()))
        throw HostError("field " + std::to_string(index) + " cannot be set", com::E_INVALIDARG);
      check_suits(*fields_->Field(index), value);
      values_[static_cast<std::size_t>(column)] = value;
      changed_.insert(column);
    });
  }

protected:
  virtual com::Variant id() { return {}; }

  static void check_suits(HostField& field, const com::Variant& value) {
    if (value.is_empty())
      return;
    const int type = field.Type();
    const bool ok = type == field_string || type == field_date ? value.to_string().has_value()
                                                               : value.to_double().has_value();
    if (!ok)
      throw HostError("the value does not suit the field \"" + field.Name() + "\"",
                      com::E_INVALIDARG);
  }

  std::shared_ptr<const TableContext> table_;
  com::ComPtr<HostFields> fields_;
  std::vector<com::Variant> values_;
  com::ComPtr<HostGeometry> shape_;
  std::set<int> changed_;
};

// A row that has a record: Store and Delete.
template <class Primary, class... Extra>
class StoredRow : public ValuesBase<Primary, RowOrigin, Extra...> {
  using Base = ValuesBase<Primary, RowOrigin, Extra...>;

public:
  StoredRow(std::shared_ptr<const TableContext> table, com::ComPtr<HostFields> fields, int oid,
            std::vector<com::Variant> values, com::ComPtr<HostGeometry> shape)
      : Base(std::move(table), std::move(fields), std::move(values), std::move(shape)), oid_(oid) {
    if (this->shape_)
      read_shape_ = shape_of(this->shape_.get());
  }

  bool HasOID() override { return true; }
  std::int32_t OID() override { return oid_; }

  com::HRESULT Store() override {
    return guarded([&] {
      std::vector<std::pair<int, com::Variant>> changes;
      for (int column : this->changed_)
        changes.emplace_back(column, this->values_[static_cast<std::size_t>(column)]);
      // The shape is written when it differs from the one read (in the form it was handed out);
      // one that was not read, when a shape was set.
      std::optional<Shape> shape;
      if (this->table_->has_shapes() && read_shape_) {
        const Shape shown =
            this->shape_ ? shape_of(this->shape_.get()) : Shape{this->table_->shape_type(), {}};
        if (!(shown == *read_shape_))
          shape = this->shape_ ? stored_form(*this->shape_, *this->table_) : shown;
      } else if (this->table_->has_shapes() && this->shape_) {
        shape = stored_form(*this->shape_, *this->table_);
      }
      this->table_->store(oid_, changes, shape ? &*shape : nullptr);
      this->changed_.clear();
      if (shape)
        read_shape_ = this->shape_ ? shape_of(this->shape_.get()) : *shape;
    });
  }

  com::HRESULT Delete() override {
    return guarded([&] { this->table_->dataset().delete_records({oid_}); });
  }

  std::shared_ptr<const TableContext> table() override { return this->table_; }
  int record() override { return oid_; }

protected:
  com::Variant id() override { return static_cast<std::int32_t>(oid_); }

private:
  int oid_;
  // None when the shape was not read (a search that did not fetch it).
  std::optional<Shape> read_shape_;
};

class TableRow final : public StoredRow<HostRow> {
public:
  using StoredRow::StoredRow;
};

class Feature final : public StoredRow<HostFeature, HostFeatureSetDelete> {
public:
  using StoredRow::StoredRow;
  com::ComPtr<HostGeometry> Shape() override { return shape_; }
  com::ComPtr<HostGeometry> ShapeCopy() override { return shape_ ? shape_->Clone() : nullptr; }
  void SetShape(HostGeometry* shape) override { shape_ = com::ComPtr<HostGeometry>(shape); }
  com::ComPtr<HostEnvelope> Extent() override { return shape_ ? shape_->Envelope() : nullptr; }

  com::HRESULT DeleteSet(HostObjectSet* set) override {
    if (!set)
      return com::E_POINTER;
    return guarded([&] {
      // Grouped by dataset, each rewritten once.
      std::map<std::string, std::pair<std::shared_ptr<const TableContext>, std::vector<int>>>
          doomed;
      for (int i = 0; i < set->Count(); ++i) {
        const auto origin = set->Row(i).as<RowOrigin>();
        if (!origin)
          throw HostError("the set holds a row that is not stored", com::E_INVALIDARG);
        const auto table = origin->table();
        auto& entry = doomed[table->dataset().dbf_path()];
        entry.first = table;
        entry.second.push_back(origin->record());
      }
      for (const auto& [path, entry] : doomed)
        entry.first->dataset().delete_records(entry.second);
    });
  }
};

class RowBuffer final : public ValuesBase<HostRowBuffer> {
public:
  using ValuesBase::ValuesBase;
};

class FeatureBuffer final : public ValuesBase<HostFeatureBuffer> {
public:
  using ValuesBase::ValuesBase;
  com::ComPtr<HostGeometry> Shape() override { return shape_; }
  void SetShape(HostGeometry* shape) override { shape_ = com::ComPtr<HostGeometry>(shape); }
};

} // namespace

com::ComPtr<HostRow> make_row(std::shared_ptr<const TableContext> table,
                              com::ComPtr<HostFields> fields, int oid,
                              std::vector<com::Variant> values, com::ComPtr<HostGeometry> shape) {
  if (table->has_shapes())
    return com::make<Feature>(std::move(table), std::move(fields), oid, std::move(values),
                              std::move(shape));
  return com::make<TableRow>(std::move(table), std::move(fields), oid, std::move(values), nullptr);
}

com::ComPtr<HostRowBuffer> make_row_buffer(std::shared_ptr<const TableContext> table) {
  auto fields = table->fields();
  if (table->has_shapes()) {
    auto shape = make_geometry(Shape{table->shape_type(), {}}, table->spatial_reference().get());
    return com::make<FeatureBuffer>(std::move(table), std::move(fields),
                                    std::vector<com::Variant>{}, std::move(shape));
  }
  return com::make<RowBuffer>(std::move(table), std::move(fields), std::vector<com::Variant>{},
                              nullptr);
}

RowContent content_of(const TableContext& table, HostFields& fields, HostRowValues* row) {
  if (!row)
    throw HostError("no row given", com::E_POINTER);
  const int columns = fields.FieldCount() - table.first_column();
  std::vector<com::Variant> values;
  for (int c = 0; c < columns; ++c)
    values.push_back(row->Value(table.first_column() + c));
  Shape shape{table.shape_type(), {}};
  if (table.has_shapes()) {
    const auto geometry = geometry_in(row->Value(1));
    if (geometry)
      shape = stored_form(*geometry, table);
  }
  return {std::move(values), std::move(shape)};
}

} // namespace host
