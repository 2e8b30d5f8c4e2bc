#include "geometry/units.h"

#include <array>
#include <cctype>
#include <cmath>

namespace host {

namespace {

// The linear units the engine knows by code, plus the usual angular ones.
constexpr std::array units{
    UnitInfo{9001, "Meter", 1.0},
    UnitInfo{9031, "Meter_German", 1.0000135965},
    UnitInfo{9002, "Foot", 0.3048},
    UnitInfo{9003, "Foot_US", 0.3048006096012192},
    UnitInfo{9005, "Foot_Clarke", 0.3047972654},
    UnitInfo{9030, "Nautical_Mile", 1852.0},
    UnitInfo{9033, "Chain_US", 20.11684023368047},
    UnitInfo{9034, "Link_US", 0.2011684023368047},
    UnitInfo{9035, "Mile_US", 1609.347218694437},
    UnitInfo{9036, "Kilometer", 1000.0},
    UnitInfo{9037, "Yard_Clarke", 0.9143917962},
    UnitInfo{9038, "Chain_Clarke", 20.1166195164},
    UnitInfo{9039, "Link_Clarke", 0.201166195164},
    UnitInfo{9040, "Yard_Sears", 0.9143984146160287},
    UnitInfo{9041, "Foot_Sears", 0.3047994715386762},
    UnitInfo{9042, "Chain_Sears", 20.11676512155263},
    UnitInfo{9043, "Link_Sears", 0.2011676512155263},
    UnitInfo{9050, "Yard_Benoit_1895_A", 0.9143992},
    UnitInfo{9051, "Foot_Benoit_1895_A", 0.3047997333333333},
    UnitInfo{9052, "Chain_Benoit_1895_A", 20.1167824},
    UnitInfo{9053, "Link_Benoit_1895_A", 0.201167824},
    UnitInfo{9060, "Yard_Benoit_1895_B", 0.9143992042898124},
    UnitInfo{9061, "Foot_Benoit_1895_B", 0.3047997347632708},
    UnitInfo{9062, "Chain_Benoit_1895_B", 20.11678249437587},
    UnitInfo{9063, "Link_Benoit_1895_B", 0.2011678249437587},
    UnitInfo{9070, "Foot_1865", 0.3048008333333334},
    UnitInfo{9080, "Foot_Indian", 0.3047995102481469},
    UnitInfo{9081, "Foot_Indian_1937", 0.30479841},
    UnitInfo{9082, "Foot_Indian_1962", 0.3047996},
    UnitInfo{9083, "Foot_Indian_1975", 0.3047995},
    UnitInfo{9084, "Yard_Indian", 0.9143985307444408},
    UnitInfo{9085, "Yard_Indian_1937", 0.91439523},
    UnitInfo{9086, "Yard_Indian_1962", 0.9143988},
    UnitInfo{9087, "Yard_Indian_1975", 0.9143985},
    UnitInfo{9093, "Statute_Mile", 1609.344},
    UnitInfo{9096, "Yard", 0.9144},
    UnitInfo{9101, "Radian", 1.0, true},
    UnitInfo{9102, "Degree", 0.0174532925199433, true},
    UnitInfo{9104, "Second", 4.84813681109536e-06, true},
    UnitInfo{9105, "Grad", 0.01570796326794897, true},
};

std::string folded(std::string_view name) {
  std::string out;
  for (char c : name) {
    if (c == '_' || c == ' ' || c == '-')
      continue;
    out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  // "metre" and "meter", "kilometre" and "kilometer", "degree" and "degrees".
  for (std::size_t at; (at = out.find("metre")) != std::string::npos;)
    out.replace(at, 5, "meter");
  if (out == "degrees")
    out = "degree";
  if (out == "usfoot" || out == "ussurveyfoot")
    out = "footus";
  return out;
}

} // namespace

std::optional<UnitInfo> find_unit(std::string_view name, double factor, bool angular) {
  const auto key = folded(name);
  for (const auto& u : units)
    if (u.angular == angular && folded(u.name) == key)
      return u;
  for (const auto& u : units)
    if (u.angular == angular && std::abs(u.factor - factor) <= 1e-9 * u.factor)
      return u;
  return std::nullopt;
}

std::optional<UnitInfo> find_unit_by_code(int epsg) {
  for (const auto& u : units)
    if (u.epsg == epsg)
      return u;
  return std::nullopt;
}

} // namespace host
