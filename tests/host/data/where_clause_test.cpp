#include <gtest/gtest.h>

#include <map>

#include "data/host_error.h"
#include "data/where_clause.h"

namespace host {
namespace {

// A row with a text field NAME (column 0) and numeric fields CV_RESULT (1) and CLASS (2); the
// last three need quoting: a keyword (3), a name with a blank and a double quote (4), a name
// starting with a digit (5).
const std::map<std::string, WhereClause::Column> columns{
    {"NAME", {0, true}}, {"CV_RESULT", {1, false}}, {"CLASS", {2, false}},
    {"OR", {3, false}},  {"SAY \"HI\"", {4, true}}, {"1ST", {5, false}}};

std::optional<WhereClause::Column> resolve(const std::string& name) {
  std::string upper;
  for (char c : name)
    upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const auto it = columns.find(upper);
  if (it == columns.end())
    return std::nullopt;
  return it->second;
}

bool matches(const std::string& clause, const std::vector<com::Variant>& row) {
  return WhereClause::parse(clause, resolve).matches([&](int i) {
    return row[static_cast<std::size_t>(i)];
  });
}

struct Case {
  const char* clause;
  bool expected;
};

TEST(WhereClause, EvaluatesTheLanguageOnARow) {
  const std::vector<com::Variant> row{"O'Brien Street", 2.5, 3};
  const Case cases[] = {
      {"", true},
      {"   ", true},
      {"CV_RESULT > 0", true},
      {"CV_RESULT > 0 ", true},
      {"CV_RESULT>0", true},
      {"cv_result <> 0", true},
      {"CV_RESULT<>2.5", false},
      {"CV_RESULT = 2.5", true},
      {"CV_RESULT >= 2.5 AND CV_RESULT <= 2.5", true},
      {"CV_RESULT < -1e3", false},
      {"CLASS = 1 or CLASS = 3", true},
      {"CLASS = 1 OR CLASS = 2 AND CV_RESULT > 0", false}, // AND binds tighter
      {"(CLASS = 1 OR CLASS = 3) AND CV_RESULT > 0", true},
      {"NAME = 'O''Brien Street'", true},
      {"NAME = 'o''brien street'", false}, // text compares exactly
      {"\"NAME\" <> 'Main'", true},
      {"NAME > 'A' AND NAME < 'P'", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(matches(c.clause, row), c.expected) << c.clause;
}

TEST(WhereClause, QuotedNamesTakeAnyFieldName) {
  const std::vector<com::Variant> row{"", 0, 0, 7, "hello", 1000};
  const Case cases[] = {
      {"\"OR\" = 7", true},
      {"\"SAY \"\"HI\"\"\" = 'hello'", true},
      {"\"1st\" = 1e3 AND \"or\" > 6.", true},
      {"\"1ST\" = -1000", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(matches(c.clause, row), c.expected) << c.clause;
  for (const char* rejected : {"OR = 7", "1ST = 1", "\"\" = 1", "\"OR = 7"})
    EXPECT_THROW(WhereClause::parse(rejected, resolve), HostError) << rejected;
}

TEST(WhereClause, EmptyValuesMatchNoComparison) {
  const std::vector<com::Variant> row{com::Variant(), com::Variant(), com::Variant()};
  EXPECT_FALSE(matches("CV_RESULT = 0", row));
  EXPECT_FALSE(matches("CV_RESULT <> 0", row));
  EXPECT_TRUE(matches("NAME = 'x' OR CV_RESULT = 0 OR CLASS <> 5",
                      std::vector<com::Variant>{com::Variant(), com::Variant(), 4}));
}

TEST(WhereClause, RejectsEverythingOutsideTheLanguage) {
  const char* rejected[] = {
      "CV_RESULT",      // no operator
      "CV_RESULT >",    // no value
      "CV_RESULT == 1", // not an operator
      "CV_RESULT != 1",
      "MISSING = 1",   // unknown field
      "NAME = 1",      // text field against a number
      "CLASS = '1'",   // number field against a text
      "NAME = 'open",  // unterminated text
      "CLASS = 1 AND", // dangling keyword
      "(CLASS = 1",    // unbalanced
      "CLASS = 1)",
      "CLASS = 1; DROP TABLE x", // anything after the clause
      "CLASS = 0x10",            // only decimal numbers
      "CLASS = inf",
      "CLASS = 1abc",
      "NOT CLASS = 1", // keyword not in the language
      "CLASS IN (1, 2)",
      "NAME LIKE 'M%'",
      "1 = 1", // a value where a field belongs
  };
  for (const char* clause : rejected) {
    try {
      WhereClause::parse(clause, resolve);
      ADD_FAILURE() << "accepted: " << clause;
    } catch (const HostError& e) {
      EXPECT_EQ(e.code(), com::E_INVALIDARG) << clause;
      EXPECT_NE(std::string(e.what()).find(clause), std::string::npos) << e.what();
    }
  }
}

std::string nested(int depth, const std::string& inner) {
  return std::string(static_cast<std::size_t>(depth), '(') + inner +
         std::string(static_cast<std::size_t>(depth), ')');
}

TEST(WhereClause, LimitsTheNestingOfParenthesesWithAClearError) {
  const std::vector<com::Variant> row{"", 1, 3};
  EXPECT_TRUE(matches(nested(100, "CLASS = 3"), row));
  // The depth at which the parser once overflowed its stack, and a little past the limit.
  for (const int depth : {101, 3400, 100000}) {
    try {
      WhereClause::parse(nested(depth, "CLASS = 3"), resolve);
      ADD_FAILURE() << "accepted " << depth << " levels";
    } catch (const HostError& e) {
      EXPECT_EQ(e.code(), com::E_INVALIDARG);
      EXPECT_NE(std::string(e.what()).find("at character 101: parentheses are nested deeper "
                                           "than 100 levels"),
                std::string::npos)
          << e.what();
    }
  }
}

TEST(WhereClause, LongChainsOfAndAndOrNeedNoDepth) {
  std::string all = "CLASS = 3";
  std::string any = "CLASS = 1";
  for (int i = 0; i < 200000; ++i) {
    all += " AND CV_RESULT > 0";
    any += " OR CLASS = 1";
  }
  const std::vector<com::Variant> row{"", 1, 3};
  EXPECT_TRUE(matches(all, row));
  EXPECT_FALSE(matches(any, row));
  EXPECT_TRUE(matches(any + " OR CLASS = 3", row));
}

} // namespace
} // namespace host
