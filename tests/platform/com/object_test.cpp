#include "com/object.h"

#include <gtest/gtest.h>

namespace {

struct IShape : com::IUnknown {
  COM_INTERFACE(IShape, com::IUnknown, "11111111-0000-0000-0000-000000000001")
  virtual double Area() = 0;
};
struct ICircle : IShape {
  COM_INTERFACE(ICircle, IShape, "11111111-0000-0000-0000-000000000002")
  virtual double Radius() = 0;
};
struct INamed : com::IUnknown {
  COM_INTERFACE(INamed, com::IUnknown, "11111111-0000-0000-0000-000000000003")
  virtual const char* Name() = 0;
};
struct IUnrelated : com::IUnknown {
  COM_INTERFACE(IUnrelated, com::IUnknown, "11111111-0000-0000-0000-000000000004")
};

class Circle final : public com::ComObject<ICircle, INamed> {
public:
  double Area() override { return 3.0; }
  double Radius() override { return 1.0; }
  const char* Name() override { return "circle"; }
};

TEST(ComObject, AnswersForEveryInterfaceInItsChains) {
  const long before = com::module_object_count();
  {
    com::ComPtr<ICircle> circle = com::make<Circle>();
    EXPECT_EQ(com::module_object_count(), before + 1);
    auto shape = circle.as<IShape>();
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->Area(), 3.0);
    auto named = shape.as<INamed>();
    ASSERT_TRUE(named);
    EXPECT_STREQ(named->Name(), "circle");
    EXPECT_FALSE(shape.as<IUnrelated>());
    EXPECT_TRUE(com::same_object(named, circle));
  }
  EXPECT_EQ(com::module_object_count(), before);
}

TEST(ComObject, QueryInterfaceReportsMissingInterfacesAndNullOut) {
  auto circle = com::make<Circle>();
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(circle->QueryInterface(IUnrelated::iid, &out), com::E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(circle->QueryInterface(IShape::iid, nullptr), com::E_POINTER);
}

} // namespace
