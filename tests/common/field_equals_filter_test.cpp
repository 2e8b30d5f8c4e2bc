#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "com/create.h"
#include "common/field_equals_filter.h"
#include "host/fields.h"
#include "host/query_filter.h"
#include "host/table.h"
#include "support/host_fixture.h"

namespace corvane {
namespace {

class FieldEqualsFilterTest : public testing::HostTest {
protected:
  // Three points whose fields all need their names quoted: a keyword, a name starting with a
  // digit, a name with a blank and one with a letter beyond ASCII.
  void SetUp() override {
    HostTest::SetUp();
    features_ = shapefile("stops", host::geometry_point, {{{0, 0}}, {{1, 0}}, {{2, 0}}});
    add_field("OR", host::field_double);
    add_field("1ST", host::field_string);
    add_field("GATA NR", host::field_integer);
    add_field("ÅR", host::field_string);
    const struct {
      double or_value;
      const char* first;
      int number;
      const char* year;
    } rows[] = {{1, "O'Brien", -5, "Łódzka"}, {1000, "x", 0, "y"}, {0.5, "y", 7, "Łódzka"}};
    for (int i = 0; i < 3; ++i) {
      com::ComPtr<host::HostFeature> feature;
      ASSERT_EQ(features_->GetFeature(i, &feature), com::S_OK);
      const auto& row = rows[i];
      ASSERT_EQ(feature->SetValue(features_->FindField("OR"), com::Variant(row.or_value)), 0);
      ASSERT_EQ(feature->SetValue(features_->FindField("1ST"), com::Variant(row.first)), 0);
      ASSERT_EQ(feature->SetValue(features_->FindField("GATA NR"), com::Variant(row.number)), 0);
      ASSERT_EQ(feature->SetValue(features_->FindField("ÅR"), com::Variant(row.year)), 0);
      ASSERT_EQ(feature->Store(), com::S_OK);
    }
  }

  void add_field(const char* name, int type) {
    const auto field = com::create_object<host::HostFieldEdit>(host::FieldClass);
    field->SetName(name);
    field->SetType(type);
    field->SetLength(20);
    ASSERT_EQ(features_->AddField(field.get()), com::S_OK);
  }

  // The number of features the filter selects, or -1 when the host refuses it.
  int selected(const std::string& clause) {
    const auto filter = com::create_object<host::HostQueryFilter>(host::QueryFilterClass);
    filter->SetWhereClause(clause);
    com::ComPtr<host::HostSelectionSet> selection;
    if (com::FAILED(features_.as<host::HostTable>()->Select(filter.get(), &selection)))
      return -1;
    return static_cast<int>(selection->IDs().size());
  }

  com::ComPtr<host::HostFeatureClass> features_;
};

TEST_F(FieldEqualsFilterTest, EveryFieldNameAndPlainNumberReachesTheHostIntact) {
  const struct {
    const char* field;
    const char* value;
    bool text;
    int expected; // features found; -1 when the value is refused before the search
  } cases[] = {
      {"OR", "1", false, 1},
      {"OR", "1.", false, 1},
      {"OR", "1e3", false, 1},
      {"OR", "+1E+3", false, 1},
      {"OR", ".5", false, 1},
      {"GATA NR", "-5", false, 1},
      {"GATA NR", "7", false, 1},
      {"1ST", "O'Brien", true, 1},
      {"1ST", "x' OR \"1ST\" <> 'y", true, 0},
      {"ÅR", "Łódzka", true, 2},
      {"OR", "5a", false, -1},
      {"OR", "1e", false, -1},
      {"OR", ".", false, -1},
      {"OR", "-", false, -1},
      {"OR", "1 OR 1=1", false, -1},
      {"OR", "0x10", false, -1},
  };
  for (const auto& c : cases) {
    const auto clause = FieldEqualsFilter(c.field, c.value, c.text);
    ASSERT_EQ(clause.has_value(), c.expected >= 0) << c.field << " = " << c.value;
    if (clause) {
      EXPECT_EQ(selected(*clause), c.expected) << *clause;
    }
  }
}

} // namespace
} // namespace corvane
