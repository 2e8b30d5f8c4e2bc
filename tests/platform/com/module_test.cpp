// The test program serves classes of its own, as a host program does, through the same
// declarations and exports a module uses.
#include "com/create.h"
#include "com/factory.h"
#include "com/module.h"

#include <gtest/gtest.h>

#include "scoped_registry.h"

namespace {

struct IShape : com::IUnknown {
  COM_INTERFACE(IShape, com::IUnknown, "55555555-0000-0000-0000-000000000001")
  static constexpr std::string_view interface_members = "Area: double";
  virtual double Area() = 0;
};
struct ISquare : IShape {
  COM_INTERFACE(ISquare, IShape, "55555555-0000-0000-0000-000000000002")
  static constexpr std::string_view interface_members = "Side: double";
  virtual double Side() = 0;
};
struct INamed : com::IUnknown {
  COM_INTERFACE(INamed, com::IUnknown, "55555555-0000-0000-0000-000000000003")
};
struct IOther : com::IUnknown {
  COM_INTERFACE(IOther, com::IUnknown, "55555555-0000-0000-0000-000000000004")
};

class Square final : public com::ComObject<ISquare, INamed> {
public:
  double Area() override { return 4; }
  double Side() override { return 2; }
};

class Refusing final : public com::ComObject<INamed> {
public:
  Refusing() { throw std::runtime_error("cannot be made"); }
};

constexpr auto square_clsid = com::make_guid("55555555-0000-0000-0000-000000000010");
constexpr auto refusing_clsid = com::make_guid("55555555-0000-0000-0000-000000000011");

} // namespace

COM_CLASS(Square, "Corvane.TestSquare", "55555555-0000-0000-0000-000000000010", "Corvane Shapes")
COM_CLASS(Refusing, "Corvane.TestRefusing", "55555555-0000-0000-0000-000000000011")
COM_MODULE_EXPORTS()

namespace {

com::ComPtr<com::IClassFactory> factory_of(const com::CLSID& clsid) {
  com::ComPtr<com::IClassFactory> factory;
  EXPECT_EQ(DllGetClassObject(clsid, com::IClassFactory::iid, factory.put_void()), com::S_OK);
  return factory;
}

TEST(Module, DescribesItsClassesFromTheirInterfaces) {
  const auto& classes = com::module_classes();
  ASSERT_EQ(classes.size(), 2u);
  EXPECT_EQ(classes[0].class_name, "Square");
  EXPECT_EQ(classes[0].category, "Corvane Shapes");
  EXPECT_EQ(classes[0].describe(),
            (std::vector<com::InterfaceInfo>{
                {"ISquare", "Side: double"}, {"IShape", "Area: double"}, {"INamed", ""}}));
  EXPECT_EQ(classes[1].category, "");
}

TEST(Module, DescribesAnObjectByTheCandidateInterfacesItAnswers) {
  const auto square = com::make<Square>().as<com::IUnknown>();
  EXPECT_EQ(com::describe_object(square.get(), com::InterfaceList<INamed, IOther, ISquare>{}),
            (std::vector<com::InterfaceInfo>{
                {"INamed", ""}, {"ISquare", "Side: double"}, {"IShape", "Area: double"}}));
  EXPECT_TRUE(com::describe_object(nullptr, com::InterfaceList<INamed>{}).empty());
}

TEST(Module, ClassFactoryCreatesObjectsAndReportsFailures) {
  auto factory = factory_of(square_clsid);
  ASSERT_TRUE(factory);
  com::ComPtr<IShape> shape;
  ASSERT_EQ(factory->CreateInstance(nullptr, IShape::iid, shape.put_void()), com::S_OK);
  EXPECT_EQ(shape->Area(), 4);

  com::ComPtr<com::IUnknown> object;
  EXPECT_EQ(factory->CreateInstance(shape.get(), com::IUnknown::iid, object.put_void()),
            com::CLASS_E_NOAGGREGATION);
  EXPECT_EQ(factory->CreateInstance(nullptr, com::IClassFactory::iid, object.put_void()),
            com::E_NOINTERFACE);
  EXPECT_FALSE(object);
  EXPECT_EQ(factory_of(refusing_clsid)->CreateInstance(nullptr, INamed::iid, object.put_void()),
            com::E_FAIL);

  void* out = nullptr;
  const auto unknown = com::make_guid("55555555-0000-0000-0000-0000000000FF");
  EXPECT_EQ(DllGetClassObject(unknown, com::IClassFactory::iid, &out),
            com::CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(DllGetClassObject(square_clsid, com::IClassFactory::iid, nullptr), com::E_POINTER);
}

TEST(Module, CanUnloadOnlyWithoutLiveObjectsOrLocks) {
  ASSERT_EQ(DllCanUnloadNow(), com::S_OK);
  auto factory = factory_of(square_clsid);
  EXPECT_EQ(DllCanUnloadNow(), com::S_FALSE); // a held factory counts
  com::ComPtr<com::IUnknown> object;
  ASSERT_EQ(factory->CreateInstance(nullptr, com::IUnknown::iid, object.put_void()), com::S_OK);
  EXPECT_EQ(factory->LockServer(true), com::S_OK);
  factory.reset();
  EXPECT_EQ(DllCanUnloadNow(), com::S_FALSE);
  object.reset();
  EXPECT_EQ(DllCanUnloadNow(), com::S_FALSE); // still locked

  factory = factory_of(square_clsid);
  EXPECT_EQ(factory->LockServer(false), com::S_OK);
  EXPECT_EQ(factory->LockServer(false), com::E_UNEXPECTED); // unmatched unlock
  factory.reset();
  EXPECT_EQ(DllCanUnloadNow(), com::S_OK);
}

TEST(Module, TheProgramsOwnClassesAreCreatedByProgId) {
  const ScopedRegistry registry("program");
  ASSERT_EQ(DllRegisterServer(), com::S_OK);
  const auto registered = com::find_registered_class("corvane.testsquare");
  ASSERT_TRUE(registered);
  EXPECT_EQ(registered->clsid, square_clsid);
  EXPECT_EQ(registered->module_path, std::filesystem::canonical("/proc/self/exe"));
  EXPECT_EQ(com::registered_classes_in_category("Corvane Shapes").size(), 1u);

  auto square = com::create_object<ISquare>("CORVANE.TESTSQUARE");
  ASSERT_TRUE(square);
  EXPECT_EQ(square->Side(), 2);
  com::ComPtr<com::IUnknown> object;
  EXPECT_EQ(com::CreateObject("Corvane.TestRefusing", object), com::E_FAIL);

  ASSERT_EQ(DllUnregisterServer(), com::S_OK);
  EXPECT_EQ(com::CreateObject("Corvane.TestSquare", object), com::REGDB_E_CLASSNOTREG);
  EXPECT_TRUE(com::registered_classes().empty());
}

} // namespace
