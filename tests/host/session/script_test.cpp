#include <sstream>

#include <gtest/gtest.h>

#include "session/script.h"
#include "session/transcript.h"

namespace {

using host::session::quote;
using host::session::unquote;
using host::session::Words;

TEST(TranscriptTest, QuotedTextsKeepToOneLineAndReadBack) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"plain", "\"plain\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"C:\\Corvane", "\"C:\\\\Corvane\""},
      {"two\nlines\r", "\"two\\nlines\\r\""},
      {"", "\"\""},
  };
  for (const auto& [text, written] : cases) {
    EXPECT_EQ(quote(text), written);
    std::string back;
    ASSERT_TRUE(unquote(written, back)) << written;
    EXPECT_EQ(back, text);
  }
  std::string out;
  for (const char* bad : {"\"open", "\"a\"b\"", "\"\\t\"", "\"end\\\"", "bare"})
    EXPECT_FALSE(unquote(bad, out)) << bad;
}

TEST(ScriptTest, CommentsStartLinesOnlyAndWordsMayBeQuoted) {
  std::istringstream in(
      "# a comment\n\n  form F select List1 #2  \r\nlayer add \"my data/roads.shp\" Roads\n");
  const auto lines = host::session::read_script(in);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].number, 3);
  EXPECT_EQ(lines[0].text, "form F select List1 #2");
  EXPECT_EQ(lines[1].number, 4);

  Words form(lines[0].text);
  for (const char* expected : {"form", "F", "select", "List1"})
    EXPECT_EQ(form.next(), expected);
  EXPECT_EQ(form.rest(), "#2");
  EXPECT_TRUE(form.at_end());

  Words layer(lines[1].text);
  layer.next();
  layer.next();
  EXPECT_EQ(layer.next(), "my data/roads.shp");
  EXPECT_EQ(layer.next(), "Roads");
  EXPECT_EQ(layer.next(), std::nullopt);

  Words message("expect message \"a \\\"b\\\"\"");
  message.next();
  message.next();
  EXPECT_EQ(message.rest(), "a \"b\"");

  Words open("layer add \"roads.shp");
  open.next();
  open.next();
  EXPECT_EQ(open.next(), std::nullopt);
  EXPECT_EQ(open.error(), "unfinished quoted text");
}

} // namespace
