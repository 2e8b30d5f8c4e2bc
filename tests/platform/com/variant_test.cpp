#include "com/object.h"
#include "com/variant.h"

#include <gtest/gtest.h>

namespace {

using com::Variant;
using com::VariantType;

struct IThing : com::IUnknown {
  COM_INTERFACE(IThing, com::IUnknown, "22222222-0000-0000-0000-000000000001")
};
class Thing final : public com::ComObject<IThing> {};

TEST(Variant, HoldsEachTypeItIsGiven) {
  EXPECT_EQ(Variant().type(), VariantType::Empty);
  EXPECT_EQ(Variant(std::int16_t{1}).type(), VariantType::Integer);
  EXPECT_EQ(Variant(1).type(), VariantType::Long);
  EXPECT_EQ(Variant(1.0f).type(), VariantType::Single);
  EXPECT_EQ(Variant(1.0).type(), VariantType::Double);
  EXPECT_EQ(Variant(true).type(), VariantType::Boolean);
  EXPECT_EQ(Variant("text").type(), VariantType::String);
  EXPECT_EQ(Variant(com::ComPtr<IThing>(com::make<Thing>())).type(), VariantType::Object);
}

TEST(Variant, ConvertsToWholeNumbersWithHalvesToEvenAndStrictTexts) {
  const struct {
    Variant value;
    std::optional<std::int16_t> as_int16;
    std::optional<std::int32_t> as_int32;
  } cases[] = {
      {Variant(), 0, 0},
      {Variant(2.5), 2, 2},
      {Variant(3.5f), 4, 4},
      {Variant(-2.5), -2, -2},
      {Variant(true), -1, -1},
      {Variant(false), 0, 0},
      {Variant(" 2.5 "), 2, 2},
      {Variant("3"), 3, 3},
      {Variant(40000), {}, 40000},
      {Variant(32767.5), {}, 32768},
      {Variant(3e9), {}, {}},
      {Variant("12abc"), {}, {}},
      {Variant("Default"), {}, {}},
      {Variant(""), {}, {}},
      {Variant(com::ComPtr<IThing>(com::make<Thing>())), {}, {}},
  };
  for (const auto& c : cases) {
    const auto text = c.value.to_string().value_or("<object>");
    EXPECT_EQ(c.value.to_int16(), c.as_int16) << text;
    EXPECT_EQ(c.value.to_int32(), c.as_int32) << text;
  }
}

TEST(Variant, ConvertsToFloatingNumbersAndBooleans) {
  EXPECT_EQ(Variant("1.5E+2").to_double(), 150.0);
  EXPECT_EQ(Variant(0.1f).to_double(), static_cast<double>(0.1f));
  EXPECT_EQ(Variant(0.1).to_single(), 0.1f);
  EXPECT_FALSE(Variant(1e39).to_single());
  EXPECT_FALSE(Variant("abc").to_double());

  const struct {
    Variant value;
    std::optional<bool> as_bool;
  } cases[] = {{Variant("TRUE"), true}, {Variant("false"), false}, {Variant("2"), true},
               {Variant("0"), false},   {Variant(0.25), true},     {Variant(), false},
               {Variant("yes"), {}},    {Variant(""), {}}};
  for (const auto& c : cases)
    EXPECT_EQ(c.value.to_bool(), c.as_bool) << *c.value.to_string();
}

TEST(Variant, PrintsNumbersAsThePlatformDoes) {
  const struct {
    Variant value;
    const char* text;
  } cases[] = {
      {Variant(), ""},
      {Variant(std::int16_t{-7}), "-7"},
      {Variant(123456), "123456"},
      {Variant(0.5), "0.5"},
      {Variant(0.1f), "0.1"},
      {Variant(static_cast<double>(0.1f)), "0.100000001490116"},
      {Variant(48.28025723721062), "48.2802572372106"},
      {Variant(12345678.0f), "1.234568E+07"},
      {Variant(true), "True"},
      {Variant(false), "False"},
      {Variant("as is "), "as is "},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.value.to_string(), c.text);
  EXPECT_FALSE(Variant(com::ComPtr<IThing>(com::make<Thing>())).to_string());
}

TEST(Variant, ValIsTheLenientPath) {
  EXPECT_EQ(Variant("12abc").val(), 12.0);
  EXPECT_EQ(Variant("Default").val(), 0.0);
  EXPECT_EQ(Variant(2.5).val(), 2.5);
  EXPECT_EQ(Variant(true).val(), -1.0);
  EXPECT_EQ(Variant(com::ComPtr<IThing>(com::make<Thing>())).val(), 0.0);
}

TEST(Variant, KeepsItsObjectAlive) {
  const long before = com::module_object_count();
  Variant holder;
  {
    auto thing = com::make<Thing>();
    holder = Variant(com::ComPtr<IThing>(thing));
  }
  EXPECT_EQ(com::module_object_count(), before + 1);
  ASSERT_TRUE(holder.object());
  EXPECT_TRUE(holder.object().as<IThing>());
  EXPECT_FALSE(Variant(1).object());
  holder = Variant();
  EXPECT_EQ(com::module_object_count(), before);
}

} // namespace
