#pragma once

#include <cstdint>

#include "forms/forms.h"

namespace corvane {

// The legend choice of the multi-centre link isochrone tool: "Point - wise" (gLegendType 0,
// links coloured by their nearest centre) or "Cost - wise" (1, links in cost bands). It opens
// on the last choice; only OK stores a choice, and nothing keeps it beyond the session.
class Legend : public forms::Form {
public:
  Legend();

  forms::Frame Frame2{*this,
                      "Frame2",
                      "Select Type Of Legend",
                      {.Left = 120, .Top = 120, .Width = 2175, .Height = 1095}};
  forms::OptionButton Zonew{Frame2,
                            "Zonew",
                            "Point - wise",
                            false,
                            {.Left = 120, .Top = 360, .Width = 1935, .Height = 255}};
  forms::OptionButton Costw{Frame2,
                            "Costw",
                            "Cost - wise",
                            false,
                            {.Left = 120, .Top = 720, .Width = 1935, .Height = 255}};
  forms::CommandButton Commandok{
      *this, "Commandok", "&OK", {.Left = 720, .Top = 1320, .Width = 975, .Height = 375}};

protected:
  void Form_Load() override;
  void Form_Activate() override;
};

// gLegendType values.
inline constexpr std::int32_t LegendByNearestCentre = 0;
inline constexpr std::int32_t LegendByCost = 1;

// The shared instance, made on first use.
Legend& gLegendForm();

} // namespace corvane
