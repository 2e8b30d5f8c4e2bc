#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "com/error_info.h"
#include "common/engine_error_text.h"
#include "common/unit_code.h"

namespace corvane {
namespace {

TEST(EngineErrorText, NamesTheEngineCodesAndNothingElse) {
  const struct {
    std::int32_t code;
    std::string text;
  } cases[] = {
      {-10, "Network not loaded"},
      {-14, "Too many links at one node (no more than 1900)"},
      {-21, "Field isn't of type Number/Decimal 11,3"},
      {-31, "Couldn't load network : Wrong path, File not found etc"},
      {-33, "Node2/Link2 not found"},
      {-35, "Route not ready"},
      {-38, "TSP : One or more nodes in Subnet"},
      {-54, "Not available in turnmode"},
      // Success and codes between the documented ones have no text of their own.
      {0, "Unknown error"},
      {-1, "Unknown error"},
      {-11, "Unknown error"},
      {-55, "Unknown error"},
      {10, "Unknown error"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(EngineErrorText(c.code), c.text) << c.code;
}

// An output the engine could not write is told by the file and why alone; only one it did not
// find or open keeps the code's text before its detail.
TEST(EngineErrorText, AnOutputNotWrittenIsToldByItsReasonAlone) {
  const std::string generic = "Output file couldn't be found, Opened etc.";
  const struct {
    std::string info;
    com::ErrorInfoIs is;
    std::string text;
  } cases[] = {
      {"/net/Route.dbf: its new copy cannot be written: there is no space left on the device",
       com::ErrorInfoIs::TheReason,
       "/net/Route.dbf: its new copy cannot be written: there is no space left on the device"},
      {"result table /net/gone.dbf: cannot be opened: no such file", com::ErrorInfoIs::ADetail,
       generic + ": result table /net/gone.dbf: cannot be opened: no such file"},
      {"", com::ErrorInfoIs::TheReason, generic},
  };
  for (const auto& c : cases) {
    com::SetErrorInfo(c.info, c.is);
    EXPECT_EQ(EngineErrorText(-32), c.text);
    EXPECT_EQ(com::TakeErrorInfo(), "") << "taken once";
  }
}

TEST(UnitCodeFromEpsg, MapsStandardUnitsToEngineCodes) {
  const struct {
    std::int32_t epsg;
    std::int32_t engine;
  } cases[] = {
      {9001, 1},
      {9031, 2},
      {9002, 3},
      {9003, 4},
      {9005, 5},
      {9030, 7},
      {9035, 10},
      {9036, 11},
      {9043, 18},
      {9063, 26},
      {9087, 34},
      {9070, 35},
      {9102, 37},
      // Not in the table: the US survey mile's neighbour 9004, degrees in other forms, 0.
      {9004, 0},
      {9122, 0},
      {0, 0},
      {-9001, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(UnitCodeFromEpsg(c.epsg), c.engine) << c.epsg;
}

} // namespace
} // namespace corvane
