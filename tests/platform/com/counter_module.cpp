// A module built only for the tests: the test program does not link it, it reaches the class
// through the registry after calling the module's DllRegisterServer.
#include "com/module.h"
#include "counter.h"

namespace {

class Counter final : public com::ComObject<ICounter> {
public:
  void Increment() override { ++value_; }
  long Value() override { return value_; }

private:
  long value_ = 0;
};

} // namespace

COM_CLASS(Counter, "Corvane.TestCounter", "6C0A1F52-3B7E-4C1D-9E55-0F1A2B3C4D10", "Corvane Tests")
COM_MODULE_EXPORTS()
