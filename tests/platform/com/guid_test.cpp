#include "com/guid.h"

#include <gtest/gtest.h>

namespace {

TEST(Guid, ParsesAndPrintsTheUsualForm) {
  constexpr auto g = com::make_guid("6b29fc40-ca47-1067-b31d-00dd010662da");
  EXPECT_EQ(g.data1, 0x6b29fc40u);
  EXPECT_EQ(g.data2, 0xca47u);
  EXPECT_EQ(g.data3, 0x1067u);
  EXPECT_EQ(g.data4[0], 0xb3u);
  EXPECT_EQ(g.data4[7], 0xdau);
  EXPECT_EQ(com::to_string(g), "{6B29FC40-CA47-1067-B31D-00DD010662DA}");
  EXPECT_EQ(com::parse_guid(com::to_string(g)), g);
}

TEST(Guid, RejectsMalformedTexts) {
  for (const char* text : {"", "{6B29FC40-CA47-1067-B31D-00DD010662DA", "6B29FC40CA471067B31D00DD010662DA",
                           "{6B29FC40-CA47-1067-B31D-00DD010662DG}", "6B29FC40-CA47-1067-B31D00-DD010662DA"})
    EXPECT_FALSE(com::parse_guid(text)) << text;
}

} // namespace
